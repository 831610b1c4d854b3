// Reads arbitrary bytes as a source file is read (encoding detection into windows-1251), runs
// the source cleaning, its style-sheet reader and the file-name proposal, then converts the
// cleaned text in every table mode with the real pictures and table pictures, as opening and
// converting a source does: every book must be well-formed XML.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cleaning/class_style_rules.h"
#include "cleaning/source_normalizer.h"
#include "cleaning/style_block.h"
#include "convert/title_information.h"
#include "documents/text_encoding.h"
#include "documents/text_lines.h"
#include "fuzz/support/fuzz_book.h"

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

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::AddDefaultMaxLen(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::string text;
    try {
        text = SourceToWindows1251(bytes, "auto");
    } catch (const EncodingError&) {
        return 0;  // a declared character set that iconv does not know: reported to the user
    }

    ClassStyleRules rules;
    ParseStyleBlock(text, rules);
    for (const TClassStyleRule& rule : rules.rules())
        if (rules.FindClassStyleRule(rule.Element, rule.ClassName) == nullptr) std::abort();

    checkProposedName(text);

    SilentInteraction user;
    const bool straighten = (size & 1) == 0;
    const std::string cleaned = NormalizeSourceHtml(JoinLinesCrLf(text, true), straighten, user);
    fuzz::ConvertInEveryTableMode(JoinLinesCrLf(cleaned, false), straighten, static_cast<int>(size % 8) - 1);
    return 0;
}
