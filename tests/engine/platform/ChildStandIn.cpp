// The child the Windows platform test starts: "exit N" ends with N, "hang" never ends on its own,
// "echo ARG..." writes each argument as it arrived, one a line, in UTF-8, to its standard error.
#include <fcntl.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <io.h>
#include <string>

namespace {

void WriteError(const std::wstring& text) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                            nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                          bytes, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::_setmode(::_fileno(stderr), _O_BINARY);  // the lines end as they are written
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"exit" && argc > 2) {
        return static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    }
    if (mode == L"hang") {
        ::Sleep(INFINITE);
    }
    if (mode == L"echo") {
        for (int k = 2; k < argc; ++k) {
            WriteError(std::wstring(argv[k]) + L"\n");
        }
        return 0;
    }
    return 2;
}
