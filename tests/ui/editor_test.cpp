// The quiz editor as its author uses it: the form edits what the main
// window plays, the menu names the edit it undoes, a save goes to the file,
// unsaved edits are asked about, and a built-in quiz is copied, not changed.
#include "ui_test_util.h"

#include "quiz_xml.h"
#include "ui/quiz_editor.h"

#include <wx/cmdproc.h>
#include <wx/dataview.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/choice.h>
#include <wx/stattext.h>

#include <functional>
#include <set>

namespace
{

class EditorTest : public FrameTest
{
protected:
    QuizEditorPane& Editor() const { return m_frame->Editor(); }
    wxString MenuLabel(int id) const
    {
        return m_frame->GetMenuBar()->FindItem(id)->GetItemLabel().BeforeFirst('\t');
    }
    // Types `text` into `field` and leaves it.
    void Type(wxTextCtrl* field, const wxString& text)
    {
        field->SetValue(text);
        Editor().CommitTyping();
    }
    void ChooseTarget(int entry)
    {
        Editor().TargetChoice()->SetSelection(entry);
        SendCommand(Editor().TargetChoice(), wxEVT_CHOICE, entry);
    }
    // Selects an outline row as a click does.
    void SelectRow(unsigned row)
    {
        wxDataViewCtrl* outline = Editor().Outline();
        const wxDataViewItem item = static_cast<wxDataViewVirtualListModel*>(outline->GetModel())->GetItem(row);
        outline->Select(item);
        wxDataViewEvent event(wxEVT_DATAVIEW_SELECTION_CHANGED, outline, item);
        outline->ProcessWindowEvent(event);
    }
    // The edit commands' state is shown after the event that changed it.
    void Settled() { WaitFor([] { return false; }, 50); }

    TempDir m_folder;
};

const std::string CHAIN = QuizXml({QuestionXml("1001", "First", {{"on", "1002"}}),
                                   QuestionXml("1002", "Second", {{"on", "1003"}, {"stop", "0"}}),
                                   QuestionXml("1003", "Third", {{"done", "0"}})});

} // namespace

TEST_F(EditorTest, TheFormEditsWhatIsPlayedAndTheMenuNamesWhatItUndoes)
{
    const wxString path = m_folder.Write(wxS("quiz.xml"), CHAIN);
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    Press("ID_BUTTON_NEXT");
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    ASSERT_TRUE(Editor().IsShown());
    // Three questions, then the title.
    EXPECT_EQ(static_cast<wxDataViewVirtualListModel*>(Editor().Outline()->GetModel())->GetCount(), 4u);
    EXPECT_EQ(Editor().IdField()->GetValue(), wxS("1002")) << "the question on screen is selected";
    EXPECT_EQ(Editor().Answers()->GetCount(), 2u);

    Type(Editor().TextField(), wxS("Second, reworded"));
    EXPECT_EQ(QuestionText(), wxS("Second, reworded"));
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - *quiz.xml"));
    Settled();
    EXPECT_EQ(MenuLabel(wxID_UNDO), wxS("&Undo: change question text"));

    // The first answer now ends the quiz; the player finds it so at once.
    ChooseTarget(0);
    EXPECT_EQ(Editor().Answers()->GetString(0), wxS("End · on"));
    wxTEST_DIALOG(Press("ID_BUTTON_NEXT"), ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_EQ(box.GetMessage(), wxS("on"));
                  }));
    Menu(wxID_UNDO);
    Settled();
    EXPECT_EQ(Editor().Answers()->GetString(0), wxS("1003 · on"));
    EXPECT_EQ(MenuLabel(wxID_REDO), wxS("&Redo: change answer target"));

    // A new question gets the next free ID; an ID change retargets.
    Menu(MindprismFrame::ID_MENU_ADD_QUESTION);
    EXPECT_EQ(Editor().IdField()->GetValue(), wxS("1004"));
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1003")));
    Type(Editor().IdField(), wxS("3000"));
    Menu(MindprismFrame::ID_MENU_PLAY_HERE);
    EXPECT_EQ(QuestionText(), wxS("Third"));
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1002")));
    EXPECT_EQ(Editor().Answers()->GetString(0), wxS("3000 · on"));

    // Half the players stop at 1002, half go on to the end of 3000.
    Editor().ShowBalanceNow();
    ASSERT_GE(Editor().Balance()->GetCount(), 2u);
    EXPECT_EQ(Editor().Balance()->GetString(0), wxS("50.0 %  done"));
    EXPECT_EQ(Editor().Balance()->GetString(1), wxS("50.0 %  stop"));

    ASSERT_TRUE(m_frame->SaveQuiz());
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - quiz.xml"));
    wxString error;
    std::unique_ptr<QuizDocument> saved = QuizDocument::OpenFile(path, error);
    ASSERT_NE(saved, nullptr) << error;
    ASSERT_EQ(saved->QuestionCount(), 4u);
    EXPECT_EQ(saved->Fields(1).text, wxS("Second, reworded"));
    EXPECT_EQ(saved->Fields(1).answers[0].target, wxS("3000"));
    EXPECT_EQ(m_frame->RecentQuizzes().GetHistoryFile(0), path);
}

