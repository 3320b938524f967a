#include "app/WindowProgram.h"

#include "app/FileArguments.h"
#include "app/StopSignals.h"
#include "filelist/FileListView.h"

namespace parvane {

std::unique_ptr<MainWindow> OpenMainWindow(const FormServices& services,
                                           const StartUpServices& startUp, int argc,
                                           const char* const* argv) {
    auto form = std::make_unique<MainWindow>(services);
    // Once the window is built and before it shows, as one start-up.
    MaybeOpenHomePage(startUp.nextRandom, startUp.urlOpener, startUp.homePage);
    CloseOnStopSignals(*form);
    form->show();
    form->ListView()->AddDroppedFiles(FileArguments(argc, argv));
    return form;
}

}  // namespace parvane
