// Parvane's window program.
#include <QApplication>
#include <QStyleFactory>

#include <iostream>

#include "app/HomePage.h"
#include "app/InfoRequest.h"
#include "app/Translations.h"
#include "app/WindowProgram.h"
#include "engine/process/ProcessRunner.h"
#include "engine/process/SignalPolicy.h"
#include "filelist/FileDialogs.h"
#include "ui/FileShower.h"
#include "ui/MessageBoxes.h"

int main(int argc, char** argv) {
    if (const auto answer = parvane::InfoRequestAnswer(argc, argv)) {
        std::cout << *answer;
        return 0;
    }
    parvane::KeepChildrenWaitable();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("parvane"));
    // The window's layout is fixed to the pixel; one style everywhere keeps every
    // caption inside its control whatever the desktop's own style would add.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    parvane::InstallTranslations(app, QLocale::system());

    parvane::QtMessageBoxes messageBoxes;
    parvane::DesktopUrlOpener urlOpener;
    parvane::QtFileDialogs fileDialogs;
    parvane::RealProcessRunner processRunner;
    parvane::DesktopFileShower fileShower;
    const parvane::FormServices services{
        QCoreApplication::applicationDirPath(),
        messageBoxes,
        fileDialogs,
        processRunner,
        fileShower,
    };
    const parvane::StartUpServices startUp{
        QUrl(QStringLiteral(PARVANE_HOME_PAGE)),
        parvane::TimeOfDayRandom(parvane::SecondsSinceMidnight()),
        urlOpener,
    };
    // Destroyed after the event loop: a job still stopping is waited for, so its
    // private folder is tidied before the program ends.
    const auto form = parvane::OpenMainWindow(services, startUp, argc, argv);
    return QApplication::exec();
}
