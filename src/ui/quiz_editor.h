// The quiz editor: a pane beside the quiz with the outline of the current
// quiz's questions and a form for the one selected. It shows the session's
// document of the quiz on screen and hands every change to the document as
// an edit that its history can undo; the quiz itself lives in the document,
// the player's place in the session.
#pragma once

#include "quiz/quiz_session.h"

#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/timer.h>

#include <memory>
#include <set>
#include <vector>

class OutlineModel;
class wxAuiManager;
class wxButton;
class wxChoice;
class wxDataViewCtrl;
class wxDataViewEvent;
class wxFocusEvent;
class wxFrame;
class wxListBox;
class wxPanel;
class wxStaticText;
class wxTextCtrl;

class QuizEditorPane : public wxEvtHandler
{
public:
    // Docks the pane (hidden) on the right of `frame`; `quiz` keeps its
    // width when it shows: the frame grows instead.
    QuizEditorPane(wxFrame& frame, wxAuiManager& manager, wxWindow& quiz, QuizSession& session);
    ~QuizEditorPane() override;
    QuizEditorPane(const QuizEditorPane&) = delete;
    QuizEditorPane& operator=(const QuizEditorPane&) = delete;

    // Shows the pane with the question on screen selected, or hides it.
    void Show(bool show);
    bool IsShown() const;

    // Selects the question with `id` (the first of that ID); false when the
    // quiz has none.
    bool SelectQuestion(const wxString& id);
    // The question selected, by position in the document; -1 for none.
    int Selected() const { return m_selected; }

    // A field being typed in becomes an edit now (before a save, an undo,
    // another command), not only when it loses the focus.
    void CommitTyping();

    // Commands of the Edit menu.
    void AddQuestion();
    // Asks first when answers lead to the question.
    void DeleteQuestion();
    void DuplicateQuestion();
    void PlayFromHere();
    bool CanEdit() const;
    // Works the balance out now instead of a moment after the last edit
    // (for tests and benchmarks).
    void ShowBalanceNow();

    // The controls, for tests.
    wxDataViewCtrl* Outline() const { return m_outline; }
    wxTextCtrl* IdField() const { return m_idField; }
    wxTextCtrl* TextField() const { return m_textField; }
    wxListBox* Answers() const { return m_answers; }
    wxTextCtrl* AnswerField() const { return m_answerField; }
    wxChoice* TargetChoice() const { return m_targetChoice; }
    wxTextCtrl* TargetField() const { return m_targetField; }
    wxStaticText* Notice() const { return m_notice; }
    wxListBox* Balance() const { return m_balance; }

private:
    void BuildControls();
    void OnSessionChange(const SessionChange& change);
    void OnDocumentChange(const QuizDocumentChange& change);
    // Takes the session's document of the quiz on screen.
    void TakeDocument();
    void ShowAll();            // outline, targets, form
    void ShowForm();           // the selected question's fields
    void ShowAnswer();         // the selected answer's text and target
    void ShowTargets();        // the choice of targets, from the questions
    void UpdateTarget(size_t question);  // one question's entry in it
    void CompleteTargets();    // the IDs the target field offers, when stale
    void UpdateMarks();        // questions with findings
    void Select(int question);
    void EnableControls();
    // The balance of results of the quiz's version played, soon.
    void ScheduleBalance();
    void ShowBalance();


    // Hands an edit to the document's history; false when there was none.
    bool Submit(std::unique_ptr<QuizEdit> edit);
    // Tells the session whether the fields hold typing not yet an edit.
    void UpdateTyping();
    // Whether a field differs from the selected question's value.
    bool FieldsDiffer() const;

    void OnOutlineSelected(wxDataViewEvent& event);
    void OnFieldEnter(wxCommandEvent& event);
    void OnFieldTyped(wxCommandEvent& event);
    void OnFieldFocusLost(wxFocusEvent& event);
    void OnAnswerSelected(wxCommandEvent& event);
    void OnTargetChosen(wxCommandEvent& event);
    void OnAddAnswer(wxCommandEvent& event);
    void OnRemoveAnswer(wxCommandEvent& event);
    void OnMoveUp(wxCommandEvent& event);
    void OnMoveDown(wxCommandEvent& event);

    wxFrame& m_frame;
    wxAuiManager& m_manager;
    wxWindow& m_quiz;
    QuizSession& m_session;

    // The session's document of the quiz shown; shared, so that it lives as
    // long as the editor shows it, until the session says it was replaced.
    std::shared_ptr<QuizDocument> m_document;
    bool m_bound = false;                // m_document is the session's current one
    int m_selected = -1;
    int m_answer = -1;        // the answer selected in the form
    wxSize m_growth;          // what the frame grew by when the pane showed
    std::vector<wxString> m_targets;  // the target of each entry of the choice
    bool m_completionStale = false;   // the target field offers IDs no longer right
    std::set<wxString> m_marked;      // IDs of questions with findings

    wxPanel* m_panel = nullptr;
    wxStaticText* m_notice = nullptr;
    wxDataViewCtrl* m_outline = nullptr;
    OutlineModel* m_model = nullptr;  // owned by the outline
    wxTextCtrl* m_idField = nullptr;
    wxTextCtrl* m_textField = nullptr;
    wxListBox* m_answers = nullptr;
    wxButton* m_addAnswer = nullptr;
    wxButton* m_removeAnswer = nullptr;
    wxButton* m_moveUp = nullptr;
    wxButton* m_moveDown = nullptr;
    wxTextCtrl* m_answerField = nullptr;
    wxChoice* m_targetChoice = nullptr;
    wxTextCtrl* m_targetField = nullptr;  // in place of the choice in a large quiz
    wxButton* m_addQuestion = nullptr;
    wxButton* m_deleteQuestion = nullptr;
    wxButton* m_play = nullptr;
    wxListBox* m_balance = nullptr;
    wxTimer m_balanceTimer;

    QuizSession::Subscription m_sessionSubscription;
    Publisher<QuizDocumentChange>::Subscription m_documentSubscription;
};
