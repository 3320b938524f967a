// Paths between the file system's bytes and the file list's text. A name that is not
// UTF-8 must come back byte for byte, or the splitter is handed a file that does not
// exist; QFile::decodeName turns such bytes into U+FFFD and loses them.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QUrl;

namespace parvane {

// Each byte that is not part of well-formed UTF-8 becomes a lone surrogate U+DC80..U+DCFF,
// which no decoded name holds otherwise.
QString PathToText(std::string_view path);
std::string TextToPath(const QString& text);

// The path of a file URL, percent-escaped bytes kept as PathToText keeps them.
QString LocalPathOfUrl(const QUrl& url);

}  // namespace parvane
