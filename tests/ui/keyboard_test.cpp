// The main window, its editor and its map with the keyboard alone, keys
// pressed as a user presses them: a list chosen by its label takes the
// arrows, the menus' shortcuts work wherever the focus is, and a double
// click on a player's answer stays what it was.
#include "ui_test_util.h"

#include "focus_holder.h"

#include "app/language.h"
#include "quiz_xml.h"
#include "ui/quiz_editor.h"
#include "ui/quiz_map_link.h"
#include "ui/quiz_map_window.h"

#include <wx/dataview.h>
#include <wx/intl.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

namespace
{

class KeyboardTest : public FrameTest
{
protected:
    // The window in front, the pointer over it (Xvfb has no window manager
    // to give a window the keys), and `control` focused.
    void Focus(wxWindow* control)
    {
        wxWindow* top = wxGetTopLevelParent(control);
        top->Raise();
        wxUIActionSimulator().MouseMove(top->GetScreenRect().GetPosition() + wxPoint(40, 80));
        Settle();
        control->SetFocus();
        ASSERT_TRUE(WaitFor([&] { return FocusHolder(top) == control; }, 3000)) << control->GetName();
    }
    void Keys(int key, int modifiers = wxMOD_NONE)
    {
        wxUIActionSimulator().Char(key, modifiers);
        Settle();
    }
    QuizEditorPane& Editor() const { return m_frame->Editor(); }

    TempDir m_folder;
};

// Alt+key on each label of `panel` puts the focus in the control after it,
// ready for use: a list with a row selected, so that the arrows move on.
void ExpectLabelsFocusUsableControls(wxWindow* panel)
{
    wxWindow* top = wxGetTopLevelParent(panel);
    const wxWindowList& children = panel->GetChildren();
    for (auto child = children.begin(); child != children.end(); ++child)
    {
        const wxStaticText* label = dynamic_cast<const wxStaticText*>(*child);
        // A disabled label's key does nothing, like its control.
        const wxChar key = label && label->IsShown() && label->IsEnabled() ? Mnemonic(label->GetLabel()) : 0;
        if (!key)
            continue;
        auto next = std::next(child);
        while (next != children.end() && !((*next)->IsShown() && (*next)->AcceptsFocusFromKeyboard()))
            ++next;
        ASSERT_NE(next, children.end()) << label->GetLabel();
        wxWindow* control = *next;
        top->SetFocus();
        wxUIActionSimulator().Char(key, wxMOD_ALT);
        EXPECT_TRUE(WaitFor([&] { return FocusHolder(top) == control; }, 3000))
            << label->GetLabel() << " focuses " << (FocusHolder(top) ? FocusHolder(top)->GetName() : wxString("nothing"));
        const wxListBox* list = dynamic_cast<const wxListBox*>(control);
        if (!list || list->GetCount() < 2)
            continue;
        const int selected = list->GetSelection();
        ASSERT_NE(selected, wxNOT_FOUND) << label->GetLabel();
        // The arrows move the selection, not the focus.
        const int step = selected + 1 < static_cast<int>(list->GetCount()) ? 1 : -1;
        wxUIActionSimulator().Char(step > 0 ? WXK_DOWN : WXK_UP);
        EXPECT_TRUE(WaitFor([&] { return list->GetSelection() == selected + step; }, 3000)) << label->GetLabel();
    }
}

const std::string CHAIN = QuizXml({QuestionXml("1001", "First", {{"one", "1002"}, {"two", "1002"}, {"three", "0"}}),
                                   QuestionXml("1002", "Second", {{"done", "0"}})});

} // namespace

// Alt+key on a label reaches the control after it, in the main window and
// the editor, in every language a catalogue is shipped for (their keys
// differ); main_frame_test.cpp sees that the keys are each label's own.
TEST_F(KeyboardTest, EveryLabelsKeyPutsTheFocusInAControlReadyForUse)
{
    Close();
    // Two answers a question and two results, so that each list has rows to
    // move in; the answer shown first is an ending, so its result can be chosen.
    const wxString quiz = m_folder.Write(
        wxS("quiz.xml"),
        QuizXml({QuestionXml("1001", "First", {{"stop \xE2\x86\x92 A", "0"}, {"on", "1002"}}),
                 QuestionXml("1002", "Second", {{"done \xE2\x86\x92 B", "0"}, {"again", "1001"}}),
                 "<RESULT><NAME>A</NAME><TEXT>a</TEXT></RESULT><RESULT><NAME>B</NAME><TEXT>b</TEXT></RESULT>"}));
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    for (const wxLanguage language : {wxLANGUAGE_CHINESE_SIMPLIFIED, wxLANGUAGE_ENGLISH})
    {
        SCOPED_TRACE(wxLocale::GetLanguageCanonicalName(language).ToStdString());
        wxLocale locale;
        InitUiLocale(locale, language, wxS("Mindprism"));
        Open(RuntimeDir());
        ASSERT_TRUE(m_frame->OpenQuiz(quiz));
        m_frame->ShowEditor(true);
        Editor().ShowBalanceNow();
        Focus(Answers());
        ASSERT_TRUE(Get<wxWindow>("AnswerResult")->IsEnabled());
        for (const char* panel : {"ID_PANEL1", "QuizEditor"})
            ExpectLabelsFocusUsableControls(Get<wxWindow>(panel));
        Close();
    }
}

