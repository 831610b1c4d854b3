#pragma once
// A private program folder ("bin"), configuration folder and data folder for a window test, so
// that the settings file and language files a test makes are its own.

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "files/file_io.h"
#include "ui/settings/interface_language.h"
#include "ui/settings/message_texts.h"
#include "ui/settings/program_folder.h"

namespace vellumar::testing {

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = std::filesystem::path(m_dir.path().toStdString());
        std::filesystem::create_directories(programFolderPath());
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((m_root / "config").string()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((m_root / "data").string()));
        setProgramFolder(QString::fromStdString(programFolderPath().string()));
    }
    void TearDown() override
    {
        // The language a test chose is the process's: the next test starts in English.
        resetLanguageMessages();
        useInterfaceLanguage(QStringLiteral("en"));
        setProgramFolder(QString());
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
        qputenv("XDG_DATA_HOME", m_oldData);
    }

    std::filesystem::path programFolderPath() const { return m_root / "bin"; }
    std::filesystem::path userSettingsPath() const { return m_root / "config" / "vellumar" / "vellumar.ini"; }
    std::filesystem::path userDataFolder() const { return m_root / "data" / "vellumar"; }

    static void writeFile(const std::filesystem::path& path, std::string_view bytes)
    {
        std::filesystem::create_directories(path.parent_path());
        writeFileAtomically(path, bytes);
    }
    // Puts a shipped language file ("Vellumar_ru.lng") into the program's folder.
    void installShippedLanguageFile(std::string_view name) const
    {
        std::filesystem::copy_file(std::filesystem::path(VELLUMAR_DATA_DIR) / name, programFolderPath() / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::filesystem::path m_root;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig;
    QByteArray m_oldData;
};

}  // namespace vellumar::testing
