#include "filelist/PathText.h"

#include <QByteArray>
#include <QUrl>

#include <cstdint>

#include "engine/names/Utf8.h"

namespace parvane {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(const QString& text, qsizetype i) {
    const QChar unit = text.at(i);
    return unit.unicode() >= kEscapeBase + 0x80 && unit.unicode() <= kEscapeBase + 0xFF &&
           (i == 0 || !text.at(i - 1).isHighSurrogate());
}

}  // namespace

QString PathToText(std::string_view path) {
    QString text;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < path.size();) {
        const auto byte = static_cast<std::uint8_t>(path[i]);
        const std::size_t length = byte < 0x80 ? 1 : DecodeUtf8At(path, i).second;
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(path.data() + runStart, static_cast<qsizetype>(i - runStart));
        text += QChar(static_cast<char16_t>(kEscapeBase + byte));
        runStart = ++i;
    }
    text +=
        QString::fromUtf8(path.data() + runStart, static_cast<qsizetype>(path.size() - runStart));
    return text;
}

std::string TextToPath(const QString& text) {
    std::string path;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsEscapedByte(text, i)) continue;
        path += text.mid(runStart, i - runStart).toStdString();
        path += static_cast<char>(text.at(i).unicode() - kEscapeBase);
        runStart = i + 1;
    }
    path += text.mid(runStart).toStdString();
    return path;
}

QString LocalPathOfUrl(const QUrl& url) {
    // A URL naming another host keeps QUrl's own form, "//host/path".
    if (!url.host().isEmpty()) return url.toLocalFile();
    return PathToText(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
}

}  // namespace parvane
