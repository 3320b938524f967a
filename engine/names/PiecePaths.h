// Naming of pieces after their source, and the path cutting the splitter needs.
// "/" is the only folder separator; "last" always means the right-most occurrence.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace parvane {

// folder + base + "-" + four-digit number + "." + extension: /m/song.mp3, 2 -> /m/song-0002.mp3.
// A file name without any "." is all base and gets no extension: /m/README, 1 -> /m/README-0001.
// A name ending in "." keeps it: /m/song., 1 -> /m/song-0001.
std::string GetPiecePath(const std::string& sourcePath, std::int32_t pieceNumber);

// The name of the source a file name would be a piece of, as GetPiecePath names pieces
// (four digits or more): "song-0002.mp3" -> "song.mp3"; nullopt for any other name.
std::optional<std::string> SourceNameOfPiece(const std::string& fileName);

std::string GetFolder(const std::string& path);  // up to and including the last "/"
std::string GetFolderWithoutSlash(
    const std::string& path);                      // before the last "/"; throws without one
std::string GetFileName(const std::string& path);  // after the last "/"
std::string GetBaseName(
    const std::string& fileName);  // before the last "."; whole name without one
std::string GetExtension(
    const std::string& fileName);  // after the last "."; whole name without one

// A path as typed, made absolute from currentFolder without resolving links.
std::string AbsolutePath(const std::string& path, const std::string& currentFolder);

}  // namespace parvane
