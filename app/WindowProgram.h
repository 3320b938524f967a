// What the window program does once its application object exists, shared by main() and
// the tests that start the program as a user does.
#pragma once

#include <QUrl>

#include <memory>

#include "app/HomePage.h"
#include "ui/MainWindow.h"

namespace parvane {

// What the start-up reaches outside the window, apart from the window's own services.
struct StartUpServices {
    QUrl homePage;  // empty in a build without one: nothing is ever opened
    RandomSource nextRandom;
    UrlOpener& urlOpener;
};

// The main window over the given services, the home page now and then, the window shown,
// closed by the stop signals as by its close button, with the files named on the command
// line in its list.
std::unique_ptr<MainWindow> OpenMainWindow(const FormServices& services,
                                           const StartUpServices& startUp, int argc,
                                           const char* const* argv);

}  // namespace parvane
