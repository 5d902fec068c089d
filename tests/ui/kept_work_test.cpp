// What an author writes is never lost in the window, each case a way it
// once was: a save across a dialog while another program changes the file,
// another program's change written over while a built-in quiz is shown,
// typing reverted by a reload, an unplayable save shown as fine, a false
// alarm after a failed open, recent quizzes listed twice, the undo history
// dropped by a switch, a read-only file written over unasked.
#include "ui_test_util.h"

#include "quiz/quiz_session.h"
#include "quiz/safe_save.h"
#include "quiz_xml.h"
#include "ui/quiz_editor.h"

#include <wx/aui/aui.h>
#include <wx/dataview.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

namespace
{

class KeptWorkTest : public FrameTest
{
protected:
    QuizEditorPane& Editor() const { return m_frame->Editor(); }
    void Type(wxTextCtrl* field, const wxString& text)
    {
        field->SetValue(text);
        Editor().CommitTyping();
    }
    // Opens `xml` (written as `name`) with the editor shown.
    wxString OpenForEditing(const std::string& xml, const wxString& name = wxS("quiz.xml"))
    {
        const wxString path = m_folder.Write(name, xml);
        EXPECT_TRUE(m_frame->OpenQuiz(path));
        m_frame->ShowEditor(true);
        return path;
    }
    bool Holds(const wxString& path, const char* text) const
    {
        return ReadBytes(path).find(text) != std::string::npos;
    }
    wxString MenuLabel(int id) const
    {
        return m_frame->GetMenuBar()->FindItem(id)->GetItemLabel().BeforeFirst('\t');
    }

    TempDir m_folder;
};

std::string Chain(const std::string& first = "First")
{
    return QuizXml({QuestionXml("1001", first, {{"on", "1002"}}),
                    QuestionXml("1002", "Second", {{"on", "1003"}}),
                    QuestionXml("1003", "Third", {{"done", "0"}})});
}

} // namespace

TEST_F(KeptWorkTest, AChangeOnDiskDuringASaveDialogWaitsAndTheSaveAsksAboutIt)
{
    // A comment before the root: the first save asks whether to drop it.
    const std::string mine = "<!-- by hand -->\n" + Chain();
    const wxString path = OpenForEditing(mine);
    Type(Editor().TextField(), wxS("Mine"));
    wxTEST_DIALOG(EXPECT_TRUE(m_frame->SaveQuiz()),
                  ExpectDialog<wxMessageDialog>(
                      [&](wxMessageDialog&) {
                          // Meanwhile another program saves, and the window hears of it.
                          m_folder.Write(wxS("quiz.xml"), Chain("Theirs"));
                          m_frame->ReloadOpenedQuiz();
                      },
                      wxID_YES),
                  ExpectDialog<wxMessageDialog>(
                      [](wxMessageDialog& box) {
                          EXPECT_NE(box.GetMessage().find(wxS("another program")), wxString::npos)
                              << box.GetMessage();
                      },
                      wxID_YES));
    EXPECT_TRUE(Holds(path, "Mine"));
    EXPECT_FALSE(m_frame->Session().HasUnsavedEdits());
    Settle();  // the change heard during the dialogs: the file is the author's now
    EXPECT_EQ(QuestionText(), wxS("Mine"));
}

TEST_F(KeptWorkTest, AnotherProgramsChangeIsNotWrittenOverWhileABuiltInQuizIsShown)
{
    const wxString path = OpenForEditing(Chain());
    Type(Editor().TextField(), wxS("Mine"));
    ChooseQuiz(0);
    m_folder.Write(wxS("quiz.xml"), Chain("Theirs"));

    // Closing asks about the edits: Save, then the file's change is asked
    // about; the author would save elsewhere, but thinks again.
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->ConfirmUnsavedEdits()),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES),
                  ExpectDialog<wxMessageDialog>(
                      [](wxMessageDialog& box) {
                          EXPECT_NE(box.GetMessage().find(wxS("another program")), wxString::npos)
                              << box.GetMessage();
                      },
                      wxID_HELP),
                  ExpectDialog<wxFileDialog>([](wxFileDialog&) {}, wxID_CANCEL));
    EXPECT_TRUE(Holds(path, "Theirs"));
    EXPECT_TRUE(m_frame->Session().HasUnsavedEdits());
    // Loading the file is a choice too: their version is played.
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->SaveQuiz()),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_NO));
    EXPECT_EQ(QuestionText(), wxS("Theirs"));
    EXPECT_FALSE(m_frame->Session().HasUnsavedEdits());
}

