#include "engine/names/PiecePaths.h"

#include <filesystem>
#include <stdexcept>

#include "engine/names/NumberText.h"
#include "engine/names/PathText.h"

namespace parvane {

std::string GetPiecePath(const std::string& sourcePath, std::int32_t pieceNumber) {
    const std::string name = GetFileName(sourcePath);
    std::string piece = GetFolder(sourcePath) + GetBaseName(name) + "-" + ZeroPad(pieceNumber, 4);
    if (name.find('.') != std::string::npos) {
        piece += '.';
        piece += GetExtension(name);
    }
    return piece;
}

std::optional<std::string> SourceNameOfPiece(const std::string& fileName) {
    const bool hasExtension = fileName.find('.') != std::string::npos;
    const std::string base = GetBaseName(fileName);
    const std::size_t dash = base.rfind('-');
    const std::size_t digits = dash == std::string::npos ? 0 : base.size() - dash - 1;
    if (digits < 4 || base.find_first_not_of("0123456789", dash + 1) != std::string::npos) {
        return std::nullopt;
    }
    std::string source = base.substr(0, dash);
    if (hasExtension) {
        source += '.';
        source += GetExtension(fileName);
    }
    return source;
}

std::string GetFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string GetFolderWithoutSlash(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        throw std::invalid_argument("no folder in path: " + path);
    }
    return path.substr(0, slash);
}

std::string GetFileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetBaseName(const std::string& fileName) {
    const std::size_t point = fileName.rfind('.');
    return point == std::string::npos ? fileName : fileName.substr(0, point);
}

std::string GetExtension(const std::string& fileName) {
    const std::size_t point = fileName.rfind('.');
    return point == std::string::npos ? fileName : fileName.substr(point + 1);
}

// Only "." and doubled "/" are dropped from what was typed: "link/.." is not the folder
// holding link when link is a symbolic link. The current folder is a real path, so the
// ".." that lead a relative path can come off it.
std::string AbsolutePath(const std::string& path, const std::string& currentFolder) {
    const std::filesystem::path typed = PathFromUtf8(path);
    std::filesystem::path absolute =
        typed.is_absolute() ? typed.root_path() : PathFromUtf8(currentFolder).lexically_normal();
    if (!absolute.has_filename() && absolute.has_relative_path()) {
        absolute = absolute.parent_path();  // a closing "/" would make parent_path() a no-op
    }
    bool nameTyped = false;
    for (const std::filesystem::path& part : typed.relative_path()) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == ".." && !nameTyped) {
            absolute = absolute.parent_path();
            continue;
        }
        nameTyped = true;
        absolute /= part;
    }
    return Utf8FromPath(absolute);
}

}  // namespace parvane