// Alt+L, Down and Alt+W edited the first answer: the label focused the
// frame around the list, Down moved the focus on to the answer's text, and
// even a second answer chosen in the list was dropped again.
TEST_F(KeyboardTest, TheAnswerListsLabelLetsTheArrowsChooseTheAnswerThatIsThenEdited)
{
    ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("quiz.xml"), CHAIN)));
    m_frame->ShowEditor(true);
    Focus(Editor().Outline());
    Keys('l', wxMOD_ALT);
    ASSERT_TRUE(WaitFor([&] { return FocusHolder(m_frame) == Editor().Answers(); }, 3000));
    Keys(WXK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return Editor().AnswerField()->GetValue() == wxS("two"); }, 3000));
    EXPECT_EQ(Editor().Answers()->GetSelection(), 1);
    Keys('w', wxMOD_ALT);
    ASSERT_TRUE(WaitFor([&] { return FocusHolder(m_frame) == Editor().AnswerField(); }, 3000));
    wxUIActionSimulator().Text("2");
    Keys(WXK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return Editor().Answers()->GetString(1).EndsWith(wxS("2")); }, 3000));
    const QuestionFields fields = m_frame->Session().Document()->Fields(0);
    EXPECT_EQ(fields.answers[0].text, wxS("one"));
    EXPECT_NE(fields.answers[1].text, wxS("two"));
}

// Ctrl+N did nothing in the player's answer list: its rows took it as a move.
TEST_F(KeyboardTest, TheMenusShortcutsWorkWhereverTheFocusIs)
{
    Focus(Answers());
    Keys('n', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return m_frame->Session().OpenedShown(); }, 3000)) << "Ctrl+N in the answer list";
    EXPECT_TRUE(Editor().IsShown());
    Focus(Editor().Outline());
    Keys('e', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return !Editor().IsShown(); }, 3000)) << "Ctrl+E in the outline";
    Focus(Answers());
    Keys('e', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return Editor().IsShown(); }, 3000)) << "Ctrl+E in the answer list";
}

// The map window had none of the main window's shortcuts: Ctrl+Z and
// Ctrl+S did nothing there.
TEST_F(KeyboardTest, TheMapWindowPassesTheMainWindowsShortcutsOn)
{
    if (!QuizMapLink::Available())
        return;
    ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("quiz.xml"), CHAIN)));
    m_frame->ShowEditor(true);
    Editor().TextField()->SetValue(wxS("Changed"));
    Editor().CommitTyping();
    ASSERT_EQ(QuestionText(), wxS("Changed"));
    Menu(MindprismFrame::ID_MENU_MAP);
    ASSERT_NE(m_frame->Map().Window(), nullptr);
    QuizMapFrame* map = m_frame->Map().Window();
    Focus(map->Canvas());
    Keys('z', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return QuestionText() != wxS("Changed"); }, 3000)) << "Ctrl+Z in the map";
    Keys('y', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return QuestionText() == wxS("Changed"); }, 3000)) << "Ctrl+Y in the map";
    Keys('s', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return !m_frame->Session().HasUnsavedEdits(); }, 3000)) << "Ctrl+S in the map";
    // The map's own keys stay its own.
    const double zoom = map->Canvas()->Zoom();
    Keys('-', wxMOD_CONTROL);
    EXPECT_LT(map->Canvas()->Zoom(), zoom);
    map->Close(true);
}

TEST_F(KeyboardTest, ADoubleClickOnAPlayersAnswerChangesNothing)
{
    const wxString question = QuestionText();
    Focus(Answers());
    const wxRect row = Answers()->GetScreenRect();
    wxUIActionSimulator mouse;
    mouse.MouseMove(row.GetPosition() + wxPoint(row.width / 2, Answers()->FromDIP(10)));
    Settle();
    mouse.MouseDblClick();
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(QuestionText(), question);
    EXPECT_EQ(Answers()->GetSelection(), 0);
}
