#pragma once
// The HTML tokenizer: splits one HTML text into a flat, ordered list of tag, text, comment
// and server-script items. It builds no tree, decodes no entities, folds no case and trims
// nothing; it never rejects a document and never reads outside its buffer.
//
// Ownership and lifetime: the parser keeps the text it tokenized, and every item, name, key and
// value is a view (offset and length) into it. The views are NOT NUL-terminated. They stay
// valid until the next parse() or until the parser is destroyed.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

enum class HtmlItemKind : std::uint8_t { Tag, Text, Comment, ServerScript };

// Called with a message ("> not found", "</script> not match", "</style> not match",
// "key not defined in tag") and the offending text. Parsing goes on or stops as documented.
using HtmlErrorHandler = std::function<void(std::string_view message, std::string_view text)>;

struct HtmlSpan {
    std::int32_t start = 0;
    std::int32_t length = 0;
};

// One attribute: Key as written, Value as written without one surrounding quote on each side.
struct HtmlParamPos {
    HtmlSpan key;
    HtmlSpan value;
};

// One item as stored, 16 bytes: a large book holds millions of them. For a tag, `span` is the
// tagText (all between "<" and ">"), the Name is its first `nameLength` bytes, and its
// attributes are params[firstParam, next item's firstParam). Any other kind stores its kind as
// a negative `nameLength`; its firstParam is the parameter count so far, so that the count of a
// tag needs no field of its own.
struct HtmlItemPos {
    HtmlSpan span;
    std::int32_t nameLength = 0;
    std::int32_t firstParam = 0;

    HtmlItemKind kind() const { return nameLength >= 0 ? HtmlItemKind::Tag : static_cast<HtmlItemKind>(-nameLength); }
    static HtmlItemPos markup(HtmlItemKind kind, HtmlSpan span, std::int32_t firstParam)
    {
        return HtmlItemPos{span, -static_cast<std::int32_t>(kind), firstParam};
    }
};
static_assert(sizeof(HtmlItemPos) == 16);
static_assert(static_cast<int>(HtmlItemKind::Tag) == 0);

class HtmlParser;

class HtmlParam {
public:
    HtmlParam(const HtmlParser& parser, const HtmlParamPos& pos) : m_parser(&parser), m_pos(&pos) {}
    std::string_view key() const;
    std::string_view value() const;

private:
    const HtmlParser* m_parser;
    const HtmlParamPos* m_pos;
};

// A read-only view of one item of the parser, whatever its kind.
class HtmlItem {
public:
    HtmlItem(const HtmlParser& parser, const HtmlItemPos& pos) : m_parser(&parser), m_pos(&pos) {}
    HtmlItemKind kind() const { return m_pos->kind(); }
    bool isTag() const { return m_pos->nameLength >= 0; }
    bool isText() const { return m_pos->kind() == HtmlItemKind::Text; }
    // Text, comment content, server-script content; for a tag, its tagText.
    std::string_view text() const;
    // Tag only: the name as written ("p", "/P", "!DOCTYPE").
    std::string_view name() const;
    std::string_view tagText() const { return text(); }
    std::int32_t paramCount() const;
    HtmlParam param(std::int32_t i) const;

private:
    const HtmlParser* m_parser;
    const HtmlItemPos* m_pos;
};

// Items and attributes as the tokenizer makes them, with the problems it met on the way.
struct HtmlItemTable {
    // A problem's text is its span of the source; for a tag it is bracketed ("<a =x>").
    struct Problem {
        std::string_view message;
        HtmlSpan span;
        bool bracketed = false;
    };
    std::vector<HtmlItemPos> items;
    std::vector<HtmlParamPos> params;
    std::vector<Problem> problems;

    void clear()
    {
        items.clear();
        params.clear();
        problems.clear();
    }
};

class HtmlParser {
public:
    // What parseInBatches does with the items of a batch once it has been shown.
    enum class Batches { Dropped, Kept };

