// The main window as a user meets it: controls, texts, panes, commands.
#include "ui_test_util.h"

#include "app/language.h"
#include "quiz/quiz_file.h"
#include "ui/maker.h"

#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stattext.h>
#include <wx/xml/xml.h>

#include <map>
#include <set>
#include <vector>

namespace
{

// The first quiz's entry question as the shipped file has it.
Question ShippedEntry()
{
    wxXmlDocument document;
    QuestionTable table;
    EXPECT_TRUE(LoadQuiz(document, RuntimeDir() + wxS("/") + QuizFilePath(0), table));
    const Question* entry = table.FindQuestion(QUIZ_ENTRY_ID);
    return entry ? *entry : Question();
}

// The key of a label's mnemonic, lower-cased ("&&" is a plain ampersand);
// 0 when it has none.
wxChar Mnemonic(const wxString& label)
{
    for (size_t i = 0; i + 1 < label.length(); ++i)
    {
        if (label[i] == '&' && label[i + 1] != '&')
            return wxTolower(label[i + 1]);
        if (label[i] == '&')
            ++i;
    }
    return 0;
}

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
    EXPECT_EQ(m_frame->GetName(), wxS("wxID_ANY"));
    wxChoice* choice = Get<wxChoice>("ID_CHOICE1");
    ASSERT_EQ(choice->GetCount(), 2u);
    EXPECT_EQ(choice->GetString(1), wxString::FromUTF8("你的内在星座是什么？"));
    EXPECT_EQ(choice->GetSelection(), 0);

    const Question entry = ShippedEntry();
    EXPECT_EQ(QuestionText(), entry.text);
    ASSERT_EQ(Answers()->GetCount(), entry.answers.size());
    for (size_t i = 0; i < entry.answers.size(); ++i)
        EXPECT_EQ(Answers()->GetString(i), entry.answers[i].text);
    EXPECT_EQ(Answers()->GetSelection(), 0);
    EXPECT_TRUE(Get<wxTextCtrl>("ID_TEXTCTRL_Q")->HasFlag(wxTE_READONLY));

    EXPECT_FALSE(Get<wxButton>("ID_BUTTON_TEST")->IsShown());
    for (const char* shown : {"ID_BUTTON_RESET", "ID_STATICLINE1", "ID_BUTTON_PREV", "ID_BUTTON_NEXT"})
        EXPECT_TRUE(Get<wxWindow>(shown)->IsShown()) << shown;

    wxStatusBar* status = Get<wxStatusBar>("ID_STATUSBAR");
    ASSERT_EQ(status->GetFieldsCount(), 2);
    EXPECT_EQ(status->GetStatusText(0), wxString());
    EXPECT_EQ(status->GetStatusText(1), MAKER_NOTICE);
    EXPECT_EQ(m_frame->GetStatusBar(), status);
}

