// The Problems pane below the quiz: lists what the checker found in the
// opened quiz's file, and how the file stands, while that quiz is shown.
// It shows the session and hands on one command: go to a row's question
// (and answer), wherever the window goes when pointed somewhere.
#pragma once

#include "quiz/quiz_session.h"

#include <functional>
#include <vector>

class wxAuiManager;
class wxDataViewEvent;
class wxDataViewListCtrl;
class wxFrame;
class wxWindow;

class ProblemsPane
{
public:
    // Docks the pane (hidden) below `quiz` in `frame`; the pane takes its
    // room from the quiz, down to the quiz's smallest size.
    ProblemsPane(wxFrame& frame, wxAuiManager& manager, wxWindow& quiz, long id,
                 QuizSession& session);
    ProblemsPane(const ProblemsPane&) = delete;
    ProblemsPane& operator=(const ProblemsPane&) = delete;

    wxDataViewListCtrl* List() const { return m_list; }
    // What activating a row does with its question's ID and the answer it
    // names (-1 for none); without it, the question is played.
    void SetGoThere(std::function<void(const wxString&, int)> goThere) { m_goThere = std::move(goThere); }
    // Where a row about one of the quiz's results leads.
    void SetGoToResult(std::function<void(int)> goToResult) { m_goToResult = std::move(goToResult); }

private:
    // One row: line, kind, message, and the question it concerns.
    struct Row
    {
        wxString line;
        wxString kind;
        wxString message;
        wxString questionId;
        int answer = -1;
        int result = -1;
    };

    void Update();
    void Show(const std::vector<Row>& rows);
    void OnActivated(wxDataViewEvent& event);

    wxFrame& m_frame;
    wxAuiManager& m_manager;
    wxWindow& m_quiz;
    QuizSession& m_session;
    wxDataViewListCtrl* m_list = nullptr;
    std::vector<wxString> m_questions;  // question ID per row
    std::vector<int> m_answers;         // the answer each row names, or -1
    std::vector<int> m_results;         // the result each row names, or -1
    std::function<void(int)> m_goToResult;
    std::function<void(const wxString&, int)> m_goThere;
    QuizSession::Subscription m_subscription;
};
