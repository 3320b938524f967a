// The files named on the window program's command line, as a file manager's "Open With"
// or a drop on the menu entry's launcher hands them over.
#pragma once

#include <QStringList>

namespace parvane {

// As list texts, bytes that are not UTF-8 kept (see PathText.h); a relative name is made
// full from the current folder. Arguments beginning with "-" are options, left to their
// own handling; after "--" every argument names a file.
QStringList FileArguments(int argc, const char* const* argv);

}  // namespace parvane
