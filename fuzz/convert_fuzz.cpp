// Feeds arbitrary bytes to the tokenizer and through the whole body writer, in every table
// mode, and checks that the views stay inside the buffer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "convert/body_writer.h"
#include "html/tokenizer.h"

namespace {

using namespace vellumar;

void checkViews(const THTMLParser& parser)
{
    const char* begin = parser.Buffer.data();
    const char* end = begin + parser.Buffer.size();
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    THTMLParser parser;
    parser.OnError = [](std::string_view, std::string_view) {};
    parser.Buffer = input;
    parser.Parse();
    checkViews(parser);

    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    for (TableMode mode : {TableMode::AsIs, TableMode::ContentOnly, TableMode::ConvertToImage}) {
        ConversionOptions options;
        options.tableMode = mode;
        options.TitleLevel = static_cast<int>(size % 8) - 1;
        options.StraightenText = (size & 1) == 0;
        (void)ConvertToFb2(parser, input, options, services);
    }
    return 0;
}