TEST_F(KeptWorkTest, TypingNotYetLeftIsAnEditWhenAnotherProgramSaves)
{
    OpenForEditing(Chain());
    Editor().TextField()->SetValue(wxS("typed, not left"));
    EXPECT_TRUE(m_frame->Session().HasUnsavedEdits());
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - *quiz.xml"));

    m_folder.Write(wxS("quiz.xml"), Chain("Theirs"));
    wxTEST_DIALOG(m_frame->ReloadOpenedQuiz(),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES));
    EXPECT_EQ(Editor().TextField()->GetValue(), wxS("typed, not left"));
}

TEST_F(KeptWorkTest, AnUnplayableSaveIsShownAsUnplayable)
{
    const wxString path = OpenForEditing(Chain());
    ASSERT_TRUE(Editor().SelectQuestion(wxS("1001")));
    Type(Editor().IdField(), wxS("1000"));
    ASSERT_TRUE(m_frame->SaveQuiz());
    m_frame->ReloadOpenedQuiz();  // the follower, after the save

    wxDataViewListCtrl* problems = Get<wxDataViewListCtrl>("ID_DATAVIEW_PROBLEMS");
    EXPECT_TRUE(wxAuiManager::GetManager(m_frame)->GetPane(problems).IsShown());
    ASSERT_GT(problems->GetItemCount(), 0);
    EXPECT_NE(problems->GetTextValue(0, 2).find(wxS("1001")), wxString::npos)
        << problems->GetTextValue(0, 2);
    Editor().ShowBalanceNow();
    EXPECT_TRUE(Editor().BalanceNote()->IsShown());
    EXPECT_NE(Editor().BalanceNote()->GetLabel().find(wxS("cannot be played")), wxString::npos);
    EXPECT_EQ(m_frame->Session().Opened()->state, OpenedQuiz::FileState::Broken);
}

TEST_F(KeptWorkTest, AFailedOpenRaisesNoFalseAlarm)
{
    OpenForEditing(Chain());
    Type(Editor().TextField(), wxS("Mine"));
    const wxString notXml = m_folder.Write(wxS("notes.xml"), "not a quiz at all");
    // Discarding is asked for; the file then cannot be opened: the edits stay.
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->OpenQuiz(notXml)),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_NO),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}));
    EXPECT_TRUE(m_frame->Session().HasUnsavedEdits());
    ChooseQuiz(0);
    ChooseQuiz(2);  // no dialog: nobody changed the file
    Settle();
    EXPECT_EQ(QuestionText(), wxS("Mine"));
}

TEST_F(KeptWorkTest, RecentQuizzesAreListedOnceEachAndOpenWhatTheyName)
{
    const wxString first = m_folder.Write(wxS("first.xml"), Chain("One"));
    const wxString second = m_folder.Write(wxS("second.xml"), Chain("Two"));
    ASSERT_TRUE(m_frame->OpenQuiz(first));
    ASSERT_TRUE(m_frame->OpenQuiz(second));
    // The list as a new start reads it from the settings.
    Close();
    Open(RuntimeDir());
    const wxList& menus = m_frame->RecentQuizzes().GetMenus();
    ASSERT_FALSE(menus.empty());
    EXPECT_EQ(static_cast<wxMenu*>(menus.GetFirst()->GetData())->GetMenuItemCount(),
              m_frame->RecentQuizzes().GetCount());
    Menu(wxID_FILE1 + 1);
    EXPECT_EQ(QuestionText(), wxS("One"));
}

TEST_F(KeptWorkTest, TheUndoHistoryStaysWithItsQuizAcrossASwitch)
{
    OpenForEditing(Chain());
    Type(Editor().TextField(), wxS("Mine"));
    ChooseQuiz(0);
    ChooseQuiz(2);
    Settle();
    EXPECT_EQ(MenuLabel(wxID_UNDO), wxS("&Undo: change question text"));
    Menu(wxID_UNDO);
    EXPECT_EQ(QuestionText(), wxS("First"));
    EXPECT_FALSE(m_frame->Session().HasUnsavedEdits());
}

TEST_F(KeptWorkTest, AReadOnlyFileIsWrittenOnlyWhenTheAuthorSaysSoAndStaysReadOnly)
{
    const wxString path = OpenForEditing(Chain());
    ASSERT_TRUE(wxFileName(path).SetPermissions(wxS_IRUSR | wxS_IRGRP | wxS_IROTH));
    Type(Editor().TextField(), wxS("Mine"));
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->SaveQuiz()),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_NO));
    EXPECT_FALSE(Holds(path, "Mine"));
    wxTEST_DIALOG(EXPECT_TRUE(m_frame->SaveQuiz()),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES));
    EXPECT_TRUE(Holds(path, "Mine"));
    EXPECT_TRUE(IsReadOnlyFile(path));
    wxFileName(path).SetPermissions(wxS_IRUSR | wxS_IWUSR);
}
