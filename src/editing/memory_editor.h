#pragma once
// A plain in-memory editor: the text, a selection and an undo history, no window. The tests run
// the editor commands on it, and the headless code can use it wherever an editor is expected.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editing/editor.h"

namespace vellumar {

class MemoryEditor : public Editor {
public:
    MemoryEditor() = default;
    explicit MemoryEditor(std::string_view text) { setText(text); }

    std::string text() const override { return m_text; }
    void setText(std::string_view text) override;

    std::string selectedText() const override;
    std::size_t selectionStart() const override { return m_start; }
    std::size_t selectionLength() const override { return m_length; }
    void select(std::size_t start, std::size_t length) override;

    void replaceSelection(std::string_view text) override;

    bool canUndo() const override { return !m_undo.empty(); }
    void undo() override;

    void beginUpdate() override { ++m_updateDepth; }
    void endUpdate() override;

    // How deeply repainting is suspended now, and how often it was resumed: for tests that
    // check that commands balance their calls.
    int updateDepth() const { return m_updateDepth; }
    int repaintCount() const { return m_repaints; }

private:
    struct State {
        std::string text;
        std::size_t start;
        std::size_t length;
    };

    // A position inside a CR LF pair moves to the pair's start; past the end moves to the end.
    std::size_t clampPosition(std::size_t position) const;

    std::string m_text;
    std::size_t m_start = 0;
    std::size_t m_length = 0;
    std::vector<State> m_undo;
    int m_updateDepth = 0;
    int m_repaints = 0;
};

}  // namespace vellumar
