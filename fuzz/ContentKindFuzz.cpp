// Any bytes through the file-type decision that names what a file holds when it is not MP3:
// a look at its first bytes, behind an ID3v2 tag where one leads them, that ends on any
// input and calls no file that holds bytes empty.
#include "engine/audio/ContentKind.h"
#include "fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const parvane::fuzz::FuzzFile file(parvane::fuzz::Bytes(data, size));
    const parvane::ContentKind kind = parvane::ContentKindOf(file.Descriptor());
    parvane::fuzz::Require((kind == parvane::ContentKind::Empty) == (size == 0),
                           "only an empty file is called empty");
    return 0;
}
