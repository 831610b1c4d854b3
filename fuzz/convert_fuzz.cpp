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

void checkViews(const THTMLParser& parser)
{
    const char* begin = parser.text().data();
    const char* end = begin + parser.text().size();
    auto inside = [&](std::string_view v) {
        if (!v.empty() && (v.data() < begin || v.data() + v.size() > end)) std::abort();
    };
    for (std::int32_t i = 0; i < parser.ItemCount(); ++i) {
        const THTMLItem item = parser.Item(i);
        inside(item.Text());
        if (item.isTag()) {
            inside(item.Name());
            for (std::int32_t k = 0; k < item.paramCount(); ++k) {
                inside(item.Param(k).Key());
                inside(item.Param(k).Value());
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::AddDefaultMaxLen(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    THTMLParser parser;
    parser.parse(input, [](std::string_view, std::string_view) {});
    checkViews(parser);

    fuzz::ConvertInEveryTableMode(input, (size & 1) == 0, static_cast<int>(size % 8) - 1);
    return 0;
}