    // Tokenizes the whole `text` into the item list; the previous text and items are dropped.
    // The parser keeps the text: one the caller gives up is moved in, not copied. Problems go
    // to `onError`, when given, before parse() returns.
    void parse(std::string text, const HtmlErrorHandler& onError = {});
    // The same for a caller that reads the items in order: `eachBatch` is called each time
    // some thousands of items are ready, and once at the end; the problems met in a batch go to
    // `onError` just before it. While it runs, itemCount() and item() show that batch
    // (Dropped: a large book's whole list is then never held) or every item so far (Kept). A
    // large text is tokenized on another thread meanwhile; `onError` and `eachBatch` are
    // called on the calling thread all the same, and an exception from either ends the
    // tokenizing too.
    void parseInBatches(std::string text, const HtmlErrorHandler& onError, const std::function<void()>& eachBatch,
                        Batches batches = Batches::Dropped);
    // Drops the text and the items and gives their memory back, for a caller that is done
    // with them while it still has work to do.
    void clear();
    // The text the items view.
    const std::string& text() const { return m_text; }

    std::int32_t itemCount() const { return static_cast<std::int32_t>(m_shown.items.size()); }
    HtmlItem item(std::int32_t i) const { return HtmlItem(*this, m_shown.items[static_cast<std::size_t>(i)]); }
    const std::vector<HtmlItemPos>& items() const { return m_shown.items; }
    const std::vector<HtmlParamPos>& params() const { return m_shown.params; }
    std::string_view lastTagName() const { return m_lastTagName; }

    std::string_view view(HtmlSpan s) const
    {
        if (s.length <= 0) return {};
        return std::string_view(m_text.data() + s.start, static_cast<std::size_t>(s.length));
    }

private:
    using HandOver = std::function<bool()>;

    void start(std::string text);
    void tokenize();
    // False, having done nothing, when no thread can be started.
    bool tokenizeOnAnotherThread(const HtmlErrorHandler& onError, const std::function<void()>& eachBatch,
                                 Batches batches);
    void reportProblems(const HtmlItemTable& batch, const HtmlErrorHandler& onError) const;
    // Shows the next batch, as `batches` says, and takes it out of `batch`.
    void show(HtmlItemTable& batch, const HtmlErrorHandler& onError, Batches batches);
    // The caller is done with the batch shown.
    void shown(Batches batches);
    void report(std::string_view message, HtmlSpan span, bool bracketed = false);
    void makeMarkupItem(std::int32_t tagStart, std::int32_t tagEnd);
    void makeTextItem(std::int32_t tagStart, std::int32_t lastEnd);
    void splitTag(std::int32_t start, std::int32_t length);
    std::int32_t paramsSoFar() const { return static_cast<std::int32_t>(m_filling.params.size()); }

    std::string m_text;
    HtmlItemTable m_shown;    // what item() shows
    HtmlItemTable m_filling;  // what the tokenizer is making
    // While parseInBatches runs: takes the filled table and leaves an empty one in its place;
    // false when the items are no longer wanted.
    const HandOver* m_handOver = nullptr;
    std::string_view m_lastTagName;
};

inline std::string_view HtmlParam::key() const { return m_parser->view(m_pos->key); }
inline std::string_view HtmlParam::value() const { return m_parser->view(m_pos->value); }
inline std::string_view HtmlItem::text() const { return m_parser->view(m_pos->span); }
inline std::string_view HtmlItem::name() const
{
    if (m_pos->nameLength < 0) return {};
    return m_parser->view(HtmlSpan{m_pos->span.start, m_pos->nameLength});
}
inline std::int32_t HtmlItem::paramCount() const
{
    const std::vector<HtmlItemPos>& items = m_parser->items();
    const bool last = m_pos + 1 == items.data() + items.size();
    const auto end = last ? static_cast<std::int32_t>(m_parser->params().size()) : (m_pos + 1)->firstParam;
    return end - m_pos->firstParam;
}
inline HtmlParam HtmlItem::param(std::int32_t i) const
{
    return HtmlParam(*m_parser, m_parser->params()[static_cast<std::size_t>(m_pos->firstParam + i)]);
}

}  // namespace vellumar
