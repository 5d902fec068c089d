// Taking the quizzes through the real window: Next, Prev, switching, results.
#include "ui_test_util.h"

#include "quiz/result_catalogue.h"
#include "ui/result_dialog.h"

#include <wx/msgdlg.h>
#include <wx/stattext.h>

TEST_F(FrameTest, TheEndOfTheFirstQuizOpensTheResultDialog)
{
    WalkToAnEnd();
    const wxString chosen = SelectedAnswer();
    bool shown = false;
    wxTEST_DIALOG(Press("ID_BUTTON_NEXT"), ExpectDialog<ResultDlg>([&](ResultDlg& dialog) {
                      shown = true;
                      dialog.InitDialog();  // what showing it does first
                      EXPECT_EQ(dialog.GetTitle(), wxS("Result"));
                      EXPECT_EQ(dialog.GetName(), wxS("id"));
                      auto* label = FindByName<wxStaticText>(&dialog, wxS("ID_STATICTEXT1"));
                      ASSERT_NE(label, nullptr);
                      EXPECT_EQ(label->GetLabelText(), chosen);
                      auto* catalogue = FindByName<wxTextCtrl>(&dialog, wxS("ID_TEXTCTRL1"));
                      ASSERT_NE(catalogue, nullptr);
                      EXPECT_TRUE(catalogue->GetValue().StartsWith(wxString(wxS('-'), 24) + "\n"));
                      EXPECT_EQ(catalogue->GetValue(), wxString(RESULT_CATALOGUE));
                      EXPECT_FALSE(catalogue->IsEditable());
                  }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(g_resultText, chosen);
    // The last question stays on screen; Prev shows it again first.
    EXPECT_EQ(SelectedAnswer(), chosen);
    const wxString last = QuestionText();
    Press("ID_BUTTON_PREV");
    EXPECT_EQ(QuestionText(), last);
}

TEST_F(FrameTest, TheEndOfTheSecondQuizShowsTheResultInAMessageBox)
{
    ChooseQuiz(1);
    EXPECT_EQ(m_frame->GetTitle(), wxString::FromUTF8("Mind Prism - 你的内在星座是什么？"));
    WalkToAnEnd();
    const wxString chosen = SelectedAnswer();
    wxTEST_DIALOG(Press("ID_BUTTON_NEXT"), ExpectDialog<wxMessageDialog>([&](wxMessageDialog& box) {
                      EXPECT_EQ(box.GetMessage(), chosen);
                      EXPECT_EQ(box.GetTitle(), wxS("Result"));
                  }));
}

TEST_F(FrameTest, SwitchingQuizzesRetitlesAndStartsTheOtherQuiz)
{
    const wxString animals = QuestionText();
    Press("ID_BUTTON_NEXT");
    const wxString animalSecond = QuestionText();
    ChooseQuiz(1);
    const wxString stars = QuestionText();
    EXPECT_NE(stars, animals);
    // Prev right after the switch goes back into the quiz left behind.
    Press("ID_BUTTON_PREV");
    EXPECT_EQ(QuestionText(), animals);
    ChooseQuiz(0);
    EXPECT_EQ(m_frame->GetTitle(), wxString::FromUTF8("Mind Prism - 你具备哪种动物潜质？"));
    EXPECT_EQ(QuestionText(), animals);
    Press("ID_BUTTON_NEXT");
    EXPECT_EQ(QuestionText(), animalSecond);
}

TEST_F(FrameTest, TheHiddenTestButtonShowsWhereTheSelectedAnswerLeads)
{
    const Question* entry = m_frame->Navigator().Current();
    ASSERT_NE(entry, nullptr);
    Answers()->SetSelection(1);
    wxTEST_DIALOG(Press("ID_BUTTON_TEST"), ExpectDialog<wxMessageDialog>([&](wxMessageDialog& box) {
                      EXPECT_EQ(box.GetMessage(), entry->answers[1].target);
                  }));
}
