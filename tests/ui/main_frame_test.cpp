// The main window as a user meets it: controls, texts, commands.
#include "ui_test_util.h"

#include "app/language.h"
#include "ui/about_dialog.h"
#include "ui/maker.h"
#include "quiz/question_table.h"
#include "quiz/quiz_file.h"

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/xml/xml.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stattext.h>

#include <map>
#include <vector>

namespace
{

// Each label of a group that Alt+key chooses from has a key of its own.
void ExpectOwnMnemonics(const std::vector<wxString>& group)
{
    std::map<wxChar, wxString> taken;
    for (const wxString& label : group)
    {
        const wxChar key = Mnemonic(label);
        EXPECT_NE(key, 0) << "no mnemonic: " << label;
        const auto added = taken.emplace(key, label);
        EXPECT_TRUE(key == 0 || added.second) << label << " shares its key with " << added.first->second;
    }
}

} // namespace

TEST_F(FrameTest, StartsOnTheFirstQuizsEntryQuestion)
{
    EXPECT_EQ(m_frame->GetTitle(), wxString::FromUTF8("Mind Prism - 你具备哪种动物潜质？"));
    wxChoice* choice = Get<wxChoice>("ID_CHOICE1");
    ASSERT_EQ(choice->GetCount(), 2u);
    EXPECT_EQ(choice->GetString(1), wxString::FromUTF8("你的内在星座是什么？"));
    EXPECT_EQ(choice->GetSelection(), 0);
    // The choice shows its titles uncut.
    for (const wxString& title : choice->GetStrings())
        EXPECT_LT(choice->GetTextExtent(title).x, choice->GetSize().x) << title;

    EXPECT_EQ(Answers()->GetSelection(), 0);
    EXPECT_TRUE(Get<wxTextCtrl>("ID_TEXTCTRL_Q")->HasFlag(wxTE_READONLY));
    EXPECT_FALSE(Get<wxButton>("ID_BUTTON_TEST")->IsShown());
    for (const char* shown : {"ID_BUTTON_RESET", "ID_STATICLINE1", "ID_BUTTON_PREV", "ID_BUTTON_NEXT"})
        EXPECT_TRUE(Get<wxWindow>(shown)->IsShown()) << shown;
    EXPECT_EQ(Get<wxStatusBar>("ID_STATUSBAR")->GetStatusText(1), MAKER_NOTICE);
}

// Alt+key in the window reaches the menu titles and the panel's labelled
// controls; inside an open menu, its items. Each must have its own key in
// every language a catalogue is shipped for, and the commands keep their
// function keys (keyboard_test.cpp presses them).
TEST_F(FrameTest, MenusAndControlsHaveTheirOwnMnemonicsInEachLanguage)
{
    const std::pair<long, const char*> keys[] = {
        {MindprismFrame::ID_MENU_QUIT, "Alt-F4"}, {MindprismFrame::ID_MENU_UPDATE, "F3"},
        {MindprismFrame::ID_MENU_LANGUAGE, "F2"}, {MindprismFrame::ID_MENU_ABOUT, "F1"}};
    Close();
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    for (const wxLanguage language : {wxLANGUAGE_CHINESE_SIMPLIFIED, wxLANGUAGE_ENGLISH})
    {
        SCOPED_TRACE(wxLocale::GetLanguageCanonicalName(language).ToStdString());
        wxLocale locale;
        InitUiLocale(locale, language, wxS("Mindprism"));
        Open(RuntimeDir());
        std::vector<wxString> window;
        wxMenuBar* bar = m_frame->GetMenuBar();
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        {
            window.push_back(bar->GetMenuLabel(i));
            std::vector<wxString> items;
            for (const wxMenuItem* item : bar->GetMenu(i)->GetMenuItems())
                if (!item->IsSeparator())
                    items.push_back(item->GetItemLabel());
            ExpectOwnMnemonics(items);
        }
        for (const auto& [id, key] : keys)
            EXPECT_EQ(bar->FindItem(id)->GetItemLabel().AfterFirst('\t').utf8_string(), key);
        // The quiz editor docks beside the quiz, in the same window.
        for (const char* panel : {"ID_PANEL1", "QuizEditor"})
            for (const wxWindow* child : Get<wxWindow>(panel)->GetChildren())
                if (child->IsShown() && (dynamic_cast<const wxStaticText*>(child) ||
                                         dynamic_cast<const wxButton*>(child)))
                    window.push_back(child->GetLabel());
        ExpectOwnMnemonics(window);

        Close();
    }
}

