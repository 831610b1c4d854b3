// Feeds arbitrary bytes to the source cleaning, its style-sheet reader and the file-name
// proposal, then converts the cleaned text, as opening and converting a source does.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cleaning/class_style_rules.h"
#include "cleaning/source_normalizer.h"
#include "cleaning/style_block.h"
#include "convert/body_writer.h"
#include "convert/picture_sink.h"
#include "convert/title_information.h"
#include "documents/text_lines.h"

namespace {

using namespace vellumar;

void checkProposedName(std::string_view text)
{
    const std::size_t third = text.size() / 3;
    const auto name = ProposedBookFileName(text.substr(0, third), text.substr(third, third), text.substr(2 * third));
    if (!name) {
        if (third != 0) std::abort();  // a non-empty title always proposes a name
        return;
    }
    if (!name->ends_with(".fb2") || name->find('/') != std::string::npos || name->find('\0') != std::string::npos)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    ClassStyleRules rules;
    ParseStyleBlock(input, rules);
    for (const TClassStyleRule& rule : rules.rules())
        if (rules.FindClassStyleRule(rule.Element, rule.ClassName) == nullptr) std::abort();

    checkProposedName(input);

    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    THTMLParser parser;
    for (const bool straighten : {true, false}) {
        const std::string cleaned = NormalizeSourceHtml(input, straighten, user);
        ConversionOptions options;
        options.StraightenText = straighten;
        options.tableMode = (size & 2) != 0 ? TableMode::ConvertToImage : TableMode::AsIs;
        (void)ConvertToFb2(parser, JoinLinesCrLf(cleaned, false), options, services);
    }
    return 0;
}
