// Feeds arbitrary bytes to the tokenizer, checks that its views stay inside the buffer, and
// converts them in every table mode with the real pictures and table pictures: every book
// must be well-formed XML.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/support/fuzz_book.h"
#include "html/tokenizer.h"

namespace {

using namespace vellumar;

void checkViews(const HtmlParser& parser)
{
    const char* begin = parser.text().data();
    const char* end = begin + parser.text().size();
    auto inside = [&](std::string_view v) {
        if (!v.empty() && (v.data() < begin || v.data() + v.size() > end)) std::abort();
    };
    for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
        const HtmlItem item = parser.item(i);
        inside(item.text());
        if (item.isTag()) {
            inside(item.name());
            for (std::int32_t k = 0; k < item.paramCount(); ++k) {
                inside(item.param(k).key());
                inside(item.param(k).value());
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::addDefaultMaxLen(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    HtmlParser parser;
    parser.parse(input, [](std::string_view, std::string_view) {});
    checkViews(parser);

    fuzz::convertInEveryTableMode(input, (size & 1) == 0, static_cast<int>(size % 8) - 1);
    return 0;
}
