#include "editing/memory_editor.h"

#include <algorithm>

namespace vellumar {

void MemoryEditor::setText(std::string_view text)
{
    m_text = normalizeLineBreaks(text);
    m_start = 0;
    m_length = 0;
    m_undo.clear();
}

std::string MemoryEditor::selectedText() const
{
    return m_text.substr(m_start, m_length);
}

std::size_t MemoryEditor::clampPosition(std::size_t position) const
{
    position = std::min(position, m_text.size());
    if (position > 0 && position < m_text.size() && m_text[position - 1] == '\r' && m_text[position] == '\n')
        --position;
    return position;
}

void MemoryEditor::select(std::size_t start, std::size_t length)
{
    start = std::min(start, m_text.size());
    // Saturate instead of overflowing when a caller passes a huge length.
    const std::size_t wantedEnd = length > m_text.size() - start ? m_text.size() : start + length;
    const std::size_t first = clampPosition(start);
    const std::size_t end = std::max(first, clampPosition(wantedEnd));
    m_start = first;
    m_length = end - first;
}

void MemoryEditor::replaceSelection(std::string_view text)
{
    if (text.empty() && m_length == 0)
        return;
    const std::string inserted = normalizeLineBreaks(text);
    m_undo.push_back({m_text, m_start, m_length});
    m_text.replace(m_start, m_length, inserted);
    m_start += inserted.size();
    m_length = 0;
}

void MemoryEditor::undo()
{
    if (m_undo.empty())
        return;
    State& last = m_undo.back();
    m_text = std::move(last.text);
    m_start = last.start;
    m_length = last.length;
    m_undo.pop_back();
}

void MemoryEditor::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        ++m_repaints;
}

}  // namespace vellumar
