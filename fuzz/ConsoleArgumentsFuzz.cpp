// The console's argument reading on a current folder and arguments, NUL-separated as the
// system hands them over: any command line is read without a fault, and every FILE and
// --folder comes back absolute, with no empty or "." part left in it.
#include "ConsoleArguments.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using parvane::fuzz::Require;
    std::vector<std::string> args = parvane::fuzz::Split(parvane::fuzz::Bytes(data, size), '\0');
    // The current folder as the system reports it: absolute, no empty, "." or ".." part.
    std::string currentFolder;
    for (const std::string& part : parvane::fuzz::Split(args.front(), '/')) {
        if (!part.empty() && part != "." && part != "..") currentFolder += "/" + part;
    }
    if (currentFolder.empty()) currentFolder = "/";
    args.erase(args.begin());
    const parvane::ParsedArguments parsed = parvane::ParseConsoleArguments(args, currentFolder);
    for (const parvane::ConsoleSource& source : parsed.options.sources) {
        Require(!source.path.empty() && source.path.front() == '/', "a source is absolute");
        for (const std::string& part : parvane::fuzz::Split(source.path.substr(1), '/')) {
            Require(source.path == "/" || (!part.empty() && part != "."),
                    "a source has no empty or \".\" part");
        }
    }
    return 0;
}
