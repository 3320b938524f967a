#include "app/WindowProgram.h"

#include "app/FileArguments.h"
#include "app/StopSignals.h"
#include "filelist/FileListView.h"

namespace parvane {

std::unique_ptr<MainWindow> OpenMainWindow(const FormServices& services, int argc,
                                           const char* const* argv) {
    auto form = std::make_unique<MainWindow>(services);
    CloseOnStopSignals(*form);
    form->show();
    form->ListView()->AddDroppedFiles(FileArguments(argc, argv));
    return form;
}

}  // namespace parvane