TEST_F(FrameTest, ControlsCarryTheirIdentifiersAsNames)
{
    const std::pair<const char*, long> named[] = {
        {"ID_CHOICE1", MindprismFrame::ID_CHOICE1},
        {"ID_PANEL1", MindprismFrame::ID_PANEL1},
        {"ID_STATICTEXT1", MindprismFrame::ID_STATICTEXT1},
        {"ID_TEXTCTRL_Q", MindprismFrame::ID_TEXTCTRL_Q},
        {"ID_STATICTEXT2", MindprismFrame::ID_STATICTEXT2},
        {"ID_LISTBOX_ANSWER", MindprismFrame::ID_LISTBOX_ANSWER},
        {"ID_BUTTON_RESET", MindprismFrame::ID_BUTTON_RESET},
        {"ID_STATICLINE1", MindprismFrame::ID_STATICLINE1},
        {"ID_BUTTON_PREV", MindprismFrame::ID_BUTTON_PREV},
        {"ID_BUTTON_NEXT", MindprismFrame::ID_BUTTON_NEXT},
        {"ID_BUTTON_TEST", MindprismFrame::ID_BUTTON_TEST},
        {"ID_STATUSBAR", MindprismFrame::ID_STATUSBAR},
    };
    for (const auto& window : named)
        EXPECT_EQ(Get<wxWindow>(window.first)->GetId(), window.second) << window.first;

    // Nineteen identifiers, distinct and allocated in their fixed order.
    const long order[] = {MindprismFrame::ID_CHOICE1,        MindprismFrame::ID_TOOL_UPDATE,
                          MindprismFrame::ID_TOOL_ABOUT,     MindprismFrame::ID_AUITOOLBAR,
                          MindprismFrame::ID_STATICTEXT1,    MindprismFrame::ID_TEXTCTRL_Q,
                          MindprismFrame::ID_STATICTEXT2,    MindprismFrame::ID_LISTBOX_ANSWER,
                          MindprismFrame::ID_BUTTON_RESET,   MindprismFrame::ID_STATICLINE1,
                          MindprismFrame::ID_BUTTON_PREV,    MindprismFrame::ID_BUTTON_NEXT,
                          MindprismFrame::ID_BUTTON_TEST,    MindprismFrame::ID_PANEL1,
                          MindprismFrame::ID_MENU_QUIT,      MindprismFrame::ID_MENU_UPDATE,
                          MindprismFrame::ID_MENU_LANGUAGE,  MindprismFrame::ID_MENU_ABOUT,
                          MindprismFrame::ID_STATUSBAR};
    for (size_t i = 1; i < sizeof order / sizeof order[0]; ++i)
        EXPECT_GT(order[i], order[i - 1]);

    EXPECT_EQ(Get<wxStaticText>("ID_STATICTEXT1")->GetLabel(), wxS("&Question:"));
    EXPECT_EQ(Get<wxStaticText>("ID_STATICTEXT2")->GetLabel(), wxS("&Select answer:"));
}

TEST_F(FrameTest, MenusOfferTheCommandsWithTheirKeys)
{
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 3u);
    EXPECT_EQ(bar->GetMenuLabel(0), wxS("&File"));
    EXPECT_EQ(bar->GetMenuLabel(1), wxS("&View"));
    EXPECT_EQ(bar->GetMenuLabel(2), wxS("Help"));
    const std::pair<long, const char*> items[] = {
        {MindprismFrame::ID_MENU_QUIT, "Quit\tAlt-F4"},
        {MindprismFrame::ID_MENU_UPDATE, "Check &update...\tF3"},
        {MindprismFrame::ID_MENU_LANGUAGE, "&Language...\tF2"},
        {MindprismFrame::ID_MENU_ABOUT, "About\tF1"},
    };
    for (const auto& item : items)
    {
        wxMenuItem* found = bar->FindItem(item.first);
        ASSERT_NE(found, nullptr) << item.second;
        EXPECT_EQ(found->GetItemLabel(), wxString::FromUTF8(item.second));
    }
    EXPECT_EQ(bar->FindItem(MindprismFrame::ID_MENU_LANGUAGE)->GetHelp(), wxS("Change UI language"));
}

// Alt+key in the window reaches the menu titles and the panel's labelled
// controls; inside an open menu, its items. Each must have its own key in
// every language a catalogue is shipped for.
TEST_F(FrameTest, MenusAndControlsHaveTheirOwnMnemonicsInEachLanguage)
{
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
                items.push_back(item->GetItemLabel());
            ExpectOwnMnemonics(items);
        }
        for (const wxWindow* child : Get<wxWindow>("ID_PANEL1")->GetChildren())
            if (child->IsShown() && (dynamic_cast<const wxStaticText*>(child) ||
                                     dynamic_cast<const wxButton*>(child)))
                window.push_back(child->GetLabel());
        ExpectOwnMnemonics(window);
        Close();
    }
}

