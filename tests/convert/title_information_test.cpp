#include "convert/title_information.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <optional>
#include <string>

namespace vellumar {
namespace {

struct NameCase {
    std::string_view name, title, firstName, lastName;
    std::optional<std::string_view> expected;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class ProposedName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProposedName, FromTheThreeAnswers)
{
    const NameCase& c = GetParam();
    const std::optional<std::string> name = proposedBookFileName(c.title, c.firstName, c.lastName);
    ASSERT_EQ(name.has_value(), c.expected.has_value());
    if (name) {
        EXPECT_EQ(*name, *c.expected);
    }
}

const std::string kLongTitle(300, 'a');
const std::string kLongTitleName = std::string(251, 'a') + ".fb2";
const std::string kLongDashes = "a" + std::string(100, '\x97');
const std::string kLongDashesName = "a" + std::string(83, '\x97') + ".fb2";  // 1 + 249 + 4 bytes of UTF-8
const std::string kLongLastName = "t-f_" + std::string(247, 'a') + ".fb2";

const NameCase kNameCases[] = {
    // Белая ночь, Щука, Эхо
    {"CyrillicAllThree", "\xC1\xE5\xEB\xE0\xFF \xED\xEE\xF7\xFC", "\xD9\xF3\xEA\xE0", "\xDD\xF5\xEE",
     "belaja_noch-shuka_eho.fb2"},
    // Война и мир, Лев, Толстой
    {"WarAndPeace", "\xC2\xEE\xE9\xED\xE0 \xE8 \xEC\xE8\xF0", "\xCB\xE5\xE2", "\xD2\xEE\xEB\xF1\xF2\xEE\xE9",
     "vojna_i_mir-lev_tolstoj.fb2"},
    {"TitleOnly", "My Book", "", "", "my_book.fb2"},
    {"TitleAndLastName", "Title", "", "Lee", "title_lee.fb2"},
    {"TitleAndFirstName", "Title", "Ann", "", "title-ann.fb2"},
    {"DotWithSpace", "Vol. 2", "", "", "vol.fb2"},
    {"DotWithoutSpace", "Vol.2", "", "", "vol.fb2"},
    {"LastDotInAName", "Tales", "J. R.", "", "tales-j._r.fb2"},
    {"EmptyTitleProposesNothing", "", "Ann", "Lee", std::nullopt},
    {"SlashBecomesUnderscore", "1/2", "a/b", "", "1_2-a_b.fb2"},
    {"NulBecomesUnderscore", std::string_view("a\0b", 3), "", "", "a_b.fb2"},
    {"OtherPunctuationStays", "What? *Now*", "", "", "what?_*now*.fb2"},
    // Letters windows-1251 lacks arrive as references; none goes into a file name.
    {"LatinLettersFolded", "Caf&#233; Noir", "&#xC9;mile", "", "cafe_noir-emile.fb2"},
    {"LettersWithoutABase", "Stra&#223;e &#198;sir &#248;l &#254;", "", "", "strasse_aesir_ol_th.fb2"},
    {"OtherCharactersLeftOut", "&#945;&#946; 1&#12354;", "", "", "_1.fb2"},
    {"NothingLeftProposesNothing", "&#26085;&#26412;", "", "", std::nullopt},
    {"LeadingDotProposesNothing", ".NET", "", "", std::nullopt},
    // Cut at 255 bytes of UTF-8, ".fb2" kept: the dash (0x97) takes three bytes.
    {"LongTitleCut", kLongTitle, "", "", kLongTitleName},
    {"LongTitleCutBeforeAWholeCharacter", kLongDashes, "", "", kLongDashesName},
    {"LongAnswersCutInTheLastName", "t", "f", kLongTitle, kLongLastName},
};
INSTANTIATE_TEST_SUITE_P(Names, ProposedName, ::testing::ValuesIn(kNameCases),
                         vellumar::testing_support::CaseName{});

class ScriptedUser : public UserInteraction {
public:
    void reportTokenizerProblem(std::string_view, std::string_view) override {}
    std::optional<BookInfoAnswers> askBookInfo() override
    {
        ++asked;
        return answers;
    }
    std::optional<BookInfoAnswers> answers;
    int asked = 0;
};

TEST(AskTitleInformation, OffMeansDefaultsWithoutAsking)
{
    ScriptedUser user;
    user.answers = BookInfoAnswers{"T", "F", "L"};
    ConversionOptions options;
    options.showTitleInfo = false;
    const TitleInformation info = askTitleInformation(options, user);
    EXPECT_EQ(user.asked, 0);
    EXPECT_EQ(info.title, "Book Title");
    EXPECT_EQ(info.firstName, "First Name");
    EXPECT_EQ(info.lastName, "Last Name");
    EXPECT_FALSE(info.proposedFileName);
}

TEST(AskTitleInformation, CancelledMeansDefaults)
{
    ScriptedUser user;
    const TitleInformation info = askTitleInformation(ConversionOptions{}, user);
    EXPECT_EQ(user.asked, 1);
    EXPECT_EQ(info.title, "Book Title");
    EXPECT_FALSE(info.proposedFileName);
}

TEST(AskTitleInformation, ConfirmedAnswersAreTakenAsTheyAre)
{
    ScriptedUser user;
    user.answers = BookInfoAnswers{"My Book", "", ""};
    TitleInformation info = askTitleInformation(ConversionOptions{}, user);
    EXPECT_EQ(info.title, "My Book");
    EXPECT_EQ(info.firstName, "");
    EXPECT_EQ(info.lastName, "");
    EXPECT_EQ(info.proposedFileName, std::optional<std::string>("my_book.fb2"));

    user.answers = BookInfoAnswers{"", "Ann", "Lee"};
    info = askTitleInformation(ConversionOptions{}, user);
    EXPECT_EQ(info.title, "");
    EXPECT_EQ(info.firstName, "Ann");
    EXPECT_FALSE(info.proposedFileName);
}

}  // namespace
}  // namespace vellumar
