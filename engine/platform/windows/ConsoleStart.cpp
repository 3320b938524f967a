#include "engine/process/ConsoleStart.h"

#include <windows.h>

#include <cwchar>
#include <shellapi.h>

namespace parvane {

namespace {

std::string Utf8(const wchar_t* wide) {
    const int length = static_cast<int>(std::wcslen(wide));
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), bytes, nullptr, nullptr);
    return text;
}

}  // namespace

// The C library's argv holds the arguments in the narrow code page, which loses every
// character outside it; the wide command line holds them all.
std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int k = 1; wide != nullptr && k < count; ++k) {
        arguments.push_back(Utf8(wide[k]));
    }
    ::LocalFree(wide);
    return arguments;
}

void ShowUtf8OnConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace parvane
