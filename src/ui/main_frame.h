// The main window: shows the quiz, its answers and the navigation buttons, and
// routes every command. The rules of the quiz live in QuizNavigator.
#pragma once

#include "quiz/navigator.h"
#include "quiz/quiz_list.h"
#include "widgets/xml_document_ex.h"

#include <wx/frame.h>

#include <memory>
#include <vector>

class QuizMapLink;
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

    // Reads a quiz file into the question table (later files win on equal IDs).
    void LoadQuiz(const wxString& path);
    // Shows the entry question and makes it current; without one, nothing changes.
    void StartQuiz();
    // Puts a question's text and answers on screen, first answer selected.
    void ShowQuestion(const Question& question);

    const QuizNavigator& Navigator() const { return m_navigator; }
    QuizMapLink& Map() const { return *m_map; }

private:
    void BuildToolBar();
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
    wxButton* m_nextButton = nullptr;
    wxStatusBar* m_statusBar = nullptr;
    wxStaticLine* m_staticLine = nullptr;
    wxChoice* m_quizChoice = nullptr;

    wxDECLARE_EVENT_TABLE();
};
