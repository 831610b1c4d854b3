// Feeds arbitrary bytes to the conversion into complete books, in every table mode with the
// real pictures and table pictures: every book must pass the FictionBook 2.0 schema.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/support/fuzz_book.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    vellumar::fuzz::addDefaultMaxLen(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The title level from the input's size: none, "h1".."h6", or the automatic one.
    const int level = static_cast<int>(size % 9) - 2;
    vellumar::fuzz::convertCompleteInEveryTableMode(input, (size & 1) == 0, level);
    return 0;
}
