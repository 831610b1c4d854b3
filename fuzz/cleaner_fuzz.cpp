// Takes arbitrary bytes through the conversion pipeline as opening and converting a source file
// does: encoding detection into windows-1251, the source cleaning, then the conversion of the
// cleaned text in every table mode with the real pictures and table pictures. Every book must
// be well-formed XML. Also runs the style-sheet reader and the file-name proposal.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cleaning/class_style_rules.h"
#include "cleaning/style_block.h"
#include "convert/title_information.h"
#include "encodings/text_encoding.h"
#include "editing/text_lines.h"
#include "fuzz/support/fuzz_book.h"
#include "pipeline/source_loading.h"

namespace {

using namespace vellumar;

void checkProposedName(std::string_view text)
{
    const std::size_t third = text.size() / 3;
    const auto name = proposedBookFileName(text.substr(0, third), text.substr(third, third), text.substr(2 * third));
    // A title may propose nothing: one that starts with its only dot, or whose letters all drop
    // out in the file-name form, would otherwise give the hidden, nameless ".fb2".
    if (!name) return;
    if (!name->ends_with(".fb2") || name->size() == 4 || name->find('/') != std::string::npos ||
        name->find('\0') != std::string::npos)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::addDefaultMaxLen(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    SilentInteraction user;
    LoadedSource source;
    std::string text;
    try {
        text = decodeSource(bytes, "auto", user);
    } catch (const EncodingError&) {
        return 0;  // a declared character set that iconv does not know: reported to the user
    }

    ClassStyleRules rules;
    parseStyleBlock(text, rules);
    for (const ClassStyleRule& rule : rules.rules())
        if (rules.findClassStyleRule(rule.element, rule.className) == nullptr) std::abort();

    checkProposedName(text);

    ConversionOptions options;
    options.straightenText = (size & 1) == 0;
    source.text = joinLinesCrLf(cleanSource(text, options, user), true);
    fuzz::convertSourceInEveryTableMode(source.editorText(), options.straightenText, static_cast<int>(size % 8) - 1);
    return 0;
}
