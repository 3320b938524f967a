// A stand-in for mp3splt.exe, for the Windows build's end-to-end run under wine, where no
// mp3splt.exe can be built: it takes mp3splt's argument vector ([-f] SOURCE START END -o NAME
// -d FOLDER, the stamps as minutes.seconds) and writes NAME.mp3 into FOLDER, the source's
// whole frames from START to END as libmpg123 finds them. Tags and the information frame
// are left out.
#include <mpg123.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

namespace {

int Fail(const char* reason) {
    std::fprintf(stderr, " error: %s\n", reason);
    return 1;
}

// "7.30" -> 450 seconds.
double StampSeconds(const wchar_t* stamp) {
    const double value = std::wcstod(stamp, nullptr);
    const double minutes = std::floor(value);
    return minutes * 60 + std::round((value - minutes) * 100);
}

std::vector<unsigned char> ReadAll(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    if (FILE* file = ::_wfopen(path.c_str(), L"rb")) {
        unsigned char block[65536];
        for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
            bytes.insert(bytes.end(), block, block + got);
        }
        std::fclose(file);
    }
    return bytes;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int next = 1;
    if (next < argc && std::wstring(argv[next]) == L"-f") ++next;
    if (argc - next != 7 || std::wstring(argv[next + 3]) != L"-o" ||
        std::wstring(argv[next + 5]) != L"-d") {
        return Fail("usage: [-f] SOURCE START END -o NAME -d FOLDER");
    }
    const std::vector<unsigned char> source = ReadAll(argv[next]);
    const double start = StampSeconds(argv[next + 1]);
    const double end = StampSeconds(argv[next + 2]);
    const std::wstring output =
        std::wstring(argv[next + 6]) + L"\\" + std::wstring(argv[next + 4]) + L".mp3";
    if (source.empty()) return Fail("cannot read the source");

    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (handle == nullptr || mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0) != 0 ||
        mpg123_open_feed(handle) != MPG123_OK ||
        mpg123_feed(handle, source.data(), source.size()) != MPG123_OK) {
        return Fail("libmpg123 cannot take the source");
    }
    FILE* piece = ::_wfopen(output.c_str(), L"wb");
    if (piece == nullptr) return Fail("cannot write the piece");
    long frame = 0;
    for (int status;
         (status = mpg123_framebyframe_next(handle)) == MPG123_OK || status == MPG123_NEW_FORMAT;
         ++frame) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(handle, &rate, &channels, &encoding);
        const double at =
            static_cast<double>(frame) * mpg123_spf(handle) / static_cast<double>(rate);
        const double half = 0.5 * mpg123_spf(handle) / static_cast<double>(rate);
        unsigned long header = 0;
        unsigned char* body = nullptr;
        std::size_t bodyBytes = 0;
        if (at + half < start || at + half >= end ||
            mpg123_framedata(handle, &header, &body, &bodyBytes) != MPG123_OK) {
            continue;
        }
        const unsigned char head[4] = {
            static_cast<unsigned char>(header >> 24), static_cast<unsigned char>(header >> 16),
            static_cast<unsigned char>(header >> 8), static_cast<unsigned char>(header)};
        std::fwrite(head, 1, sizeof head, piece);
        std::fwrite(body, 1, bodyBytes, piece);
    }
    mpg123_delete(handle);
    return std::fclose(piece) == 0 ? 0 : Fail("cannot write the piece");
}
