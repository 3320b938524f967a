#include "app/InfoRequest.h"

#include <string_view>

namespace parvane {

namespace {

std::string Usage() {
    return "Usage: parvane [FILE]...\n"
           "\n"
           "Opens Parvane's window, which cuts MP3 files into consecutive pieces of one\n"
           "playing length. Gather files with \"Add MP3 File(s)\", \"Add All MP3 File(s) In\n"
           "Folder\" or by dropping them from the file manager (FILEs given here start in\n"
           "the list), pick one of 23 intervals from 0:05 to 60:00 and press \"Split!\".\n"
           "Pieces are written beside each source: song.mp3 gives song-0001.mp3,\n"
           "song-0002.mp3, ... Existing pieces of those names are replaced. The cutting is\n"
           "done by mp3splt, taken from this program's folder or else from PATH.\n"
           "\n"
           "Options:\n"
           "  -h, --help    show this text and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "To cut files without a window, use parvane-split.\n";
}

}  // namespace

std::optional<std::string> InfoRequestAnswer(int argc, const char* const* argv) {
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--") {
            break;
        }
        if (arg == "-h" || arg == "--help") {
            return Usage();
        }
        if (arg == "--version") {
            return "parvane " PARVANE_VERSION "\n";
        }
    }
    return std::nullopt;
}

}  // namespace parvane