TEST_F(FrameTest, EnlargingTheWindowGrowsOnlyTheAnswerList)
{
    wxWindow* question = Get<wxWindow>("ID_TEXTCTRL_Q");
    wxWindow* answers = Answers();
    const wxSize questionBefore = question->GetSize();
    const wxSize answersBefore = answers->GetSize();
    m_frame->SetClientSize(m_frame->GetClientSize() + wxSize(100, 150));
    ASSERT_TRUE(WaitFor([&] { return answers->GetSize().y != answersBefore.y; }));
    EXPECT_EQ(question->GetSize().y, questionBefore.y);
    EXPECT_EQ(question->GetSize().x, questionBefore.x + 100);
    EXPECT_EQ(answers->GetSize().y, answersBefore.y + 150);
}

// The tools and menus run their commands; the About box is built anew,
// owned by the frame, each time.
TEST_F(FrameTest, ToolsAndMenusRunTheirCommands)
{
    wxWindow* toolbar = Get<wxWindow>("ID_CHOICE1")->GetParent();
    const auto tool = [toolbar](long id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(toolbar);
        toolbar->ProcessWindowEvent(event);
    };
    ForgetLaunches();
    tool(MindprismFrame::ID_TOOL_UPDATE);
    Menu(MindprismFrame::ID_MENU_UPDATE);
    const Launch download{MAKER_DOWNLOAD_URL.utf8_string()};
    EXPECT_EQ(WaitForLaunches(2), (std::vector<Launch>{download, download}));

    std::vector<const AboutDlg*> seen;
    const auto expectAbout = ExpectDialog<AboutDlg>([&](AboutDlg& dialog) {
        EXPECT_EQ(dialog.GetParent(), m_frame);
        seen.push_back(&dialog);
    });
    wxTEST_DIALOG(tool(MindprismFrame::ID_TOOL_ABOUT), expectAbout);
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_ABOUT), expectAbout);
    EXPECT_EQ(seen.size(), 2u);
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_LANGUAGE), ChooseLanguageRow(-1));

    Menu(MindprismFrame::ID_MENU_QUIT);
    EXPECT_TRUE(m_frame->IsBeingDeleted() || wxPendingDelete.Member(m_frame));
    wxTheApp->ProcessIdle();
    m_frame = nullptr;  // deleted by the toolkit
}

TEST_F(FrameTest, AMissingQuizFileLeavesTheWindowEmptyButWorking)
{
    Close();
    TempDir empty;
    CapturedLog log;
    Open(empty.Path());
    EXPECT_GE(log.Errors(), 1u) << "the toolkit reports the missing file";
    EXPECT_EQ(m_frame->GetTitle(), wxString::FromUTF8("Mind Prism - 你具备哪种动物潜质？"));
    EXPECT_TRUE(QuestionText().empty());
    EXPECT_EQ(Answers()->GetCount(), 0u);
    for (const char* button : {"ID_BUTTON_NEXT", "ID_BUTTON_PREV", "ID_BUTTON_RESET"})
        Press(button);
    EXPECT_TRUE(QuestionText().empty());
    EXPECT_EQ(m_frame->Navigator().Current(), nullptr);
}

// Every answer of every shipped edition shows whole in the answer list at
// the width it is built with, in the list's own font: rows are not wrapped,
// so a longer one is cut off.
TEST_F(FrameTest, EveryShippedAnswerFitsTheAnswerListUncut)
{
    wxListBox* list = Answers();
    // The row's text keeps a few pixels from the list's edges on each side.
    const int border = list->GetSize().x - list->GetClientSize().x;
    const int room = list->FromDIP(480) - border - 2 * list->FromDIP(6);
    wxArrayString editions;
    wxDir::GetAllFiles(RuntimeDir() + wxS("/data"), &editions, wxS("Quiz_*.xml"), wxDIR_FILES);
    ASSERT_GE(editions.size(), 4u);
    for (const wxString& edition : editions)
    {
        wxXmlDocument document;
        QuestionTable table;
        AnswerTexts answers;
        ASSERT_TRUE(LoadQuiz(document, edition, table, &answers)) << edition;
        for (const wxString& text : answers.texts)
            EXPECT_LE(list->GetTextExtent(text).x, room) << wxFileName(edition).GetFullName() << ": " << text;
    }
}
