// The progress bar's white ground, which the desktop's style would otherwise grey.
#pragma once

class QProgressBar;

namespace parvane {

void WhitenProgressBar(QProgressBar& bar);

}  // namespace parvane
