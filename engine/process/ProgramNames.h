// How this system names program files and lists the folders programs are looked for in
// (PATH). The build picks the system's conventions.
#pragma once

#include <string>
#include <string_view>

namespace parvane {

// The file name of the program called name: the name itself, or with the extension the
// system gives programs.
std::string ProgramFileName(std::string_view name);

// What separates the folders of a PATH-style list.
char SearchPathSeparator();

// True when folder does not depend on the current folder.
bool IsAbsoluteFolder(std::string_view folder);

}  // namespace parvane
