// Moving through the quizzes in the real window: switching between them, and
// the hidden button that shows where an answer leads.
#include "ui_test_util.h"

#include <wx/msgdlg.h>

TEST_F(FrameTest, SwitchingQuizzesRetitlesAndStartsTheOtherQuiz)
{
    const wxString animals = QuestionText();
    Press("ID_BUTTON_NEXT");
    const wxString animalSecond = QuestionText();
    ChooseQuiz(1);
    EXPECT_EQ(m_frame->GetTitle(), wxString::FromUTF8("Mind Prism - 你的内在星座是什么？"));
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
