// The quiz editor: a pane beside the quiz with the outline of the current
// quiz's questions, its title and its results, and a form for the one
// selected. It shows the session's
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
class wxBoxSizer;
class wxButton;
class wxChoice;
class wxDataViewCtrl;
class wxDataViewEvent;
class wxFocusEvent;
class wxFrame;
class wxListBox;
class wxPanel;
class wxSizer;
class wxStaticText;
class wxTextCtrl;

class QuizEditorPane : public wxEvtHandler
{
public:
    // Docks the pane (hidden) on the right of `frame`, beside the quiz,
    // which keeps its width when it shows: the frame grows instead.
    QuizEditorPane(wxFrame& frame, wxAuiManager& manager, QuizSession& session);
    ~QuizEditorPane() override;
    QuizEditorPane(const QuizEditorPane&) = delete;
    QuizEditorPane& operator=(const QuizEditorPane&) = delete;

    // Shows the pane with the question on screen selected, or hides it.
    void Show(bool show);
    bool IsShown() const;

    // Selects the question with `id` (the first of that ID) and, when
    // `answer` is one of its answers, that answer; false when the quiz has
    // no such question.
    bool SelectQuestion(const wxString& id, int answer = -1);
    // Puts the keyboard focus on the selected answer, or on the question in
    // the outline, so that what was gone to is what the keys act on.
    void FocusSelection(bool onAnswer);
    // The question selected, by position in the document; -1 for none.
    int Selected() const { return m_selected; }
    // Selects the quiz's title, or result `result` (by position), in the
    // outline; false when there is no such result.
    bool SelectTitle();
    bool SelectResult(int result);
    // The result selected; -1 for none.
    int SelectedResult() const { return m_result; }

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
    wxTextCtrl* TitleField() const { return m_titleField; }
    wxTextCtrl* ResultNameField() const { return m_resultName; }
    wxTextCtrl* ResultTextField() const { return m_resultText; }
    wxChoice* ResultChoice() const { return m_resultChoice; }
    wxStaticText* BalanceNote() const { return m_balanceNote; }

private:
    void BuildControls();
    // The form of the title and of a result, shown in place of the question's.
    void BuildResultForms(wxWindow* parent, wxBoxSizer* column, int gap);
    void ShowResultForm();     // the title's or the selected result's fields
    void ShowResultChoice();   // the result the selected ending names
    // Shows the question form, or the title's or a result's.
    void ShowForms();
    void SelectRow(unsigned row);
    void AddResult();
    void DeleteResult();
    // Asks before a deletion that leaves parts of the quiz leading nowhere;
    // false when the author declines or the quiz was replaced meanwhile.
    bool AskToDelete(const wxString& why, const wxString& caption);
    void CommitResultTyping();
    void OnSessionChange(const SessionChange& change);
    void OnDocumentChange(const QuizDocumentChange& change);
    // Takes the session's document of the quiz on screen.
    void TakeDocument();
    void ShowAll();            // outline, targets, form
    void ShowForm();           // the selected question's fields
    void ShowAnswer();         // the selected answer's text and target
    void ShowTargets();        // the choice of targets, from the questions
    // Whether an answer's target names a question of the quiz (or ends it,
    // or is left to the answer before).
    bool TargetExists(const wxString& target) const;
    void ShowTargetControls(); // the choice, or the field in a large quiz
    void UpdateTarget(size_t question);  // one question's entry in it
    void CompleteTargets();    // the IDs the target field offers, when stale
    void UpdateMarks();        // questions with findings
    void Select(int question);
    void EnableControls();
    // The balance of results of the quiz's version played, soon.
    void ScheduleBalance();
    void ShowBalance();
    // The balance list as tall as its rows, and its note wrapped.
    void FitBalance();


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
    void OnResultChosen(wxCommandEvent& event);
    void OnAddAnswer(wxCommandEvent& event);
    void OnRemoveAnswer(wxCommandEvent& event);
    void OnMoveUp(wxCommandEvent& event);
    void OnMoveDown(wxCommandEvent& event);

    wxFrame& m_frame;
    wxAuiManager& m_manager;
    QuizSession& m_session;

    // The session's document of the quiz shown; shared, so that it lives as
    // long as the editor shows it, until the session says it was replaced.
    std::shared_ptr<QuizDocument> m_document;
    bool m_bound = false;                // m_document is the session's current one
    int m_selected = -1;
    int m_answer = -1;        // the answer selected in the form
    bool m_titleSelected = false;  // the outline's title row is selected
    int m_formShown = 0;           // the question's form (0), the title's (1), a result's (2)
    bool m_questionFormShown = true;
    bool m_targetByChoice = true;  // targets are chosen, not typed (not a large quiz)
    int m_result = -1;             // the result selected
    wxSize m_growth;          // what the frame grew by when the pane showed
    std::vector<wxString> m_targets;  // the target of each entry of the choice
    bool m_completionStale = false;   // the target field offers IDs no longer right
    std::set<wxString> m_marked;      // IDs of questions with findings
    std::set<int> m_markedResults;  // results with findings, by place

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
    wxStaticText* m_balanceNote = nullptr;
    bool m_balanceNoteShown = false;
    wxTimer m_balanceTimer;
    wxBoxSizer* m_column = nullptr;
    wxSizer* m_questionForm = nullptr;
    wxSizer* m_questionButtons = nullptr;
    wxSizer* m_titleForm = nullptr;
    wxSizer* m_resultForm = nullptr;
    wxSizer* m_resultButtons = nullptr;
    wxTextCtrl* m_titleField = nullptr;
    wxTextCtrl* m_resultName = nullptr;
    wxTextCtrl* m_resultText = nullptr;
    wxButton* m_addResult = nullptr;
    wxButton* m_deleteResult = nullptr;
    wxStaticText* m_resultLabel = nullptr;
    wxChoice* m_resultChoice = nullptr;  // the result an ending names

    QuizSession::Subscription m_sessionSubscription;
    Publisher<QuizDocumentChange>::Subscription m_documentSubscription;
};
