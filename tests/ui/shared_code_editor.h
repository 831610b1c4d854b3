#pragma once
// A table-driven test that runs each case on one real FB2 editor, made once for the whole
// suite: creating a QScintilla editor per case would cost more than the cases themselves.

#include <gtest/gtest.h>

#include "ui/editor/code_editor.h"

namespace vellumar::testing {

template <class Case>
class OnSharedCodeEditor : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { s_memo = new CodeEditor(SyntaxColouring::Xml); }
    static void TearDownTestSuite()
    {
        delete s_memo;
        s_memo = nullptr;
    }
    static inline CodeEditor* s_memo = nullptr;
};

}  // namespace vellumar::testing
