// A stand-in for libFuzzer's main, so every fuzz target builds with any compiler and runs in
// the test suite: it hands the target each file named on the command line, and each file of
// each folder named there (sub-folders too, in name order), once. A broken promise aborts
// as it does under libFuzzer; the count printed at the end lets the test see that every seed
// was run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsUnder(const fs::path& given, std::error_code& error) {
    if (!fs::is_directory(given, error)) {
        return error ? std::vector<fs::path>{} : std::vector<fs::path>{given};
    }
    std::vector<fs::path> inputs;
    for (fs::recursive_directory_iterator entry(given, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->is_regular_file(error)) {
            inputs.push_back(entry->path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool Read(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t run = 0;
    for (int k = 1; k < argc; ++k) {
        std::error_code error;
        const std::vector<fs::path> inputs = InputsUnder(argv[k], error);
        if (error) {
            std::fprintf(stderr, "%s: %s\n", argv[k], error.message().c_str());
            return 1;
        }
        for (const fs::path& input : inputs) {
            std::vector<std::uint8_t> bytes;
            if (!Read(input, bytes)) {
                std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
                return 1;
            }
            // An empty vector's data() may be null; libFuzzer always passes a valid pointer.
            bytes.reserve(1);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++run;
        }
    }
    std::printf("ran %zu inputs\n", run);
    return run > 0 ? 0 : 1;
}
