// Which command each action of the main window runs. The member functions are checked by the
// compiler; a binding to an action name that does not exist fails the window's tests.

#include <array>

#include "ui/main_window.h"

namespace vellumar {

namespace {

using W = MainWindow;

// clang-format off
constexpr std::array<MainWindow::CommandBinding, 35> kBindings = {{
    {"Act_NewHTMLDoc", &W::Act_NewHTMLDocExecute},
    {"Act_OpenSource", &W::Act_OpenSourceExecute},
    {"Act_SaveSourceHTML", &W::Act_SaveSourceHTMLExecute},
    {"Act_SaveSourceHTMLAs", &W::Act_SaveSourceHTMLAsExecute},
    {"Act_Convert", &W::Act_ConvertExecute},
    {"Act_ConvertTable", &W::Act_ConvertTableExecute},
    {"Act_NewFB2Doc", &W::Act_NewFB2DocExecute},
    {"Act_openFB2", &W::Act_openFB2Execute},
    {"Act_SaveResult", &W::Act_SaveResultExecute},
    {"Act_SaveResultAs", &W::Act_SaveResultAsExecute},
    {"Act_SaveAndView", &W::Act_SaveAndViewExecute},
    {"Act_CheckFB2", &W::Act_CheckFB2Execute},
    {"Act_Exit", &W::Act_ExitExecute},
    {"Act_Find", &W::Act_FindExecute},
    {"Act_FindNext", &W::Act_FindNextExecute},
    {"Act_Replace", &W::Act_ReplaceExecute},
    {"Act_p", &W::Act_pExecute},
    {"Act_Epigraph", &W::Act_EpigraphExecute},
    {"Act_Cite", &W::Act_CiteExecute},
    {"Act_Author", &W::Act_AuthorExecute},
    {"Act_poem", &W::Act_poemExecute},
    {"Act_stanza", &W::Act_stanzaExecute},
    {"Act_v", &W::Act_vExecute},
    {"Act_strong", &W::Act_strongExecute},
    {"Act_emphasis", &W::Act_emphasisExecute},
    {"Act_EmptyLine", &W::Act_EmptyLineExecute},
    {"Act_LoadImage", &W::Act_LoadImageExecute},
    {"Act_CopyToClip1", &W::Act_CopyToClip1Execute},
    {"Act_ClearMemo1", &W::Act_ClearMemo1Execute},
    {"Act_CopyToClip2", &W::Act_CopyToClip2Execute},
    {"Act_ClearMemo2", &W::Act_ClearMemo2Execute},
    {"Act_openOptions", &W::Act_openOptionsExecute},
    {"Act_SaveOption", &W::Act_SaveOptionExecute},
    {"Act_ShowHelpBox", &W::Act_ShowHelpBoxExecute},
    {"Act_Check", &W::Act_CheckExecute},
}};
// clang-format on

}  // namespace

std::span<const MainWindow::CommandBinding> MainWindow::commandBindings()
{
    return kBindings;
}

}  // namespace vellumar
