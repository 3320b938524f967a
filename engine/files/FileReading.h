// Opening a file by its path and reading it at an offset, for the audio readers and the
// look at a file before a piece replaces it. Descriptors are the C library's on every
// system; the build picks how one is opened and read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/files/FileDescriptor.h"
#include "engine/files/FileProbes.h"

namespace parvane {

enum class LinkAtPath { Follow, Refuse };

struct OpenedFile {
    FileDescriptor file;  // not open when error is set
    int error = 0;        // errno of the failed open or of the look at what was opened
    FileKind kind = FileKind::Other;
    FileIdentity identity;
};

// Opens path for reading. The open never waits (a named pipe without a writer would hold
// it) and the descriptor is not handed to children; a regular file is then read as any
// other. With LinkAtPath::Refuse a symbolic link at path is not opened.
OpenedFile OpenForReading(const std::string& path, LinkAtPath atPath = LinkAtPath::Follow);

// Reads up to bytes at offset without moving the file's position: the count read, 0 at the
// end, or -1 with errno set.
std::int64_t ReadAt(int fd, void* into, std::size_t bytes, std::int64_t offset);

// The byte size of the open file; -1 when it cannot be told.
std::int64_t FileSizeOf(int fd);

}  // namespace parvane
