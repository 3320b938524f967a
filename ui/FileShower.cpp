#include "ui/FileShower.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QUrl>

#include <algorithm>

#include "filelist/PathText.h"

namespace parvane {

namespace {

const QString kFileManager = QStringLiteral("org.freedesktop.FileManager1");

// Byte for byte, so a name that is not UTF-8 still names the file.
QUrl FileUrl(const QString& path) {
    return QUrl::fromEncoded("file://" +
                             QByteArray::fromStdString(TextToPath(path)).toPercentEncoding("/"));
}

}  // namespace

void DesktopFileShower::Show(const QString& path) {
    const QUrl folder =
        FileUrl(path.left(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 1)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        kFileManager, QStringLiteral("/org/freedesktop/FileManager1"), kFileManager,
        QStringLiteral("ShowItems"));
    call << QStringList{FileUrl(path).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call),
                                                QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folder](QDBusPendingCallWatcher* answered) {
                         if (answered->isError()) QDesktopServices::openUrl(folder);
                         answered->deleteLater();
                     });
}

}  // namespace parvane