TEST_F(EditorTest, UnsavedEditsAreAskedAboutAndAFailedSaveKeepsThem)
{
    ASSERT_TRUE(m_frame->NewQuiz());
    ASSERT_TRUE(Editor().IsShown());
    EXPECT_EQ(Get<wxChoice>("ID_CHOICE1")->GetStringSelection(), wxS("Untitled quiz"));
    Type(Editor().TextField(), wxS("Mine"));
    EXPECT_EQ(QuestionText(), wxS("Mine"));

    // Closing: Cancel keeps the window and the edits.
    wxCloseEvent close(wxEVT_CLOSE_WINDOW, m_frame->GetId());
    close.SetCanVeto(true);
    close.SetEventObject(m_frame);
    wxTEST_DIALOG(m_frame->ProcessWindowEvent(close),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_CANCEL));
    EXPECT_TRUE(close.GetVeto());

    // A save into a folder that is not there fails, says so, keeps the edits.
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->SaveQuizAs(m_folder.File(wxS("gone/mine.xml")))),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_NE(box.GetMessage().find(wxS("mine.xml")), wxString::npos)
                          << box.GetMessage();
                  }));
    EXPECT_TRUE(m_frame->Session().HasUnsavedEdits());

    // Saved where asked, edited again: opening another quiz asks, and Save
    // writes the edits before the other quiz opens.
    const wxString mine = m_folder.File(wxS("mine.xml"));
    ASSERT_TRUE(m_frame->SaveQuizAs(mine));
    EXPECT_EQ(Get<wxChoice>("ID_CHOICE1")->GetStringSelection(), wxS("mine.xml"));
    Type(Editor().TextField(), wxS("Mine, again"));
    const wxString other = m_folder.Write(wxS("other.xml"), CHAIN);
    wxTEST_DIALOG(EXPECT_TRUE(m_frame->OpenQuiz(other)),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES));
    EXPECT_EQ(QuestionText(), wxS("First"));
    ASSERT_TRUE(m_frame->OpenQuiz(mine));
    EXPECT_EQ(QuestionText(), wxS("Mine, again"));
}

TEST_F(EditorTest, ABuiltInQuizIsReadOnlyAndSaveAsOpensAnEditableCopy)
{
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    ASSERT_TRUE(Editor().IsShown());
    EXPECT_FALSE(Editor().CanEdit());
    EXPECT_FALSE(Editor().TextField()->IsEditable());
    EXPECT_TRUE(Editor().Notice()->IsShown());
    const wxString title = m_frame->GetTitle();

    const wxString copy = m_folder.File(wxS("copy.xml"));
    ASSERT_TRUE(m_frame->SaveQuizAs(copy));
    EXPECT_EQ(Get<wxChoice>("ID_CHOICE1")->GetStringSelection(), wxS("copy.xml"));
    EXPECT_TRUE(Editor().CanEdit());
    EXPECT_TRUE(Editor().TextField()->IsEditable());
    EXPECT_FALSE(Editor().Notice()->IsShown());
    ChooseQuiz(0);
    EXPECT_EQ(m_frame->GetTitle(), title) << "the built-in quiz is as it was";

    // A recent file that is gone says so and leaves the list.
    ASSERT_EQ(m_frame->RecentQuizzes().GetHistoryFile(0), copy);
    ASSERT_TRUE(wxRemoveFile(copy));
    wxTEST_DIALOG(Menu(wxID_FILE1), ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}));
    EXPECT_TRUE(m_frame->RecentQuizzes().GetCount() == 0 ||
                m_frame->RecentQuizzes().GetHistoryFile(0) != copy);
}

