#include "editing/tag_commands.h"

#include "base/text_rules.h"

namespace vellumar {

namespace {

std::string surround(std::string_view before, std::string_view text, std::string_view after)
{
    std::string result;
    result.reserve(before.size() + text.size() + after.size());
    result.append(before).append(text).append(after);
    return result;
}

}  // namespace

std::string paragraphsToVerses(std::string_view text)
{
    std::string result = replaceAllText(text, "<p>", "<v>");
    result = replaceAllText(result, "<P>", "<v>");
    result = replaceAllText(result, "</p>", "</v>");
    return replaceAllText(result, "</P>", "</v>");
}

std::string tagCommandText(TagCommand command, std::string_view selection)
{
    switch (command) {
    case TagCommand::Paragraph:
        return surround("\r\n<p>", selection, "</p>\r\n");
    case TagCommand::Epigraph:
        return surround("<epigraph>", selection, "</epigraph>");
    case TagCommand::Cite:
        return surround("<cite>", selection, "</cite>");
    case TagCommand::TextAuthor:
        return surround("<text-author>", selection, "</text-author>");
    case TagCommand::Poem:
        return surround("<poem>\r\n", selection, "\r\n</poem>");
    case TagCommand::Stanza:
        return surround("<stanza>\r\n", paragraphsToVerses(selection), "</stanza>");
    case TagCommand::Verse:
        return paragraphsToVerses(selection);
    case TagCommand::Strong:
        return surround("<strong>", selection, "</strong>");
    case TagCommand::Emphasis:
        return surround("<emphasis>", selection, "</emphasis>");
    case TagCommand::EmptyLine:
        return "<empty-line/>";
    }
    return std::string(selection);
}

void wrapSelection(Editor& editor, TagCommand command)
{
    const std::string selection = editor.selectedText();
    const std::string replacement = tagCommandText(command, selection);
    if (replacement == selection) {
        // Verses of a text without paragraph tags: the text stays as it is and no empty undo
        // step is recorded; the caret still ends after the selection.
        editor.select(editor.selectionStart() + selection.size(), 0);
        return;
    }
    editor.replaceSelection(replacement);
}

}  // namespace vellumar
