// Where the settings file and the language files are found and written, and how stored values
// outside the lists are mended.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "files/file_io.h"
#include "settings/charsets.h"
#include "settings/language_files.h"
#include "settings/settings_file.h"
#include "settings/user_folders.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

TEST(UserFolders, XdgVariablesWhenAbsoluteElseHome)
{
    struct Case {
        UserEnvironment environment;
        const char* config;
        const char* data;
    } cases[] = {
        {{"/x/conf", "/x/data", "/home/u"}, "/x/conf/vellumar", "/x/data/vellumar"},
        {{"", "", "/home/u"}, "/home/u/.config/vellumar", "/home/u/.local/share/vellumar"},
        {{"relative/conf", "data", "/home/u"}, "/home/u/.config/vellumar", "/home/u/.local/share/vellumar"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(userConfigFolder(c.environment), fs::path(c.config));
        EXPECT_EQ(userDataFolder(c.environment), fs::path(c.data));
    }
}

TEST(StoredValues, OutOfRangeFallsBackToDefaults)
{
    struct Case {
        int stored, titleLevel, charset;
    } cases[] = {{0, 0, 0},
                 {3, 3, 3},
                 {5, 5, 5},
                 {6, 6, 6},
                 {7, 0, 7},
                 {13, 0, 13},
                 {17, 0, 17},
                 {18, 0, kDefaultCharsetIndex},
                 {-1, 0, kDefaultCharsetIndex},
                 {1 << 30, 0, kDefaultCharsetIndex}};
    for (const Case& c : cases) {
        EXPECT_EQ(titleLevelIndexOrDefault(c.stored), c.titleLevel) << c.stored;
        EXPECT_EQ(charsetIndexOrDefault(c.stored), c.charset) << c.stored;
    }
    EXPECT_EQ(startWindowState(0), WindowState::Maximized);
    for (int stored : {1, 2, 3, -1}) EXPECT_EQ(startWindowState(stored), WindowState::Normal) << stored;
}

class FileLocations : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("vellumar-locations-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir / "bin");
        fs::create_directories(m_dir / "share" / "vellumar");
        m_environment = {(m_dir / "config").string(), (m_dir / "data").string(), (m_dir / "home").string()};
        m_folders = languageFoldersOf(m_dir / "bin", userDataFolder(m_environment));
    }
    void TearDown() override
    {
        fs::permissions(m_dir / "bin", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    static void touch(const fs::path& path)
    {
        fs::create_directories(path.parent_path());
        writeFileAtomically(path, "[Form1]\n");
    }
    fs::path m_dir;
    UserEnvironment m_environment;
    LanguageFolders m_folders;
};

TEST_F(FileLocations, SettingsBesideTheProgramOnlyWhenAlreadyThere)
{
    const fs::path program = m_dir / "bin" / "vellumar";
    EXPECT_EQ(portableSettingsPath(program), m_dir / "bin" / "vellumar.ini");
    EXPECT_EQ(settingsFilePath(program, m_environment), m_dir / "config" / "vellumar" / "vellumar.ini");
    fs::create_directories(m_dir / "bin" / "vellumar.ini");  // a folder of that name is no settings file
    EXPECT_EQ(settingsFilePath(program, m_environment), m_dir / "config" / "vellumar" / "vellumar.ini");
    fs::remove(m_dir / "bin" / "vellumar.ini");
    touch(m_dir / "bin" / "vellumar.ini");
    EXPECT_EQ(settingsFilePath(program, m_environment), m_dir / "bin" / "vellumar.ini");
}

TEST_F(FileLocations, LanguageFilesSearchedUserProgramInstalled)
{
    EXPECT_EQ(m_folders.installed, m_dir / "share" / "vellumar");
    const fs::path besideProgram = m_dir / "bin" / std::string(kRussianLanguageFile);
    EXPECT_EQ(findLanguageFile(m_folders, kRussianLanguageFile), besideProgram);  // none: the path beside the program

    touch(m_dir / "share" / "vellumar" / std::string(kRussianLanguageFile));
    EXPECT_EQ(findLanguageFile(m_folders, kRussianLanguageFile), m_dir / "share" / "vellumar" / std::string(kRussianLanguageFile));
    touch(besideProgram);
    EXPECT_EQ(findLanguageFile(m_folders, kRussianLanguageFile), besideProgram);
    touch(m_dir / "data" / "vellumar" / std::string(kRussianLanguageFile));
    EXPECT_EQ(findLanguageFile(m_folders, kRussianLanguageFile), m_dir / "data" / "vellumar" / std::string(kRussianLanguageFile));
}

TEST_F(FileLocations, LanguageChoiceGivesItsFile)
{
    touch(m_dir / "share" / "vellumar" / std::string(kEnglishLanguageFile));
    EXPECT_EQ(languageFileFor(LanguageChoice::English, "/other.lng", m_folders),
              m_dir / "share" / "vellumar" / std::string(kEnglishLanguageFile));
    EXPECT_EQ(languageFileFor(LanguageChoice::Russian, "/other.lng", m_folders),
              m_dir / "bin" / std::string(kRussianLanguageFile));
    EXPECT_EQ(languageFileFor(LanguageChoice::Other, "/other.lng", m_folders), fs::path("/other.lng"));
    EXPECT_EQ(languageFileFor(LanguageChoice::Other, "", m_folders), fs::path());
    EXPECT_EQ(languageFileFor(LanguageChoice::None, "/other.lng", m_folders), fs::path());
}

TEST_F(FileLocations, RecreatedFileGoesBesideTheProgramWhenWritable)
{
    const std::string name(kEnglishLanguageFile);
    EXPECT_EQ(languageFileToWrite(m_folders, kEnglishLanguageFile), m_dir / "bin" / name);
    fs::permissions(m_dir / "bin", fs::perms::owner_read | fs::perms::owner_exec);
    if (::access((m_dir / "bin").c_str(), W_OK) != 0) {  // root may write anywhere
        EXPECT_EQ(languageFileToWrite(m_folders, kEnglishLanguageFile), m_dir / "data" / "vellumar" / name);
    }
    fs::permissions(m_dir / "bin", fs::perms::owner_all);
    const LanguageFolders installedOnly = languageFoldersOf("/nonexistent/bin", m_folders.user);
    EXPECT_EQ(languageFileToWrite(installedOnly, kEnglishLanguageFile), m_dir / "data" / "vellumar" / name);
    // Once the user's folder holds a copy, that copy is the one found, so it is the one rewritten.
    touch(m_dir / "data" / "vellumar" / name);
    EXPECT_EQ(languageFileToWrite(m_folders, kEnglishLanguageFile), m_dir / "data" / "vellumar" / name);
}

}  // namespace
}  // namespace vellumar
