// std::filesystem::path from and to the engine's names: UTF-8, with "/" between folders, on
// every system. A path built from a plain std::string reads the system's narrow code page
// on Windows instead.
#pragma once

#include <filesystem>
#include <string>

namespace parvane {

std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace parvane
