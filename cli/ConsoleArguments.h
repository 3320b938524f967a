// The command line of parvane-split: which files to split and how long each piece is.
// Kept apart from the program's start so new options slot in and can be tested alone.
#pragma once

#include <string>
#include <vector>

namespace parvane {

// A FILE argument, or a --folder whose MP3 files stand in its place.
struct ConsoleSource {
    enum class Kind { File, Folder };
    Kind kind = Kind::File;
    std::string path;  // absolute; empty for an empty FILE
    bool operator==(const ConsoleSource&) const = default;
};

struct ConsoleOptions {
    bool showHelp = false;
    bool showVersion = false;
    bool listOnly = false;               // print the collected files instead of splitting
    int intervalSeconds = 0;             // one of the menu's lengths
    std::vector<ConsoleSource> sources;  // in the order given
};

struct ParsedArguments {
    ConsoleOptions options;
    std::string error;  // empty when the command line is sound
};

// Where relative paths are taken from. When it cannot be told (it was deleted), `error`
// holds the errno and only full paths are taken.
struct CurrentFolder {
    std::string path;
    int error = 0;
};

// args excludes the program's name. An empty FILE stays empty (no file has that name).
ParsedArguments ParseConsoleArguments(const std::vector<std::string>& args,
                                      const CurrentFolder& currentFolder);

std::string ConsoleUsage();

// The menu's intervals, blank-separated: "0:05 0:10 ... 60:00".
std::string IntervalChoices();

}  // namespace parvane
