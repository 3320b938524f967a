// The window's words in the reader's language: the program's own catalogue and Qt's, for
// the standard buttons and dialogs. English, the words the code is written in, where a
// language has no catalogue.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace parvane {

// Installs the catalogues for the locale's languages on the application; false when the
// program has none of its own for them.
bool InstallTranslations(QCoreApplication& application, const QLocale& locale);

}  // namespace parvane
