// The message a person reads when a split job is over, in the words of the front end's
// language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "JobReport.h"
#include "Translate.h"

namespace parvane {

struct ClosingText {
    std::string summary;  // "Done." and a line of counts, or why the job could not go on
    std::string details;  // one line per file with problems, then older pieces; may be empty
};

// Piece numbers as short ranges: "3, 7-9".
std::string PieceRanges(const std::vector<std::int64_t>& numbers);

// Meant for every end but a stop, which shows nothing.
ClosingText MakeClosingText(const JobReport& report, const Translate& translate = Translate(English));

}  // namespace parvane
