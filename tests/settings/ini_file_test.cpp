#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "files/file_io.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

IniFile parsed(std::string_view bytes)
{
    return IniFile::fromBytes("test.ini", bytes);
}

struct ReadCase {
    const char* name;
    std::string_view file;
    std::string_view section;
    std::string_view key;
    const char* expected;  // null: missing
};

constexpr ReadCase kReadCases[] = {
    {"plain", "[A]\r\nk=v\r\n", "A", "k", "v"},
    {"names ignore case", "[Position]\nPOSX=5\n", "position", "PosX", "5"},
    {"blanks around key and value", "  [ A ]\n  k  =  v w  \n", "A", "k", "v w"},
    {"comma stays one value", "[Labels]\nLabel1=C:\\Books, old\\my.lng\n", "Labels", "Label1", "C:\\Books, old\\my.lng"},
    {"one pair of quotes goes", "[A]\nk=\" padded \"\n", "A", "k", " padded "},
    {"single quotes too", "[A]\nk='x'\n", "A", "k", "x"},
    {"unmatched quote stays", "[A]\nk=\"x\n", "A", "k", "\"x"},
    {"empty value", "[A]\nk=\n", "A", "k", ""},
    {"equals inside value", "[A]\nk=a=b\n", "A", "k", "a=b"},
    {"first key wins", "[A]\nk=1\nk=2\n", "A", "k", "1"},
    {"first section wins", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A", "j", nullptr},
    {"key of another section", "[A]\nk=1\n[B]\n", "B", "k", nullptr},
    {"missing section", "[A]\nk=1\n", "C", "k", nullptr},
    {"comments are no keys", "[A]\n;k=1\n#k=2\n", "A", "k", nullptr},
    {"key before any section", "k=1\n[A]\n", "A", "k", nullptr},
    {"lone CR ends lines", "[A]\rk=v\r", "A", "k", "v"},
    {"BOM is not part of the header", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "v"},
    {"windows-1251 read as UTF-8", "[Form1]\nTabSheet1=\xC8\xF1\xF5\xEE\xE4\xED\xE8\xEA\n", "Form1", "TabSheet1",
     "\xD0\x98\xD1\x81\xD1\x85\xD0\xBE\xD0\xB4\xD0\xBD\xD0\xB8\xD0\xBA"},
    {"UTF-8 stays", "[Form1]\nTabSheet1=\xD0\x98\xD1\x81\n", "Form1", "TabSheet1", "\xD0\x98\xD1\x81"},
};

TEST(IniFileRead, Table)
{
    for (const ReadCase& c : kReadCases) {
        const auto value = parsed(c.file).value(c.section, c.key);
        if (c.expected) {
            EXPECT_EQ(value, std::string(c.expected)) << c.name;
        } else {
            EXPECT_FALSE(value) << c.name;
        }
    }
}

TEST(IniFileRead, IntegersAndBooleansFallBackOnAnythingElse)
{
    const IniFile file = parsed(
        "[I]\nzero=0\nneg=-12\nplus=+7\nbig=99999999999\nword=ten\nmixed=12a\nblank=\nspaced= 3 \nsigns=+-1\n");
    struct Case {
        const char* key;
        int integer;
        bool boolean;
    } cases[] = {{"zero", 0, false},  {"neg", -12, true},  {"plus", 7, true},   {"big", 42, true},
                 {"word", 42, true},  {"mixed", 42, true}, {"blank", 42, true}, {"spaced", 3, true},
                 {"signs", 42, true}, {"missing", 42, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(file.readInteger("I", c.key, 42), c.integer) << c.key;
        EXPECT_EQ(file.readBool("I", c.key, true), c.boolean) << c.key;
    }
    EXPECT_FALSE(file.readBool("I", "word", false));
}

struct WriteCase {
    const char* name;
    std::string_view before;
    std::string_view section;
    std::string_view key;
    std::string_view value;
    std::string_view after;
};

constexpr WriteCase kWriteCases[] = {
    {"new file", "", "Position", "State", "2", "[Position]\r\nState=2\r\n"},
    {"value replaced in place", "; mine\r\n[A]\r\nk=old\r\nz=1\r\n", "A", "k", "new",
     "; mine\r\n[A]\r\nk=new\r\nz=1\r\n"},
    {"spelling and spacing of the key kept", "[A]\nKey =  old\n", "a", "key", "new", "[A]\nKey =  new\n"},
    {"key added at the end of its section before blank lines", "[A]\nk=1\n\n[B]\nj=2\n", "A", "n", "x",
     "[A]\nk=1\nn=x\n\n[B]\nj=2\n"},
    {"section added at the end with the file's line ends", "[A]\nk=1\n", "B", "j", "2", "[A]\nk=1\n[B]\nj=2\n"},
    {"unfinished last line gets an end", "[A]\nk=1", "A", "n", "2", "[A]\nk=1\nn=2\n"},
    {"empty section gets the key", "[A]\n[B]\n", "A", "k", "1", "[A]\nk=1\n[B]\n"},
    {"blanks kept by quotes", "", "A", "k", " x ", "[A]\r\nk=\" x \"\r\n"},
    {"quoted-looking value kept by quotes", "", "A", "k", "'x'", "[A]\r\nk=\"'x'\"\r\n"},
    {"line breaks become blanks", "", "A", "k", "a\r\nb", "[A]\r\nk=a  b\r\n"},
    {"BOM kept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2", "\xEF\xBB\xBF[A]\r\nk=2\r\n"},
    {"windows-1251 stays windows-1251", "[A]\r\nt=\xCF\xF3\xF1\xEA\r\nk=1\r\n", "A", "k",
     "\xD0\x94\xD0\xB0", "[A]\r\nt=\xCF\xF3\xF1\xEA\r\nk=\xC4\xE0\r\n"},
    {"windows-1251 that cannot hold the value becomes UTF-8", "[A]\r\nt=\xCF\r\n", "A", "k", "\xE2\x82\xAC\xE2\x84\x96\xE2\x98\x83",
     "[A]\r\nt=\xD0\x9F\r\nk=\xE2\x82\xAC\xE2\x84\x96\xE2\x98\x83\r\n"},
};

TEST(IniFileWrite, Table)
{
    for (const WriteCase& c : kWriteCases) {
        IniFile file = parsed(c.before);
        file.writeString(c.section, c.key, c.value);
        EXPECT_EQ(file.bytes(), c.after) << c.name;
        EXPECT_EQ(file.value(c.section, c.key), std::string(c.value.find('\n') == std::string_view::npos ? c.value : "a  b"))
            << c.name;
    }
}

TEST(IniFileWrite, SameValueChangesNothing)
{
    IniFile file = parsed("[A]\nk=1\n");
    file.writeInteger("A", "k", 1);
    EXPECT_FALSE(file.modified());
    file.writeBool("A", "k", false);
    EXPECT_TRUE(file.modified());
    EXPECT_EQ(file.bytes(), "[A]\nk=0\n");
}

class IniFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("vellumar-ini-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        std::filesystem::remove_all(m_dir);
    }
    std::filesystem::path m_dir;
};

// A file with foreign lines, comments, a comma value and mixed line ends keeps every byte but
// the values written.
TEST_F(IniFileOnDisk, ForeignFileSurvivesWritesByteForByte)
{
    const std::string before =
        "; written by hand\r\n"
        "[Position]\r\n"
        "State=0\r\n"
        "PosX = 100\n"
        "\r\n"
        "[Somebody Else]\r\n"
        "colour=blue, green\r\n"
        "garbage line without equals\r\n"
        "[Labels]\r\n"
        "Label1=C:\\Books, old\\my.lng\r\n"
        "\r\n"
        "# trailing comment";
    const auto path = m_dir / "vellumar.ini";
    writeFileAtomically(path, before);

    IniFile file(path);
    EXPECT_EQ(file.readString("Labels", "Label1", ""), "C:\\Books, old\\my.lng");
    file.writeInteger("Position", "State", 2);
    file.writeInteger("Position", "PosX", 100);
    file.writeString("Labels", "Label1", "C:\\Books, old\\my.lng");
    file.writeBool("CheckBoxes", "CheckBox18", true);
    file.save();

    std::string expected = before;
    expected.replace(expected.find("State=0"), 7, "State=2");
    expected += "\r\n[CheckBoxes]\r\nCheckBox18=1\r\n";
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(IniFileOnDisk, SaveCreatesFoldersAndOnlyWritesChanges)
{
    const auto path = m_dir / "config" / "vellumar" / "vellumar.ini";
    IniFile file(path);
    file.save();
    EXPECT_FALSE(std::filesystem::exists(path));
    file.writeInteger("Position", "State", 2);
    file.save();
    EXPECT_EQ(readFileBytes(path), "[Position]\r\nState=2\r\n");
    EXPECT_FALSE(file.modified());
}

TEST_F(IniFileOnDisk, SymbolicLinkIsFollowed)
{
    const auto real = m_dir / "real.ini";
    const auto link = m_dir / "link.ini";
    writeFileAtomically(real, "[A]\nk=1\n");
    std::filesystem::create_symlink(real, link);
    IniFile file(link);
    file.writeInteger("A", "k", 2);
    file.save();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(real), "[A]\nk=2\n");
}

// The settings file written keeps its owner, group and mode; a link to a file of another
// user's is not written through (needs root to stand for that user).
TEST_F(IniFileOnDisk, WrittenFileKeepsItsOwnerGroupAndModeAndOthersFilesAreLeftAlone)
{
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files away";
    constexpr uid_t kOther = 12345;
    const auto real = m_dir / "real.ini";
    const auto link = m_dir / "vellumar.ini";
    const struct {
        const char* name;
        uid_t owner;
        gid_t group;
        bool written;
    } cases[] = {
        {"the user's own, another group", 0, kOther, true},
        {"another user's", kOther, kOther, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(link);
        writeFileAtomically(real, "[A]\nk=1\n");
        ASSERT_EQ(::chown(real.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
        fs::create_symlink(real, link);
        IniFile file(link);
        file.writeInteger("A", "k", 2);
        if (c.written) {
            file.save();
        } else {
            try {
                file.save();
                ADD_FAILURE() << "written through";
            } catch (const FileError& error) {
                EXPECT_NE(std::string(error.what()).find("belongs to another user"), std::string::npos) << error.what();
                EXPECT_NE(std::string(error.what()).find(link.string()), std::string::npos) << error.what();
            }
        }
        EXPECT_EQ(readFileBytes(real), c.written ? "[A]\nk=2\n" : "[A]\nk=1\n");
        struct stat info {};
        ASSERT_EQ(::stat(real.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, c.owner);
        EXPECT_EQ(info.st_gid, c.group);
        EXPECT_EQ(info.st_mode & 0777, 0640u);
        EXPECT_TRUE(fs::is_symlink(link));
    }
}

// Only regular files are read, and only to the limit: a FIFO (no writer ever comes) and a
// link to an endless device are refused at once, naming the file.
TEST_F(IniFileOnDisk, OnlyRegularFilesAreRead)
{
    const auto fifo = m_dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto zero = m_dir / "zero.ini";
    fs::create_symlink("/dev/zero", zero);
    for (const fs::path& path : {fifo, zero}) {
        SCOPED_TRACE(path.string());
        try {
            IniFile file(path);
            ADD_FAILURE() << "read";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(path.string() + "': it is not a regular file"), std::string::npos)
                << error.what();
        }
    }
}

void expectFailureNaming(IniFile& file, const std::string& name)
{
    try {
        file.save();
        ADD_FAILURE() << "no error for " << name;
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
}

TEST_F(IniFileOnDisk, FailuresNameTheFileAndLeaveItAlone)
{
    EXPECT_THROW(IniFile{m_dir}, FileError);  // a folder is no INI file
    writeFileAtomically(m_dir / "huge.ini", "[A]\n");
    fs::resize_file(m_dir / "huge.ini", IniFile::kMaxFileSize + 1);  // sparse: costs no disk
    EXPECT_THROW(IniFile{m_dir / "huge.ini"}, FileError);
    fs::remove(m_dir / "huge.ini");

    // A folder where the file should be: nothing is replaced, no temporary file stays.
    fs::create_directories(m_dir / "taken.ini");
    IniFile taken = IniFile::fromBytes(m_dir / "taken.ini", "");
    taken.writeInteger("A", "k", 1);
    expectFailureNaming(taken, (m_dir / "taken.ini").string());
    EXPECT_TRUE(fs::is_directory(m_dir / "taken.ini"));

    // A file where a folder should be made.
    writeFileAtomically(m_dir / "plain", "x");
    IniFile blocked(m_dir / "plain" / "vellumar" / "vellumar.ini");
    blocked.writeInteger("A", "k", 1);
    expectFailureNaming(blocked, (m_dir / "plain" / "vellumar").string());
    EXPECT_EQ(readFileBytes(m_dir / "plain"), "x");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

TEST(IniFileRead, AnyBytesParseWithoutFault)
{
    std::string bytes;
    for (int i = 0; i < 512; ++i) bytes.push_back(static_cast<char>((i * 37) & 0xFF));
    for (std::size_t cut = 0; cut <= bytes.size(); cut += 7) {
        IniFile file = parsed(std::string_view(bytes).substr(0, cut));
        file.writeString("A", "k", "v");
        EXPECT_EQ(file.value("A", "k"), "v");
    }
}

TEST(IniFileRead, KeysInFileOrder)
{
    const IniFile file = parsed("[Form1]\nForm1=V\n; note\nTabSheet1=S\nbad\n[FFind]\nFFind=F\n[form1]\nx=1\n");
    EXPECT_EQ(file.sections(), (std::vector<std::string>{"Form1", "FFind"}));
    EXPECT_EQ(file.keys("form1"), (std::vector<std::string>{"Form1", "TabSheet1"}));
    EXPECT_TRUE(file.keys("none").empty());
}

}  // namespace
}  // namespace vellumar
