// What the window program does once its application object exists, shared by main() and
// the tests that start the program as a user does.
#pragma once

#include <memory>

#include "ui/MainWindow.h"

namespace parvane {

// The main window over the given services, shown, closed by the stop signals as by its
// close button, with the files named on the command line in its list.
std::unique_ptr<MainWindow> OpenMainWindow(const FormServices& services, int argc,
                                           const char* const* argv);

}  // namespace parvane
