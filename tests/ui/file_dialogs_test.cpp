// The main window's file dialogs: names, titles and filters in the toolkit's form.

#include <gtest/gtest.h>

#include "ui/dialogs/file_dialogs.h"

namespace vellumar {
namespace {

TEST(FileDialogs, FiltersInTheToolkitsForm)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"OpenDialog1",
         {"Source files (*.doc *.rtf *.docx *.odt *.htm *.html)", "html files (*.html *.htm)",
          "MS Word files (*.doc *.rtf)"}},
        {"SD", {"Fiction Book files (*.fb2)", "FB2 book in zip (*.fb2.zip)"}},
        {"SDSource", {"HTML Files (*.htm *.html)"}},
        {"ODFB2", {"FictionBook files (*.fb2 *.fb2.zip)", "FB2 book in zip (*.fb2.zip)", "All Files (*.*)"}},
        {"OPD", {"Images (*.png *.jpg *.jpeg)", "Portable Network Graphics (*.png)", "JPEG Image File (*.jpg *.jpeg)"}},
        {"SD2", {"Text Files (*.txt)", "All Files (*.*)"}},
        {"OD2", {"Text Files (*.txt)", "All Files (*.*)"}},
        {"OD3", {"Language Files (*.lng)", "All Files (*.*)"}},
    };
    EXPECT_EQ(fileDialogDefinitions().size(), std::size(cases));
    for (const auto& [name, filters] : cases) {
        const FileDialogDefinition* dialog = fileDialogDefinition(name);
        ASSERT_NE(dialog, nullptr) << name;
        EXPECT_EQ(fileDialogFilters(*dialog), filters) << name;
    }
    EXPECT_EQ(fileDialogDefinition("OpenDialog1")->title, "Open html file");
    EXPECT_EQ(fileDialogDefinition("SD")->title, "Save html file");
    EXPECT_TRUE(fileDialogDefinition("ODFB2")->title.empty());
    EXPECT_EQ(fileDialogDefinition("NoSuchDialog"), nullptr);
}

}  // namespace
}  // namespace vellumar
