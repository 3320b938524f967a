// Any bytes through the file-type decision that names what a file holds when it is not MP3:
// libmagic reads the start of the file and gives one media type ("audio/x-wav") or nothing,
// and calls no file that holds bytes empty.
#include "FuzzFile.h"
#include "MediaType.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const parvane::fuzz::FuzzFile file(parvane::fuzz::Bytes(data, size));
    const std::string type = parvane::MediaTypeOf(file.Descriptor());
    parvane::fuzz::Require(type.empty() || parvane::fuzz::IsMediaTypeName(type),
                           "a file's type is one media type or none");
    parvane::fuzz::Require((type == "application/x-empty") == (size == 0),
                           "only an empty file is called empty");
    return 0;
}
