// The main window: shows the quiz, its answers and the navigation buttons, and
// routes every command. The rules of the quiz live in QuizNavigator.
#pragma once

#include "quiz/check_report.h"
#include "quiz/navigator.h"
#include "quiz/quiz_list.h"
#include "widgets/xml_document_ex.h"

#include <wx/frame.h>

#include <memory>
#include <vector>

class QuizMapLink;
class FileFollower;
class wxAuiManager;
class wxAuiToolBar;
class wxButton;
class wxChoice;
class wxDataViewEvent;
class wxDataViewListCtrl;
class wxListBox;
class wxMenu;
class wxMenuItem;
class wxPanel;
class wxStaticLine;
class wxStaticText;
class wxStatusBar;
class wxTextCtrl;
class wxXmlNode;

class MindprismFrame : public wxFrame
{
public:
    MindprismFrame(wxWindow* parent, wxWindowID id);
    ~MindprismFrame() override;

    // Control identifiers, allocated at start-up in this order.
    static const long ID_CHOICE1;
    static const long ID_TOOL_UPDATE;
    static const long ID_TOOL_ABOUT;
    static const long ID_AUITOOLBAR;
    static const long ID_STATICTEXT1;
    static const long ID_TEXTCTRL_Q;
    static const long ID_STATICTEXT2;
    static const long ID_LISTBOX_ANSWER;
    static const long ID_BUTTON_RESET;
    static const long ID_STATICLINE1;
    static const long ID_BUTTON_PREV;
    static const long ID_BUTTON_NEXT;
    static const long ID_BUTTON_TEST;
    static const long ID_PANEL1;
    static const long ID_MENU_QUIT;
    static const long ID_MENU_UPDATE;
    static const long ID_MENU_LANGUAGE;
    static const long ID_MENU_ABOUT;
    static const long ID_STATUSBAR;
    static const long ID_MENU_MAP;
    static const long ID_MENU_OPEN;
    static const long ID_MENU_GOTO;
    static const long ID_DATAVIEW_PROBLEMS;

    // Reads a quiz file into the question table (later files win on equal IDs).
    void LoadQuiz(const wxString& path);
    // Shows the entry question and makes it current; without one, nothing changes.
    void StartQuiz();
    // Puts a question's text and answers on screen, first answer selected.
    void ShowQuestion(const Question& question);

    const QuizNavigator& Navigator() const { return m_navigator; }
    QuizMapLink& Map() const { return *m_map; }

    // Opens a quiz file as the third entry of the quiz choice and follows
    // its changes on disk. A file that cannot be read as a quiz is refused
    // with a message naming it and saying why; the window stays as it was.
    bool OpenQuiz(const wxString& path);
    // Shows question `id` of the opened quiz and plays on from it; false,
    // changing nothing, when the quiz has no such question.
    bool GoToQuestion(const wxString& id);
    // Reads the opened file again now, keeping the player's place (called a
    // moment after the last change of the file on disk).
    void ReloadOpenedQuiz();

private:
    void BuildToolBar();
    // Sizes the quiz choice to its longest title.
    void FitQuizChoice();
    void BuildPanel();
    void BuildMenuBar();
    void BuildStatusBar();
    void ConnectCommands();

    void StartQuiz(wxCommandEvent& event);
    void NextQuestion(wxCommandEvent& event);
    void PrevQuestion(wxCommandEvent& event);
    void SwitchQuiz(wxCommandEvent& event);
    void ShowAnswerTarget(wxCommandEvent& event);
    void OnQuit(wxCommandEvent& event);
    void OnCheckUpdate(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnLanguage(wxCommandEvent& event);
    void OnQuizMap(wxCommandEvent& event);

    // Tells the quiz map where the player stands.
    void FollowOnMap();
    // A question clicked on the map: shown for a quiz the user opened.
    void ShowFromMap(const wxString& id);
    void OnOpenQuiz(wxCommandEvent& event);
    void OnGoToQuestion(wxCommandEvent& event);
    void OnProblemActivated(wxDataViewEvent& event);

    void BuildProblemsPane();
    // One row of the Problems pane.
    struct ProblemRow
    {
        wxString line;
        wxString kind;
        wxString message;
        wxString questionId;  // the question it concerns; empty for none
    };
    // Lists the problems of the opened quiz, after `lead` when it has a
    // message; the pane shows only while it has rows.
    void ShowProblems(const FindingList& findings, const ProblemRow& lead = ProblemRow());
    void HideProblems();
    // Reads the opened file and starts it; false, after a message box
    // saying why, when it cannot be read as a quiz.
    bool ShowOpenedQuiz(const wxString& path);
    // The player's place and how far the end is, in the status bar.
    void ShowProgress();
    // Menu help takes the status field while a menu is open; the place
    // comes back when it closes, up to date even if it changed meanwhile.
    void DoGiveHelp(const wxString& text, bool show) override;
    bool IsOpenedQuizShown() const;

    // Retitles the window after quiz number `index` of the choice.
    void TitleForQuiz(int index);
    // The title a quiz shows in the choice, in the interface language.
    static wxString QuizTitle(const QuizEntry& quiz);
    // The file a quiz is read from.
    static wxString QuizPath(const QuizEntry& quiz);
    // The quiz selected in the choice.
    const QuizEntry& CurrentQuiz() const;

    std::vector<QuizEntry> m_quizzes;     // the quiz choice's entries, in its order

    wxXmlDocumentEx m_quizDocument;
    wxXmlNode* m_quizRoot = nullptr;      // root of the last loaded quiz document
    QuizNavigator m_navigator;            // question table, current and previous question

    std::unique_ptr<wxAuiManager> m_auiManager;
    std::unique_ptr<QuizMapLink> m_map;
    wxTextCtrl* m_questionText = nullptr;
    wxAuiToolBar* m_toolBar = nullptr;
    wxStaticText* m_answerLabel = nullptr;
    wxMenu* m_viewMenu = nullptr;
    wxButton* m_resetButton = nullptr;
    wxButton* m_prevButton = nullptr;
    wxButton* m_testButton = nullptr;
    wxPanel* m_panel = nullptr;
    wxStaticText* m_questionLabel = nullptr;
    wxListBox* m_answerList = nullptr;
    wxMenuItem* m_languageItem = nullptr;
    wxMenuItem* m_goToItem = nullptr;
    wxButton* m_nextButton = nullptr;
    wxStatusBar* m_statusBar = nullptr;
    wxStaticLine* m_staticLine = nullptr;
    wxChoice* m_quizChoice = nullptr;
    wxDataViewListCtrl* m_problemList = nullptr;

    // The quiz opened from a file, and what follows it on disk.
    wxString m_openedPath;                           // full path; empty when none
    std::vector<wxString> m_problemQuestions;        // question ID per problem row
    std::unique_ptr<FileFollower> m_follower;        // reloads it after each save
    wxString m_progressText;                         // status field 0 when no menu is open
    bool m_menuHelpShown = false;
    int m_shownQuiz = 0;                             // choice index of the quiz on screen
    int m_problemsGrowth = 0;                        // height the window took on for the pane

    wxDECLARE_EVENT_TABLE();
};
