// What the main window reaches outside itself, gathered so tests can put stand-ins in
// every place: there is no default, so no window is ever built that could open a
// dialog or a program a test did not ask for.
#pragma once

#include <QString>

namespace parvane {

class FileDialogs;
class FileShower;
class MessageBoxes;
class ProcessRunner;

struct FormServices {
    QString applicationFolder;  // the splitter and the pointer files are looked for here
    MessageBoxes& messageBoxes;
    FileDialogs& fileDialogs;
    ProcessRunner& processRunner;
    FileShower& fileShower;  // "Show Pieces" after a split
};

}  // namespace parvane
