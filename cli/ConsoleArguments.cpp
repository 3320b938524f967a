#include "cli/ConsoleArguments.h"

#include <optional>
#include <string_view>

#include "engine/names/Intervals.h"
#include "engine/names/PiecePaths.h"
#include "engine/process/ProgramNames.h"
#include "wording/ErrorWords.h"

namespace parvane {

namespace {

constexpr std::string_view kEveryOption = "--every";
constexpr std::string_view kFolderOption = "--folder";

// The value of an option given either as "--name=value" or as "--name value". A value
// that begins with "--" is taken for a forgotten value followed by the next option.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& k,
                                       std::string_view name) {
    const std::string& arg = args[k];
    std::optional<std::string> value;
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
    } else if (k + 1 < args.size()) {
        value = args[++k];
    }
    if (value && value->starts_with("--")) {
        return std::nullopt;
    }
    return value;
}

// A typed path made absolute; an error when it is relative and the current folder is unknown.
std::optional<std::string> FullPath(const std::string& typed, const CurrentFolder& current,
                                    std::string& error) {
    if (current.error != 0 && !IsAbsoluteFolder(typed)) {
        error = "the current folder cannot be read (" + ErrorWords(current.error) + "), so \"" +
                typed + "\" cannot be found; give its full path";
        return std::nullopt;
    }
    return AbsolutePath(typed, current.path);
}

bool NamesOption(const std::string& arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                           arg[name.size()] == '=');
}

}  // namespace

std::string IntervalChoices() {
    std::string text;
    for (const int seconds : kIntervalSeconds) {
        if (!text.empty()) {
            text += " ";
        }
        text += IntervalText(seconds);
    }
    return text;
}

namespace {

// The intervals as indented lines that fit a narrow terminal.
std::string WrappedIntervalChoices(std::string_view indent, std::size_t width) {
    std::string text;
    std::string line;
    for (const int seconds : kIntervalSeconds) {
        const std::string interval = IntervalText(seconds);
        if (!line.empty() && indent.size() + line.size() + 1 + interval.size() > width) {
            text += std::string(indent) + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + interval;
    }
    return text + std::string(indent) + line + "\n";
}

}  // namespace

std::string ConsoleUsage() {
    return "Usage: parvane-split [--every M:SS] [--list] [--folder DIR]... [FILE]...\n"
           "\n"
           "Cuts every MP3 FILE into consecutive pieces of one playing length and writes\n"
           "them beside it: song.mp3 gives song-0001.mp3, song-0002.mp3, ... Existing\n"
           "pieces of those names are replaced. The cutting is done by mp3splt, taken from\n"
           "this program's folder or else from PATH.\n"
           "\n"
           "Options:\n"
           "  --every M:SS  length of each piece (default 5:00), one of:\n" +
           WrappedIntervalChoices("                ", 80) +
           "  --folder DIR  add every MP3 file of DIR and all its sub-folders, level by\n"
           "                level, each folder in name order; hidden folders, names\n"
           "                beginning with \"~\" and pieces (NAME-0001.mp3 beside\n"
           "                NAME.mp3) are left out; FILEs and folders are taken in the\n"
           "                order given\n"
           "  --list        print the collected files, one a line, and split nothing\n"
           "  -h, --help    show this text and exit\n"
           "  --version     show the version and exit\n"
           "  --            take every argument after it as a FILE\n"
           "\n"
           "Prints a line for each file and each piece written, then \"Done.\", the counts\n"
           "of files split completely, in part and not at all, and every file not split\n"
           "completely with the reason (not an MP3 file, missing pieces, changed while\n"
           "split, a piece name taken by a listed file). A piece never replaces a file\n"
           "given in the same run. Exit status: 0 when every FILE was split completely,\n"
           "1 when some were not, none was found, mp3splt is missing or the output cannot\n"
           "be written, 2 for a wrong command line or a --folder that cannot be read, 130\n"
           "when interrupted or when the output is closed (the piece being written is\n"
           "then discarded).\n";
}

ParsedArguments ParseConsoleArguments(const std::vector<std::string>& args,
                                      const CurrentFolder& currentFolder) {
    ParsedArguments parsed;
    parsed.options.intervalSeconds = kIntervalSeconds[kDefaultIntervalIndex];
    bool onlyFiles = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (onlyFiles || arg == "-" || arg.empty() || arg.front() != '-') {
            const std::optional<std::string> file =
                arg.empty() ? arg : FullPath(arg, currentFolder, parsed.error);
            if (!file) {
                return parsed;
            }
            parsed.options.sources.push_back({ConsoleSource::Kind::File, *file});
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "-h" || arg == "--help") {
            parsed.options.showHelp = true;
        } else if (arg == "--version") {
            parsed.options.showVersion = true;
        } else if (arg == "--list") {
            parsed.options.listOnly = true;
        } else if (NamesOption(arg, kFolderOption)) {
            const std::optional<std::string> folder = OptionValue(args, k, kFolderOption);
            if (!folder || folder->empty()) {
                parsed.error =
                    "--folder needs a folder (one whose name begins with \"--\" is "
                    "written ./--name)";
                return parsed;
            }
            const std::optional<std::string> full = FullPath(*folder, currentFolder, parsed.error);
            if (!full) {
                return parsed;
            }
            parsed.options.sources.push_back({ConsoleSource::Kind::Folder, *full});
        } else if (NamesOption(arg, kEveryOption)) {
            const std::optional<std::string> interval = OptionValue(args, k, kEveryOption);
            if (!interval) {
                parsed.error = "--every needs an interval, one of: " + IntervalChoices();
                return parsed;
            }
            const std::optional<int> seconds = IntervalFromText(*interval);
            if (!seconds) {
                parsed.error =
                    "\"" + *interval +
                    "\" is not one of the intervals; choose one of: " + IntervalChoices();
                return parsed;
            }
            parsed.options.intervalSeconds = *seconds;
        } else {
            parsed.error = "unknown option \"" + arg +
                           "\" (a file whose name starts with \"-\" goes after \"--\")";
            return parsed;
        }
    }
    if (!parsed.options.showHelp && !parsed.options.showVersion && parsed.options.sources.empty()) {
        parsed.error = "no FILE or --folder given";
    }
    return parsed;
}

}  // namespace parvane
