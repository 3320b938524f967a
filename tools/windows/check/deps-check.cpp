// Smoke test of the cross-built libraries: decodes an MP3 with libmpg123 and reads its title with
// TagLib, both by a wide path, so a name in any script must work. Prints "<seconds> <title>".
#include <mpg123.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

// libmpg123 takes UTF-8 names on Windows and opens them by their wide form.
double DecodedSeconds(const std::string& utf8Path) {
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle || mpg123_open(handle, utf8Path.c_str()) != MPG123_OK) {
        return -1;
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    mpg123_getformat(handle, &rate, &channels, &encoding);
    unsigned char buffer[16384];
    std::size_t done = 0;
    long long samples = 0;
    int status = MPG123_OK;
    while ((status = mpg123_read(handle, buffer, sizeof buffer, &done)) == MPG123_OK ||
           status == MPG123_NEW_FORMAT) {
        samples += static_cast<long long>(done) / (channels * mpg123_encsize(encoding));
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    return status == MPG123_DONE ? static_cast<double>(samples) / static_cast<double>(rate) : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: deps-check FILE.mp3\n", stderr);
        return 2;
    }
    const double seconds = DecodedSeconds(Utf8(argv[1]));
    const TagLib::FileRef file(argv[1]);
    if (seconds < 0 || file.isNull() || !file.tag()) {
        std::fputs("deps-check: the file could not be decoded or its tag not read\n", stderr);
        return 1;
    }
    std::printf("%.3f %s\n", seconds, file.tag()->title().to8Bit(true).c_str());
    return 0;
}
