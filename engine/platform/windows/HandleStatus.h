// What Windows tells of an open file, in the engine's own terms; shared by the Windows code
// of files/ and never seen outside platform/. Identity comes from the handle: the C
// library's stat gives every file the number 0 there.
#pragma once

#include <windows.h>

#include <string>

#include "engine/files/FileProbes.h"
#include "engine/platform/windows/WindowsText.h"

namespace parvane {

enum class AtPath { FollowLink, OwnName };

// Opens path (a file or a folder) for looking at, or for reading with GENERIC_READ; every
// sharing mode is granted, so the open never stands in another program's way.
OwnedHandle OpenForLook(const std::string& path, AtPath atPath, DWORD access = 0);

// False, with the errno set, when the handle cannot be looked at.
bool StatusOfHandle(HANDLE handle, FileKind& kind, FileIdentity& identity, int& error);

// Takes, without waiting, the lock jobs share on a file: one byte far past any file's end, as
// Windows' locks keep others from the bytes they cover, reads included. False when it is
// not taken; heldElsewhere then tells whether another handle holds it.
bool TakeJobLock(HANDLE file, bool& heldElsewhere);

}  // namespace parvane
