#pragma once
// A main window whose dialogs are scripted, with a private program folder (for the settings and
// language files beside the program) that each test gets anew.

#include <memory>

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "scripted_dialogs.h"
#include "ui/settings/program_folder.h"
#include "ui/window/main_window.h"

namespace vellumar::testing {

class ScriptedWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setProgramFolder(m_folder.path());
        m_window = std::make_unique<MainWindow>(DialogWindows{}, &m_dialogs);
    }
    void TearDown() override
    {
        m_window.reset();
        setProgramFolder(QString());
    }

    QTemporaryDir m_folder;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

}  // namespace vellumar::testing