TEST_F(FrameTest, ToolbarAndPanelAreDockedPanes)
{
    wxAuiManager* manager = wxAuiManager::GetManager(m_frame);
    ASSERT_NE(manager, nullptr);
    wxAuiPaneInfo& toolbar = manager->GetPane(wxS("PaneName"));
    ASSERT_TRUE(toolbar.IsOk());
    EXPECT_TRUE(toolbar.IsToolbar());
    EXPECT_EQ(toolbar.dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(toolbar.dock_layer, 10);
    EXPECT_EQ(toolbar.window->GetId(), MindprismFrame::ID_AUITOOLBAR);

    wxAuiPaneInfo& centre = manager->GetPane(Get<wxWindow>("ID_PANEL1"));
    ASSERT_TRUE(centre.IsOk());
    EXPECT_EQ(centre.dock_direction, wxAUI_DOCK_CENTER);
    EXPECT_FALSE(centre.HasCaption());
    EXPECT_TRUE(centre.IsShown());

    wxAuiToolBar* tools = dynamic_cast<wxAuiToolBar*>(toolbar.window);
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->GetToolShortHelp(MindprismFrame::ID_TOOL_UPDATE), wxS("Check update from Larkspan"));
    EXPECT_EQ(tools->GetToolShortHelp(MindprismFrame::ID_TOOL_ABOUT),
              wxS("Show info about this application"));
    // The choice shows its titles uncut.
    wxChoice* choice = Get<wxChoice>("ID_CHOICE1");
    for (const wxString& title : choice->GetStrings())
        EXPECT_LT(choice->GetTextExtent(title).x, choice->GetSize().x) << title;
}

TEST_F(FrameTest, ResetShowsTheEntryQuestionAgain)
{
    const wxString entry = QuestionText();
    Press("ID_BUTTON_NEXT");
    ASSERT_NE(QuestionText(), entry);
    Answers()->SetSelection(1);
    Press("ID_BUTTON_RESET");
    EXPECT_EQ(QuestionText(), entry);
    EXPECT_EQ(Answers()->GetSelection(), 0);
    // Prev goes where it would have gone before the reset.
    Press("ID_BUTTON_PREV");
    EXPECT_EQ(QuestionText(), entry);
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

TEST_F(FrameTest, QuitClosesTheWindow)
{
    Menu(MindprismFrame::ID_MENU_QUIT);
    EXPECT_TRUE(m_frame->IsBeingDeleted() || wxPendingDelete.Member(m_frame));
    wxTheApp->ProcessIdle();
    m_frame = nullptr;  // deleted by the toolkit
}

TEST_F(FrameTest, UpdateToolAndMenuBothOpenTheDownloadPage)
{
    ForgetLaunches();
    wxWindow* toolbar = Get<wxWindow>("ID_CHOICE1")->GetParent();
    wxCommandEvent tool(wxEVT_MENU, MindprismFrame::ID_TOOL_UPDATE);
    tool.SetEventObject(toolbar);
    toolbar->ProcessWindowEvent(tool);
    Menu(MindprismFrame::ID_MENU_UPDATE);
    const std::vector<Launch> launched = WaitForLaunches(2);
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(launched[0], Launch{MAKER_DOWNLOAD_URL.utf8_string()});
    EXPECT_EQ(launched[1], Launch{MAKER_DOWNLOAD_URL.utf8_string()});
    EXPECT_TRUE(MAKER_DOWNLOAD_URL.StartsWith(wxS("http://")));
    EXPECT_TRUE(MAKER_DOWNLOAD_URL.EndsWith(wxS("/")));
}

class MissingQuizTest : public FrameTest
{
protected:
    void SetUp() override
    {
        m_log = std::make_unique<CapturedLog>();
        Open(m_empty.Path());
    }
    TempDir m_empty;
    std::unique_ptr<CapturedLog> m_log;
};

TEST_F(MissingQuizTest, AMissingQuizFileLeavesTheWindowEmptyButWorking)
{
    EXPECT_GE(m_log->Errors(), 1u) << "the toolkit reports the missing file";
    EXPECT_EQ(m_frame->GetTitle(), wxString::FromUTF8("Mind Prism - 你具备哪种动物潜质？"));
    EXPECT_TRUE(QuestionText().empty());
    EXPECT_EQ(Answers()->GetCount(), 0u);
    for (const char* button : {"ID_BUTTON_NEXT", "ID_BUTTON_PREV", "ID_BUTTON_RESET"})
        Press(button);
    EXPECT_TRUE(QuestionText().empty());
    EXPECT_EQ(m_frame->Navigator().Current(), nullptr);
}
