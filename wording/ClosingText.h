// The message a person reads when a split job is over, in the words of the front end's
// language.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/job/JobReport.h"
#include "wording/Translate.h"

namespace parvane {

struct ClosingText {
    // "Done." or "Stopped." and a line of counts, or why the job could not go on
    std::string summary;
    std::string details;  // one line per file with problems, then older pieces; may be empty
};

// Piece numbers as short ranges: "3, 7-9".
std::string PieceRanges(const std::vector<std::int64_t>& numbers);

// How a front end shows a file name or path inside its text (a terminal escapes control
// characters); the name as it is by default.
using ShowName = std::function<std::string(const std::string&)>;

std::string AsItIs(const std::string& name);

// Meant for every end but a stop, which shows nothing.
ClosingText MakeClosingText(const JobReport& report,
                            const Translate& translate = Translate(English),
                            const ShowName& showName = AsItIs);

}  // namespace parvane