TEST_F(EditorTest, ASaveThatWouldDropACommentBesideTheQuizAsksFirst)
{
    const std::string before = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- written by hand -->\n"
                               "<questions><QUESTION><ID>1001</ID><Q>First</Q>"
                               "<ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>\n";
    const wxString path = m_folder.Write(wxS("commented.xml"), before);
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    m_frame->ShowEditor(true);
    Type(Editor().TextField(), wxS("Changed"));
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->SaveQuiz()),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_NE(box.GetMessage().find(wxS("comment")), wxString::npos)
                          << box.GetMessage();
                  }, wxID_NO));
    EXPECT_EQ(ReadBytes(path), before);
    wxTEST_DIALOG(EXPECT_TRUE(m_frame->SaveQuiz()),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES));
    Type(Editor().TextField(), wxS("Changed again"));
    EXPECT_TRUE(m_frame->SaveQuiz()) << "asked once";
}

namespace
{

// The outline rows the model says changed: what the control redraws.
class ChangedRows : public wxDataViewModelNotifier
{
public:
    explicit ChangedRows(wxDataViewVirtualListModel& model) : m_model(model) {}
    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem&) override { return true; }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem&) override { return true; }
    bool ItemChanged(const wxDataViewItem& item) override
    {
        rows.insert(m_model.GetRow(item));
        return true;
    }
    bool ValueChanged(const wxDataViewItem& item, unsigned) override { return ItemChanged(item); }
    bool Cleared() override { return true; }
    void Resort() override {}

    std::set<unsigned> rows;

private:
    wxDataViewVirtualListModel& m_model;
};

} // namespace

TEST_F(EditorTest, TheOutlineRedrawsTheRowsAnEditOrAMendedProblemTouched)
{
    // Nobody reaches 1002: the outline marks it.
    const wxString path = m_folder.Write(
        wxS("quiz.xml"), QuizXml({QuestionXml("1001", "First", {{"on", "0"}}),
                                  QuestionXml("1002", "Second", {{"stop", "0"}})}));
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    auto* model = static_cast<wxDataViewVirtualListModel*>(Editor().Outline()->GetModel());
    auto* changed = new ChangedRows(*model);
    model->AddNotifier(changed);
    wxVariant value;
    model->GetValueByRow(value, 1, 2);
    EXPECT_EQ(value.GetString(), wxS("problem"));

    ASSERT_TRUE(Editor().SelectQuestion(wxS("1002")));
    Type(Editor().TextField(), wxS("Second, reworded"));
    EXPECT_EQ(changed->rows, std::set<unsigned>{1});

    // 1001 now leads to 1002: the edited row and the row whose mark went.
    changed->rows.clear();
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1001")));
    ChooseTarget(2);
    EXPECT_EQ(changed->rows, (std::set<unsigned>{0, 1}));
    model->GetValueByRow(value, 1, 2);
    EXPECT_EQ(value.GetString(), wxString());
    model->RemoveNotifier(changed);
}

