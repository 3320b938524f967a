#include "engine/files/SourceLock.h"

#include <fcntl.h>

#include <io.h>

#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

// The lock lies past the source's end, where it keeps the splitter from none of its bytes.
SourceLock::SourceLock(const std::string& sourcePath) {
    OwnedHandle source = OpenForLook(sourcePath, AtPath::FollowLink, GENERIC_READ);
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    int error = 0;
    if (!source.Valid() || !StatusOfHandle(source.get(), kind, identity, error) ||
        kind != FileKind::Regular) {
        return;
    }
    // Permission bits are not Windows' way; the access list stays with the folder.
    access_ = FileAccess{0666, 0};
    TakeJobLock(source.get(), heldElsewhere_);
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(source.get()), _O_RDONLY | _O_BINARY);
    if (fd_ >= 0) {
        source.Release();
    }
}

SourceLock::~SourceLock() {
    if (fd_ >= 0) {
        ::_close(fd_);
    }
}

}  // namespace parvane
