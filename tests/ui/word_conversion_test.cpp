// While LibreOffice saves a document for the window, events keep running and the user's input is refused.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "base/user_interaction.h"
#include "files/temp_folder.h"
#include "pipeline/source_loading.h"
#include "ui/commands/word_conversion.h"

namespace {

namespace fs = std::filesystem;

// Stands in for LibreOffice: takes a moment, then writes NAME.html into the --outdir.
constexpr const char* kSlowOffice = R"(#!/bin/sh
while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
name=$(basename "$1")
sleep 0.4
mkdir -p "$out"
printf '<html><body><p>converted</p></body></html>' > "$out/${name%.*}.html"
)";

TEST(WordConversion, WindowRepaintsAndRefusesInputWhileLibreOfficeWorks)
{
    vellumar::TempFolder folder;
    std::ofstream(folder.file("soffice")) << kSlowOffice;
    fs::permissions(folder.file("soffice"), fs::perms::owner_exec, fs::perm_options::add);
    const fs::path document = folder.file("Old Book.rtf");
    std::ofstream(document) << "{\\rtf1 text}";
    vellumar::LoadOptions load;
    load.libreOffice.searchPath = folder.path().string();
    load.libreOffice.keepWaiting = vellumar::keepWindowWaiting;

    QLineEdit edit;
    edit.show();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);
    auto typeA = [&edit] {
        QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    };
    QTimer::singleShot(100, &edit, typeA);

    struct : vellumar::UserInteraction {
        void reportTokenizerProblem(std::string_view, std::string_view) override {}
        std::optional<vellumar::BookInfoAnswers> askBookInfo() override { return std::nullopt; }
    } user;
    const vellumar::LoadedSource source =
        vellumar::loadSource(vellumar::SourceFile{document}, load, vellumar::ConversionOptions{}, user);

    EXPECT_NE(source.text.find("converted"), std::string::npos) << source.text;
    EXPECT_TRUE(fs::exists(folder.file("Old_Book.htm")));
    EXPECT_GT(ticks, 3);              // timers and paint events ran meanwhile
    EXPECT_EQ(edit.text(), QString());  // the key typed meanwhile was refused
    typeA();
    QCoreApplication::processEvents();
    EXPECT_EQ(edit.text(), QStringLiteral("a"));  // and input works again afterwards
}

}  // namespace
