// Where the program finds the pointer files it reads beside itself (HAND-M.CUR and
// drag.ico): the application folder when they lie there, as in the build folder, else
// the installed data folder (share/parvane beside the installed bin folder).
#pragma once

#include <QString>

namespace parvane {

inline constexpr const char* kHandPointerFile = "HAND-M.CUR";
inline constexpr const char* kDragPointerFile = "drag.ico";

QString ResourceFolder(const QString& applicationFolder);

// share/parvane of the installation whose bin folder is applicationFolder.
QString InstalledResourceFolder(const QString& applicationFolder);

}  // namespace parvane