TEST_F(EditorTest, DeletingAQuestionOthersLeadToAsksAndUndoBringsItAllBack)
{
    const wxString path = m_folder.Write(wxS("quiz.xml"), CHAIN);
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1003")));
    // 1002's first answer leads to 1003.
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_DELETE_QUESTION),
                  ExpectDialog<wxMessageDialog>(
                      [](wxMessageDialog& box) {
                          EXPECT_NE(box.GetMessage().find(wxS("1 answer leads here")), wxString::npos)
                              << box.GetMessage();
                      },
                      wxID_NO));
    EXPECT_TRUE(Editor().SelectQuestion(wxS("1003"))) << "kept";
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_DELETE_QUESTION),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES));
    EXPECT_FALSE(Editor().SelectQuestion(wxS("1003")));
    // The answer left dangling is marked in its row, and said whole in the
    // list's tip while it is selected.
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1002"), 0));
    EXPECT_EQ(Editor().Answers()->GetString(0), wxString::FromUTF8("⚠ 1003 (no such question) · on"));
    EXPECT_EQ(Editor().Answers()->GetString(1), wxS("End · stop"));
    ASSERT_NE(Editor().Answers()->GetToolTip(), nullptr);
    EXPECT_NE(Editor().Answers()->GetToolTipText().find(wxS("1003")), wxString::npos);
    Menu(wxID_UNDO);
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1002")));
    EXPECT_EQ(Editor().Answers()->GetString(0), wxS("1003 · on"));
    EXPECT_EQ(Editor().Answers()->GetToolTip(), nullptr);
    EXPECT_TRUE(Editor().SelectQuestion(wxS("1003")));

    // A copy takes the next free ID, right after its original.
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1002")));
    Settled();
    Menu(MindprismFrame::ID_MENU_DUPLICATE_QUESTION);
    EXPECT_EQ(Editor().IdField()->GetValue(), wxS("1004"));
    EXPECT_EQ(Editor().TextField()->GetValue(), wxS("Second"));
    EXPECT_EQ(Editor().Answers()->GetCount(), 2u);
    EXPECT_EQ(Editor().Selected(), 2);
    Settled();
    EXPECT_EQ(MenuLabel(wxID_UNDO), wxS("&Undo: duplicate question"));
}

TEST_F(EditorTest, TheTitleAndResultsAreEditedInTheOutlineAndARenameIsOneUndo)
{
    const std::string arrow = "\xE2\x86\x92";
    const wxString path = m_folder.Write(
        wxS("quiz.xml"),
        QuizXml(QuestionXml("1001", "First", {{"Bold " + arrow + " Rogue", "0"}, {"Kind " + arrow + " Rogue", "0"},
                                              {"Calm", "0"}, {"on", "1001"}}) +
                "<RESULT><NAME>Rogue</NAME><TEXT>wits</TEXT></RESULT>"
                "<RESULT><NAME>Saint</NAME><TEXT>grace</TEXT></RESULT>"));
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    auto* model = static_cast<wxDataViewVirtualListModel*>(Editor().Outline()->GetModel());
    ASSERT_EQ(model->GetCount(), 4u) << "the question, the title, two results";
    wxVariant value;
    model->GetValueByRow(value, 3, 1);
    EXPECT_EQ(value.GetString(), wxS("Saint"));

    // Choosing a row edits nothing.
    SelectRow(3);
    Settled();
    SelectRow(2);
    Settled();
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - quiz.xml"));

    // The title row: what is typed names the quiz where it is offered.
    SelectRow(1);
    EXPECT_TRUE(Editor().TitleField()->IsShownOnScreen());
    EXPECT_FALSE(Editor().AnswerField()->IsShownOnScreen());
    Type(Editor().TitleField(), wxS("Which hero are you?"));
    EXPECT_EQ(Get<wxChoice>("ID_CHOICE1")->GetString(2), wxS("Which hero are you?"));
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - *Which hero are you?"));
    EXPECT_TRUE(Editor().TitleField()->IsShownOnScreen()) << "the title stays selected";

    // A rename renames the endings naming it; one Undo takes both back.
    SelectRow(2);
    EXPECT_EQ(Editor().ResultTextField()->GetValue(), wxS("wits"));
    Type(Editor().ResultNameField(), wxS("Trickster"));
    QuizDocument& document = *m_frame->Session().EditedDocument();
    EXPECT_EQ(document.Fields(0).answers[1].text, wxString::FromUTF8("Kind " + arrow + " Trickster"));
    Settled();
    EXPECT_EQ(MenuLabel(wxID_UNDO), wxS("&Undo: rename result"));
    Menu(wxID_UNDO);
    EXPECT_EQ(document.Fields(0).answers[0].text, wxString::FromUTF8("Bold " + arrow + " Rogue"));
    EXPECT_EQ(document.Fields(0).answers[1].text, wxString::FromUTF8("Kind " + arrow + " Rogue"));
    EXPECT_EQ(Editor().ResultNameField()->GetValue(), wxS("Rogue"));

    // An ending chooses its result among the quiz's; "Calm" named none.
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1001")));
    Editor().Answers()->SetSelection(2);
    SendCommand(Editor().Answers(), wxEVT_LISTBOX, 2);
    wxChoice* results = Editor().ResultChoice();
    EXPECT_TRUE(results->IsEnabled());
    EXPECT_EQ(results->GetString(results->GetSelection()), wxS("Calm (no such result)"));
    results->SetSelection(1);
    SendCommand(results, wxEVT_CHOICE, 1);
    EXPECT_EQ(document.Fields(0).answers[2].text, wxString::FromUTF8("Calm " + arrow + " Saint"));
    EXPECT_EQ(results->GetSelection(), 1);
    // An answer that does not end has no result to choose.
    Editor().Answers()->SetSelection(3);
    SendCommand(Editor().Answers(), wxEVT_LISTBOX, 3);
    EXPECT_FALSE(results->IsEnabled());

    // Deleting a result that endings name asks first.
    ASSERT_TRUE(Editor().SelectResult(0));
    wxTEST_DIALOG(SendCommand(FindByName<wxButton>(m_frame, "ResultDelete"), wxEVT_BUTTON, 0),
                  ExpectDialog<wxMessageDialog>(
                      [](wxMessageDialog& box) {
                          EXPECT_NE(box.GetMessage().find(wxS("2 endings name this result")), wxString::npos)
                              << box.GetMessage();
                      },
                      wxID_NO));
    EXPECT_EQ(document.ResultCount(), 2u);

    // A new quiz (after saying not to save) shows its question's form whole,
    // and has a title to fill in and two results.
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_NEW), ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_NO));
    EXPECT_EQ(model->GetCount(), 4u);
    EXPECT_TRUE(Editor().AnswerField()->IsShownOnScreen());
    EXPECT_TRUE(Editor().TargetChoice()->IsShownOnScreen());
    EXPECT_FALSE(Editor().ResultNameField()->IsShownOnScreen());
    EXPECT_EQ(results->GetString(results->GetSelection()), _("First result"));
}

