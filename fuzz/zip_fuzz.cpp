// Feeds arbitrary bytes to the reader of zipped books (--check and "Open FB2 file..." of a
// .fb2.zip): it either gives a book within the limit or refuses with ZipError.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kLimit = 1 << 20;
    try {
        const std::string book =
            vellumar::unzipBook(std::string_view(reinterpret_cast<const char*>(data), size), kLimit);
        if (book.size() > kLimit) std::abort();
    } catch (const vellumar::ZipError&) {
        // Refused with a message: fine.
    }
    return 0;
}
