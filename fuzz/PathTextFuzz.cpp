// Byte-preserving path text: every byte string comes back from its text byte for byte,
// UTF-8 reads as Qt reads it, and any text at all turns into some path.
#include <QString>

#include <cstring>

#include "filelist/PathText.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using parvane::fuzz::Require;
    const std::string_view bytes = parvane::fuzz::Bytes(data, size);
    const QString text = parvane::PathToText(bytes);
    Require(parvane::TextToPath(text) == bytes, "a path comes back from its text unchanged");

    const QByteArray utf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString decoded = QString::fromUtf8(utf8);
    if (decoded.toUtf8() == utf8) {
        Require(text == decoded, "a UTF-8 path reads as Qt reads it");
    }

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    parvane::TextToPath(QString::fromStdU16String(units));
    return 0;
}