TEST_F(EditorTest, ALargeQuizsEditShowsAtOnceAndItsCheckFollowsWithCheckingMeanwhile)
{
    // Every quiz checked as a large one is, off the window's thread.
    m_frame->Session().CheckInBackground(
        [frame = m_frame](std::function<void()> work) { frame->CallAfter(std::move(work)); }, 0);
    // 1004 is reached by nobody: a finding from the start.
    const std::string quiz = QuizXml({QuestionXml("1001", "First", {{"on", "1002"}, {"stop", "0"}}),
                                      QuestionXml("1002", "Second", {{"done", "0"}}),
                                      QuestionXml("1004", "Aside", {{"done", "0"}})});
    ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("quiz.xml"), quiz)));
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    auto* problems = Get<wxDataViewListCtrl>("ID_DATAVIEW_PROBLEMS");
    ASSERT_EQ(problems->GetItemCount(), 1);
    const wxString checking = _("Checking...");

    Type(Editor().TextField(), wxS("First, reworded"));
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1004")));
    Type(Editor().IdField(), wxS("1003"));
    EXPECT_EQ(QuestionText(), wxS("First, reworded")) << "the question on screen shows its edit at once";
    ASSERT_TRUE(m_frame->Session().Checking());
    EXPECT_EQ(problems->GetTextValue(0, 2), checking);
    EXPECT_EQ(problems->GetItemCount(), 2) << "the last check's finding stays below";
    Editor().ShowBalanceNow();
    EXPECT_EQ(Editor().Balance()->GetString(0), checking);

    // The check's result comes through the window's events.
    ASSERT_TRUE(WaitFor([&] { return !m_frame->Session().Checking(); }));
    Settled();
    std::vector<wxString> messages;
    for (int row = 0; row < problems->GetItemCount(); ++row)
        messages.push_back(problems->GetTextValue(row, 2));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(wxS("\"1003\"")), wxString::npos) << messages[0];
    Editor().ShowBalanceNow();
    EXPECT_EQ(Editor().Balance()->GetString(0), wxS("50.0 %  done"));
}
