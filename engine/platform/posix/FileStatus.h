// What a POSIX status (stat, lstat, fstat) tells, in the engine's own terms; shared by the
// POSIX code of files/ and never seen outside platform/.
#pragma once

#include <sys/stat.h>

#include "engine/files/FilePlacement.h"
#include "engine/files/FileProbes.h"

namespace parvane {

FileIdentity IdentityFromStatus(const struct stat& info);
FileAccess AccessFromStatus(const struct stat& info);

inline FileKind KindFromStatus(const struct stat& info) {
    if (S_ISREG(info.st_mode)) {
        return FileKind::Regular;
    }
    return S_ISDIR(info.st_mode) ? FileKind::Folder : FileKind::Other;
}

}  // namespace parvane
