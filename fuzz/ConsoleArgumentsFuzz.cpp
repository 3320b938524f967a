// The console's argument reading on a current folder and arguments, NUL-separated as the
// system hands them over (an empty current folder stands for one that cannot be read): any
// command line is read without a fault, and every FILE and --folder comes back empty as
// typed or absolute, with no empty or "." part left in it.
#include <cerrno>

#include "cli/ConsoleArguments.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using parvane::fuzz::Require;
    std::vector<std::string> args = parvane::fuzz::Split(parvane::fuzz::Bytes(data, size), '\0');
    // The current folder as the system reports it: absolute, no empty, "." or ".." part.
    parvane::CurrentFolder currentFolder;
    for (const std::string& part : parvane::fuzz::Split(args.front(), '/')) {
        if (!part.empty() && part != "." && part != "..") currentFolder.path += "/" + part;
    }
    if (currentFolder.path.empty()) currentFolder.path = "/";
    if (args.front().empty()) currentFolder = {{}, ENOENT};
    args.erase(args.begin());
    const parvane::ParsedArguments parsed = parvane::ParseConsoleArguments(args, currentFolder);
    for (const parvane::ConsoleSource& source : parsed.options.sources) {
        if (source.path.empty()) continue;
        Require(source.path.front() == '/', "a source is absolute");
        for (const std::string& part : parvane::fuzz::Split(source.path.substr(1), '/')) {
            Require(source.path == "/" || (!part.empty() && part != "."),
                    "a source has no empty or \".\" part");
        }
    }
    return 0;
}
