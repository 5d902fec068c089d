// The main window: shows the quiz, its answers and the navigation buttons, and
// routes every command. The rules of the quiz live in QuizNavigator.
#pragma once

#include "quiz/quiz_session.h"
#include "widgets/xml_document_ex.h"

#include <wx/frame.h>

#include <memory>

class QuizMapLink;
class ProblemsPane;
class QuizEditorPane;
class wxFileHistory;
class FileFollower;
class wxAuiManager;
class wxAuiToolBar;
class wxButton;
class wxChoice;
class wxListBox;
class wxMenu;
class wxMenuItem;
class wxPanel;
class wxStaticLine;
class wxStaticText;
class wxStatusBar;
class wxTextCtrl;

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
    static const long ID_MENU_NEW;
    static const long ID_MENU_SAVE;
    static const long ID_MENU_SAVE_AS;
    static const long ID_MENU_EDIT_QUIZ;
    static const long ID_MENU_ADD_QUESTION;
    static const long ID_MENU_DELETE_QUESTION;
    static const long ID_MENU_PLAY_HERE;
    static const long ID_MENU_EXPORT_WEB;
    static const long ID_MENU_DUPLICATE_QUESTION;

    // Shows the entry question and makes it current; without one, nothing changes.
    void StartQuiz();
    // Puts a question's text and answers on screen, first answer selected.
    void ShowQuestion(const Question& question);

    // The model the window shows.
    QuizSession& Session() { return *m_session; }
    const QuizNavigator& Navigator() const { return m_session->Navigator(); }
    QuizMapLink& Map() const { return *m_map; }
    QuizEditorPane& Editor() const { return *m_editor; }
    wxFileHistory& RecentQuizzes() const { return *m_history; }

    // Opens a quiz file as the third entry of the quiz choice and follows
    // its changes on disk. A file that cannot be read as a quiz is refused
    // with a message naming it and saying why; the window stays as it was.
    bool OpenQuiz(const wxString& path);
    // Shows question `id` of the opened quiz and plays on from it; false,
    // changing nothing, when the quiz has no such question.
    bool GoToQuestion(const wxString& id);
    // Where every pointer leads (a Problems row, a map box, Go to question):
    // with the editor open, question `id` is selected there, with `answer`
    // when it is one of its answers, and with `focus` the keys go there
    // too; with the editor closed, the question is played. False when the
    // quiz has no such question.
    bool GoThere(const wxString& id, int answer = -1, bool focus = false);
    // Reads the opened file again now if it changed, keeping the player's
    // place (called a moment after a change of the file on disk).
    void ReloadOpenedQuiz();

    // Shows or hides the quiz editor beside the quiz.
    void ShowEditor(bool show);
    // Starts an untitled quiz in the editor (after asking about unsaved edits).
    bool NewQuiz();
    // Saves the opened quiz to its file, asking where when it has none;
    // false when it was not saved (a message said why, or the author
    // cancelled).
    bool SaveQuiz();
    // Saves the quiz on screen to `path` (asked for when empty): the opened
    // quiz, which then is that file, or a copy of a built-in quiz, which is
    // then opened.
    bool SaveQuizAs(const wxString& path = wxString());
    // Writes the quiz on screen, with its other language editions, as one
    // web page to `path` (asked for when empty); unsaved edits are offered to
    // be saved first, since the page is made from the file. False when no
    // page was written.
    bool ExportWebPage(const wxString& path = wxString());
    // Before unsaved edits would be dropped: asks Save, Discard or Cancel.
    // False for Cancel, or when the save failed.
    bool ConfirmUnsavedEdits();

private:
    class Busy;
    // OpenQuiz, asking about unsaved edits first only with `confirm`.
    bool OpenQuizFile(const wxString& path, bool confirm);
    // Writes the current quiz's document to `path` (where `expected` is
    // what the author last saw there, if anything), asking first when that
    // drops what a save cannot keep, when another program changed the file
    // or when it is read only; false when it was not written (a message
    // said why, or the author chose otherwise).
    bool WriteQuiz(const wxString& path, const FileIdentity& expected);
    // Another program changed `path` before a save: the author chooses.
    enum class ChangedChoice { Overwrite, LoadFile, SaveElsewhere, Cancel };
    ChangedChoice AskChangedOnDisk(const wxString& path, bool own);

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
    void OnAnswerSelected(wxCommandEvent& event);
    void OnQuit(wxCommandEvent& event);
    void OnCheckUpdate(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnLanguage(wxCommandEvent& event);
    void OnQuizMap(wxCommandEvent& event);
    void OnOpenQuiz(wxCommandEvent& event);
    void OnGoToQuestion(wxCommandEvent& event);
    void OnRecentQuiz(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    // The menus' shortcut keys, before the control with the focus sees
    // them: a list would take Ctrl+N as a move of its cursor.
    void OnCharHook(wxKeyEvent& event);
    // The title, with "*" for unsaved edits, and the edit commands' state.
    void ShowTitle();
    void ShowEditCommands();
    // Remembers a quiz file in the recent quizzes and the settings.
    void Remember(const wxString& path);
    void SaveRecentQuizzes();

    // Redraws what the session says changed.
    void OnSessionChange(const SessionChange& change);
    // The quiz choice's entries, from the session.
    void ShowQuizzes();
    // The chosen quiz: the choice, the title and the commands for it.
    void ShowQuiz();
    // The player's place and how far the end is, or why Next stayed, in
    // the status bar.
    void ShowStatus();
    // Menu help takes the status field while a menu is open; the place
    // comes back when it closes, up to date even if it changed meanwhile.
    void DoGiveHelp(const wxString& text, bool show) override;

    wxXmlDocumentEx m_quizDocument;       // the built-in quiz last read
    std::unique_ptr<QuizSession> m_session;  // the quizzes, the player's place

    std::unique_ptr<wxAuiManager> m_auiManager;
    std::unique_ptr<QuizMapLink> m_map;
    std::unique_ptr<ProblemsPane> m_problems;
    std::unique_ptr<QuizEditorPane> m_editor;
    std::unique_ptr<wxFileHistory> m_history;
    wxMenu* m_editMenu = nullptr;
    wxMenuItem* m_editItem = nullptr;
    bool m_editCommandsPending = false;
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

    // Commands running (with the dialogs they show): a change of the opened
    // file waits until they end, so that none of them finds its quiz
    // replaced under it.
    int m_busy = 0;
    bool m_reloadPending = false;
    std::unique_ptr<FileFollower> m_follower;  // reads the opened file after each save
    wxString m_followed;                       // the file it follows
    wxString m_progressText;                   // status field 0 when no menu is open
    bool m_menuHelpShown = false;
    QuizSession::Subscription m_subscription;

    wxDECLARE_EVENT_TABLE();
};
