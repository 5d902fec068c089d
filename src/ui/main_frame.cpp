// The main window of Mind Prism.
#include "ui/main_frame.h"

#include "app/language.h"
#include "app/quiz_edition_file.h"
#include "app/resources.h"
#include "quiz/question_search.h"
#include "quiz/quiz_analysis.h"
#include "ui/about_dialog.h"
#include "ui/completion_filter.h"
#include "ui/file_follower.h"
#include "ui/list_focus.h"
#include "ui/window_support.h"
#include "ui/maker.h"
#include "ui/menu_shortcuts.h"
#include "ui/problems_pane.h"
#include "ui/quiz_editor.h"
#include "ui/quiz_map_link.h"
#include "ui/result_dialog.h"
#include "web/web_export.h"

#include <wx/aui/aui.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/textcompleter.h>
#include <wx/textdlg.h>
#include <wx/utils.h>

#include <algorithm>

const long MindprismFrame::ID_CHOICE1 = wxNewId();
const long MindprismFrame::ID_TOOL_UPDATE = wxNewId();
const long MindprismFrame::ID_TOOL_ABOUT = wxNewId();
const long MindprismFrame::ID_AUITOOLBAR = wxNewId();
const long MindprismFrame::ID_STATICTEXT1 = wxNewId();
const long MindprismFrame::ID_TEXTCTRL_Q = wxNewId();
const long MindprismFrame::ID_STATICTEXT2 = wxNewId();
const long MindprismFrame::ID_LISTBOX_ANSWER = wxNewId();
const long MindprismFrame::ID_BUTTON_RESET = wxNewId();
const long MindprismFrame::ID_STATICLINE1 = wxNewId();
const long MindprismFrame::ID_BUTTON_PREV = wxNewId();
const long MindprismFrame::ID_BUTTON_NEXT = wxNewId();
const long MindprismFrame::ID_BUTTON_TEST = wxNewId();
const long MindprismFrame::ID_PANEL1 = wxNewId();
const long MindprismFrame::ID_MENU_QUIT = wxNewId();
const long MindprismFrame::ID_MENU_UPDATE = wxNewId();
const long MindprismFrame::ID_MENU_LANGUAGE = wxNewId();
const long MindprismFrame::ID_MENU_ABOUT = wxNewId();
const long MindprismFrame::ID_STATUSBAR = wxNewId();
const long MindprismFrame::ID_MENU_MAP = wxNewId();
const long MindprismFrame::ID_MENU_OPEN = wxNewId();
const long MindprismFrame::ID_MENU_GOTO = wxNewId();
const long MindprismFrame::ID_DATAVIEW_PROBLEMS = wxNewId();
const long MindprismFrame::ID_MENU_NEW = wxNewId();
const long MindprismFrame::ID_MENU_SAVE = wxNewId();
const long MindprismFrame::ID_MENU_SAVE_AS = wxNewId();
const long MindprismFrame::ID_MENU_EDIT_QUIZ = wxNewId();
const long MindprismFrame::ID_MENU_ADD_QUESTION = wxNewId();
const long MindprismFrame::ID_MENU_DELETE_QUESTION = wxNewId();
const long MindprismFrame::ID_MENU_PLAY_HERE = wxNewId();
const long MindprismFrame::ID_MENU_EXPORT_WEB = wxNewId();
const long MindprismFrame::ID_MENU_DUPLICATE_QUESTION = wxNewId();

// Text of the answer that ended the first quiz, shown by the result dialog.
wxString g_resultText;

namespace
{

const wxString FRAME_ICON_FILE = wxS("img\\Mindprism_01.ico");
const wxString UPDATE_TOOL_IMAGE = wxS("img\\Update_s24_01.png");
const wxString ABOUT_TOOL_IMAGE = wxS("img\\About_s24_01.png");

// Toolbar and centre pane. The toolkit refuses two panes of one name, so
// the centre pane carries a name of its own.
const wxString TOOLBAR_PANE_NAME = wxS("PaneName");
const wxString CENTRE_PANE_NAME = wxS("PaneName_Centre");

// The recent quizzes' group in the settings, apart from the interface
// language at the top.
const wxString RECENT_QUIZZES_GROUP = wxS("/RecentQuizzes");
const wxString QUIZ_FILES = wxS("Quiz files (*.xml)|*.xml|All files|*");

// Files dropped onto the window open as a quiz (the first of them).
class QuizDropTarget : public wxFileDropTarget
{
public:
    explicit QuizDropTarget(MindprismFrame& frame) : m_frame(frame) {}

    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override
    {
        if (files.empty())
            return false;
        // After the drop has ended: a refusal shows a message box, which
        // must not keep the program the file came from waiting.
        MindprismFrame* frame = &m_frame;
        const wxString path = files[0];
        frame->CallAfter([frame, path] { frame->OpenQuiz(path); });
        return true;
    }

private:
    MindprismFrame& m_frame;
};

// "Question 3 · 2 to 4 more": the place (questions answered so far, plus
// the one on screen) and how many more the nearest and farthest end lie.
wxString ProgressText(size_t place, const QuizProgress& progress)
{
    const int shownPlace = static_cast<int>(place);
    const int fewest = static_cast<int>(progress.fewest);
    if (!progress.most)
        return wxString::Format(_(L"Question %d · at least %d more"), shownPlace, fewest);
    if (*progress.most == progress.fewest)
        return wxString::Format(_(L"Question %d · %d more"), shownPlace, fewest);
    return wxString::Format(_(L"Question %d · %d to %d more"), shownPlace, fewest,
                            static_cast<int>(*progress.most));
}

// The same for an author, who thinks of a question by its ID: "Question
// 1002 · 2 to 4 more".
wxString ProgressTextById(const wxString& id, const QuizProgress* progress)
{
    if (!progress)
        return wxString::Format(_(L"Question %s · no ending can be reached from here"), id);
    const int fewest = static_cast<int>(progress->fewest);
    if (!progress->most)
        return wxString::Format(_(L"Question %s · at least %d more"), id, fewest);
    if (*progress->most == progress->fewest)
        return wxString::Format(_(L"Question %s · %d more"), id, fewest);
    return wxString::Format(_(L"Question %s · %d to %d more"), id, fewest,
                            static_cast<int>(*progress->most));
}

// Go to question: an ID or words of a question's text, with the questions
// they may mean offered as they are typed.
class QuestionCompleter : public wxTextCompleterSimple
{
public:
    explicit QuestionCompleter(std::shared_ptr<const QuizOutline> outline) : m_outline(std::move(outline)) {}

    void GetCompletions(const wxString& prefix, wxArrayString& result) override
    {
        if (m_outline)
            for (const wxString& label : QuestionsMatching(*m_outline, prefix, MAX_OFFERED))
                result.push_back(label);
    }

private:
    static constexpr size_t MAX_OFFERED = 30;  // a list longer than the screen helps nobody
    std::shared_ptr<const QuizOutline> m_outline;
};

class GoToDialog : public wxTextEntryDialog
{
public:
    GoToDialog(wxWindow* parent, std::shared_ptr<const QuizOutline> outline)
        : wxTextEntryDialog(parent, _("ID or words of the question to go to:"), _("Go to question"))
    {
        m_textctrl->AutoComplete(new QuestionCompleter(std::move(outline)));
        OfferEveryCompletion(m_textctrl);
    }
};

} // namespace

// Counts a command running for as long as it (and its dialogs) runs; the
// last one to end looks at a change of the opened file that came meanwhile.
class MindprismFrame::Busy
{
public:
    explicit Busy(MindprismFrame& frame) : m_frame(frame) { ++m_frame.m_busy; }
    ~Busy()
    {
        if (--m_frame.m_busy == 0 && m_frame.m_reloadPending)
        {
            m_frame.m_reloadPending = false;
            MindprismFrame* frame = &m_frame;
            m_frame.CallAfter([frame] { frame->ReloadOpenedQuiz(); });
        }
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    MindprismFrame& m_frame;
};

wxBEGIN_EVENT_TABLE(MindprismFrame, wxFrame)
wxEND_EVENT_TABLE()

MindprismFrame::MindprismFrame(wxWindow* parent, wxWindowID id)
    : m_session(std::make_unique<QuizSession>(
          BuiltInQuizzes(), [](const QuizEntry& quiz) { return BuiltInQuizFile(quiz.stem); },
          m_quizDocument))
{
    KeepHistoricalSizerFlags();
    Create(parent, wxID_ANY, _("Mind Prism"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_FRAME_STYLE, wxS("wxID_ANY"));
    SetClientSize(FromDIP(wxSize(512, 357)));
    const wxBitmap iconPicture = LoadPicture(FRAME_ICON_FILE);
    if (iconPicture.IsOk())
    {
        wxIcon icon;
        icon.CopyFromBitmap(iconPicture);
        SetIcon(icon);
    }
    m_auiManager = std::make_unique<wxAuiManager>(this, wxAUI_MGR_DEFAULT);
    BuildToolBar();
    BuildPanel();
    BuildMenuBar();
    BuildStatusBar();
    m_problems = std::make_unique<ProblemsPane>(*this, *m_auiManager, *m_panel,
                                                ID_DATAVIEW_PROBLEMS, *m_session);
    m_map = std::make_unique<QuizMapLink>(this, *m_session);
    m_editor = std::make_unique<QuizEditorPane>(*this, *m_auiManager, *m_session);
    // A click on the map, like a Problems row, goes there: in the editor
    // when it is open.
    m_map->SetBoxClick([this](const wxString& id) {
        GoThere(id);
        return true;
    });
    m_map->SetShortcuts([this](wxKeyEvent& key) { return RunMenuShortcut(*this, key); });
    m_problems->SetGoThere([this](const wxString& id, int answer) { GoThere(id, answer, true); });
    // A result is shown only by the editor: it opens for one.
    m_problems->SetGoToResult([this](int result) {
        ShowEditor(true);
        if (m_editor->IsShown() && m_editor->SelectResult(result))
            m_editor->FocusSelection(false);
    });
    ConnectCommands();
    SetDropTarget(new QuizDropTarget(*this));
    m_follower = std::make_unique<FileFollower>([this] { ReloadOpenedQuiz(); });
    m_subscription =
        m_session->Subscribe([this](const SessionChange& change) { OnSessionChange(change); });
    // A large quiz's edits are checked off this thread; the result is
    // handed back here, after the events in hand.
    m_session->CheckInBackground([this](std::function<void()> work) { CallAfter(std::move(work)); });

    // The first quiz, started as a switch to it would.
    m_session->Switch(0);
}

MindprismFrame::~MindprismFrame()
{
    m_follower.reset();
    m_subscription.Reset();
    m_editor.reset();
    m_map.reset();
    m_problems.reset();
    m_auiManager->UnInit();
}

void MindprismFrame::BuildToolBar()
{
    m_toolBar = new wxAuiToolBar(this, ID_AUITOOLBAR, wxDefaultPosition, wxDefaultSize, 0);
    // 160 pixels wide (at 96 DPI, as every fixed size here); the height is
    // left to the toolkit, since a GTK choice needs more than 22 pixels to
    // show its text uncut.
    m_quizChoice = new wxChoice(m_toolBar, ID_CHOICE1, wxDefaultPosition, FromDIP(wxSize(160, -1)), 0,
                                nullptr, 0, wxDefaultValidator, wxS("ID_CHOICE1"));
    for (const QuizEntry& quiz : m_session->Quizzes())
        m_quizChoice->Append(ShownTitle(quiz));
    m_quizChoice->SetSelection(0);
    FitQuizChoice();

    m_toolBar->AddControl(m_quizChoice, _("Item label"));
    m_toolBar->AddSeparator();
    m_toolBar->AddTool(ID_TOOL_UPDATE, _("Item label"), LoadPictureBundle(UPDATE_TOOL_IMAGE),
                       wxNullBitmap, wxITEM_NORMAL, _("Check update from Larkspan"),
                       _("Check update from Larkspan"), nullptr);
    m_toolBar->AddTool(ID_TOOL_ABOUT, _("Item label"), LoadPictureBundle(ABOUT_TOOL_IMAGE),
                       wxNullBitmap, wxITEM_NORMAL, _("Show info about this application"),
                       _("Show info about this application"), nullptr);
    m_toolBar->Realize();
    m_auiManager->AddPane(m_toolBar, wxAuiPaneInfo()
                                         .Name(TOOLBAR_PANE_NAME)
                                         .ToolbarPane()
                                         .Caption(_("Pane caption"))
                                         .Layer(10)
                                         .Top()
                                         .Gripper());
}

void MindprismFrame::FitQuizChoice()
{
    // Never narrower than 160 pixels, but wide enough for the longest title
    // in the interface language, which would otherwise be cut; an opened
    // file's long name is cut at 320.
    int textWidth = 0;
    for (const wxString& title : m_quizChoice->GetStrings())
        textWidth = std::max(textWidth, m_quizChoice->GetTextExtent(title).x);
    const wxSize fitting = m_quizChoice->GetSizeFromTextSize(textWidth);
    const int width = std::clamp(fitting.x, FromDIP(160), FromDIP(320));
    m_quizChoice->SetInitialSize(wxSize(width, fitting.y));
}

void MindprismFrame::BuildPanel()
{
    m_panel = new wxPanel(this, ID_PANEL1, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                          wxS("ID_PANEL1"));
    // Borders, like the fixed sizes, are meant at 96 DPI.
    const int gap = FromDIP(5);
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* buttonRow = new wxBoxSizer(wxHORIZONTAL);

    m_questionLabel = new wxStaticText(m_panel, ID_STATICTEXT1, _("&Question:"), wxDefaultPosition,
                                       wxDefaultSize, 0, wxS("ID_STATICTEXT1"));
    column->Add(m_questionLabel, 0, wxTOP | wxLEFT | wxRIGHT | wxALIGN_BOTTOM, gap);

    m_questionText = new wxTextCtrl(m_panel, ID_TEXTCTRL_Q, wxEmptyString, wxDefaultPosition,
                                    FromDIP(wxSize(480, 60)), wxTE_MULTILINE | wxTE_READONLY,
                                    wxDefaultValidator, wxS("ID_TEXTCTRL_Q"));
    UseTooltipColours(m_questionText);
    m_questionText->SetFont(wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL,
                                   false, wxEmptyString, wxFONTENCODING_DEFAULT));
    column->Add(m_questionText, 0, wxEXPAND | wxTOP | wxLEFT | wxRIGHT | wxALIGN_BOTTOM, gap);

    m_answerLabel = new wxStaticText(m_panel, ID_STATICTEXT2, _("&Select answer:"),
                                     wxDefaultPosition, wxDefaultSize, 0, wxS("ID_STATICTEXT2"));
    column->Add(m_answerLabel, 0, wxTOP | wxLEFT | wxRIGHT | wxALIGN_BOTTOM, gap);

    m_answerList = new wxListBox(m_panel, ID_LISTBOX_ANSWER, wxDefaultPosition,
                                 FromDIP(wxSize(ANSWER_LIST_WIDTH, 128)),
                                 0, nullptr, wxLB_SINGLE, wxDefaultValidator,
                                 wxS("ID_LISTBOX_ANSWER"));
    UseTooltipColours(m_answerList);
    FocusRowsFromLabel(m_answerList);
    column->Add(m_answerList, 1, wxEXPAND | wxTOP | wxLEFT | wxRIGHT | wxALIGN_BOTTOM, gap);

    m_resetButton = new wxButton(m_panel, ID_BUTTON_RESET, _("&Reset"), wxDefaultPosition,
                                 wxDefaultSize, 0, wxDefaultValidator, wxS("ID_BUTTON_RESET"));
    buttonRow->Add(m_resetButton, 1, wxTOP | wxLEFT | wxRIGHT, gap);

    m_staticLine = new wxStaticLine(m_panel, ID_STATICLINE1, wxDefaultPosition, FromDIP(wxSize(1, 20)),
                                    wxLI_HORIZONTAL, wxS("ID_STATICLINE1"));
    buttonRow->Add(m_staticLine, 0, wxEXPAND | wxTOP | wxALIGN_BOTTOM, gap);

    m_prevButton = new wxButton(m_panel, ID_BUTTON_PREV, _("&Prev"), wxDefaultPosition,
                                wxDefaultSize, 0, wxDefaultValidator, wxS("ID_BUTTON_PREV"));
    buttonRow->Add(m_prevButton, 1, wxTOP | wxLEFT | wxALIGN_BOTTOM, gap);

    m_nextButton = new wxButton(m_panel, ID_BUTTON_NEXT, _("&Next"), wxDefaultPosition,
                                wxDefaultSize, 0, wxDefaultValidator, wxS("ID_BUTTON_NEXT"));
    buttonRow->Add(m_nextButton, 1, wxTOP | wxLEFT | wxALIGN_BOTTOM, gap);

    m_testButton = new wxButton(m_panel, ID_BUTTON_TEST, _("Test"), wxDefaultPosition,
                                wxDefaultSize, 0, wxDefaultValidator, wxS("ID_BUTTON_TEST"));
    m_testButton->Hide();
    buttonRow->Add(m_testButton, 1, wxTOP | wxLEFT | wxRIGHT | wxALIGN_BOTTOM, gap);

    column->Add(buttonRow, 0, wxBOTTOM | wxRIGHT | wxALIGN_BOTTOM, gap);
    m_panel->SetSizer(column);
    column->Fit(m_panel);
    column->SetSizeHints(m_panel);

    m_auiManager->AddPane(m_panel, wxAuiPaneInfo()
                                       .Name(CENTRE_PANE_NAME)
                                       .Caption(_("Pane caption"))
                                       .CaptionVisible(false)
                                       .Center());
    m_auiManager->Update();
}

void MindprismFrame::BuildMenuBar()
{
    wxMenuBar* menuBar = new wxMenuBar();

    wxMenu* fileMenu = new wxMenu();
    fileMenu->Append(ID_MENU_NEW, _("&New quiz\tCtrl+N"), _("Start writing a quiz of your own"));
    fileMenu->Append(new wxMenuItem(fileMenu, ID_MENU_OPEN, _("&Open quiz...\tCtrl+O"),
                                    _("Open a quiz file and follow its changes"), wxITEM_NORMAL));
    wxMenu* recentMenu = new wxMenu();
    fileMenu->AppendSubMenu(recentMenu, _("&Recent quizzes"), _("Open a recently used quiz file"));
    fileMenu->AppendSeparator();
    fileMenu->Append(ID_MENU_SAVE, _("&Save\tCtrl+S"), _("Save the quiz to its file"));
    fileMenu->Append(ID_MENU_SAVE_AS, _("Save &as...\tCtrl+Shift+S"),
                     _("Save the quiz to another file"));
    fileMenu->Append(ID_MENU_EXPORT_WEB, _("Export as &web page..."),
                     _("Write the quiz as one web page that any browser plays"));
    fileMenu->AppendSeparator();
    fileMenu->Append(new wxMenuItem(fileMenu, ID_MENU_QUIT, _("Quit\tAlt-F4"),
                                    _("Quit the application"), wxITEM_NORMAL));
    menuBar->Append(fileMenu, _("&File"));

    m_history = std::make_unique<wxFileHistory>();
    m_history->UseMenu(recentMenu);
    wxConfigBase* config = wxConfigBase::Get();
    config->SetPath(RECENT_QUIZZES_GROUP);
    // Load fills the menu too.
    m_history->Load(*config);
    config->SetPath(wxS("/"));

    m_editMenu = new wxMenu();
    m_editMenu->Append(wxID_UNDO, _("&Undo") + wxS("\tCtrl+Z"), _("Undo the last edit"));
    wxMenuItem* redo =
        m_editMenu->Append(wxID_REDO, _("&Redo") + wxS("\tCtrl+Y"), _("Redo the last undone edit"));
    redo->AddExtraAccel(wxAcceleratorEntry(wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', wxID_REDO));
    m_editMenu->AppendSeparator();
    m_editItem = m_editMenu->AppendCheckItem(ID_MENU_EDIT_QUIZ, _("&Edit quiz\tCtrl+E"),
                                             _("Show the quiz editor beside the quiz"));
    m_editMenu->Append(ID_MENU_ADD_QUESTION, _("Add &question"), _("Add a question to the quiz"));
    m_editMenu->Append(ID_MENU_DELETE_QUESTION, _("&Delete question"),
                       _("Delete the question selected in the editor"));
    m_editMenu->Append(ID_MENU_DUPLICATE_QUESTION, _("Dupli&cate question"),
                       _("Add a copy of the selected question with the next free ID"));
    m_editMenu->Append(ID_MENU_PLAY_HERE, _("&Play from here"),
                       _("Show the question selected in the editor and play on from it"));
    menuBar->Append(m_editMenu, _("&Edit"));

    m_viewMenu = new wxMenu();
    m_viewMenu->Append(new wxMenuItem(m_viewMenu, ID_MENU_UPDATE, _("Check &update...\tF3"),
                                      _("Check update from Larkspan"), wxITEM_NORMAL));
    m_languageItem = new wxMenuItem(m_viewMenu, ID_MENU_LANGUAGE, _("&Language...\tF2"),
                                    _("Change UI language"), wxITEM_NORMAL);
    m_viewMenu->Append(m_languageItem);
    // Skipping ahead is for the author of an opened quiz only.
    m_goToItem = new wxMenuItem(m_viewMenu, ID_MENU_GOTO, _("&Go to question...\tCtrl+G"),
                                _("Show a question of the opened quiz by its ID or its words"), wxITEM_NORMAL);
    m_viewMenu->Append(m_goToItem);
    m_goToItem->Enable(false);
    wxMenuItem* mapItem = m_viewMenu->Append(ID_MENU_MAP, _("Quiz &map\tCtrl+M"),
        QuizMapLink::Available() ? _("Show the map of this quiz and where you are on it")
                                 : QuizMapLink::Unavailable());
    mapItem->Enable(QuizMapLink::Available());
    menuBar->Append(m_viewMenu, _("&View"));

    wxMenu* helpMenu = new wxMenu();
    helpMenu->Append(new wxMenuItem(helpMenu, ID_MENU_ABOUT, _("About\tF1"),
                                    _("Show info about this application"), wxITEM_NORMAL));
    menuBar->Append(helpMenu, _("Help"));

    SetMenuBar(menuBar);
}

void MindprismFrame::BuildStatusBar()
{
    m_statusBar = new wxStatusBar(this, ID_STATUSBAR, wxST_SIZEGRIP, wxS("ID_STATUSBAR"));
    const int widths[] = {-2, -1};
    const int styles[] = {wxSB_NORMAL, wxSB_NORMAL};
    m_statusBar->SetFieldsCount(2, widths);
    m_statusBar->SetStatusStyles(2, styles);
    SetStatusBar(m_statusBar);
    m_statusBar->SetStatusText(MAKER_NOTICE, 1);
}

void MindprismFrame::ConnectCommands()
{
    Connect(ID_CHOICE1, wxEVT_COMMAND_CHOICE_SELECTED,
            wxCommandEventHandler(MindprismFrame::SwitchQuiz));
    Connect(ID_TOOL_UPDATE, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnCheckUpdate));
    Connect(ID_TOOL_ABOUT, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnAbout));
    Connect(ID_BUTTON_RESET, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(MindprismFrame::StartQuiz));
    Connect(ID_BUTTON_PREV, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(MindprismFrame::PrevQuestion));
    Connect(ID_BUTTON_NEXT, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(MindprismFrame::NextQuestion));
    Connect(ID_BUTTON_TEST, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(MindprismFrame::ShowAnswerTarget));
    Connect(ID_MENU_QUIT, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnQuit));
    Connect(ID_MENU_UPDATE, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnCheckUpdate));
    Connect(ID_MENU_LANGUAGE, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnLanguage));
    Connect(ID_MENU_ABOUT, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnAbout));
    Connect(ID_MENU_MAP, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnQuizMap));
    Connect(ID_MENU_OPEN, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnOpenQuiz));
    Connect(ID_MENU_GOTO, wxEVT_COMMAND_MENU_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnGoToQuestion));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { NewQuiz(); }, ID_MENU_NEW);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SaveQuiz(); }, ID_MENU_SAVE);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SaveQuizAs(); }, ID_MENU_SAVE_AS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ExportWebPage(); }, ID_MENU_EXPORT_WEB);
    Bind(wxEVT_MENU, &MindprismFrame::OnRecentQuiz, this, wxID_FILE1, wxID_FILE9);
    Bind(wxEVT_MENU, &MindprismFrame::OnUndo, this, wxID_UNDO);
    Bind(wxEVT_MENU, &MindprismFrame::OnRedo, this, wxID_REDO);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowEditor(!m_editor->IsShown()); }, ID_MENU_EDIT_QUIZ);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_editor->AddQuestion(); }, ID_MENU_ADD_QUESTION);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_editor->DeleteQuestion(); }, ID_MENU_DELETE_QUESTION);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_editor->DuplicateQuestion(); },
         ID_MENU_DUPLICATE_QUESTION);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_editor->PlayFromHere(); }, ID_MENU_PLAY_HERE);
    Bind(wxEVT_CLOSE_WINDOW, &MindprismFrame::OnClose, this);
    Bind(wxEVT_CHAR_HOOK, &MindprismFrame::OnCharHook, this);
    // The selection is kept in the session, for a reload of the file; it
    // changes nothing by itself.
    Connect(ID_LISTBOX_ANSWER, wxEVT_COMMAND_LISTBOX_SELECTED,
            wxCommandEventHandler(MindprismFrame::OnAnswerSelected));
}

void MindprismFrame::StartQuiz()
{
    m_session->Reset();
}

void MindprismFrame::StartQuiz(wxCommandEvent& event)
{
    StartQuiz();
}

void MindprismFrame::ShowQuestion(const Question& question)
{
    m_questionText->SetValue(question.text);
    if (!m_answerList->IsEmpty())
        m_answerList->Clear();
    for (const Answer& answer : question.answers)
    {
        const int item = m_answerList->Append(answer.text);
        m_answerList->SetClientData(item, const_cast<Answer*>(&answer));
    }
    if (!m_answerList->IsEmpty())
        m_answerList->SetSelection(0);
}

void MindprismFrame::OnSessionChange(const SessionChange& change)
{
    if (change.Has(SessionChange::Quizzes))
        ShowQuizzes();
    if (change.Has(SessionChange::Quiz | SessionChange::Quizzes))
        ShowQuiz();
    if (change.Has(SessionChange::Question))
        if (const Question* current = m_session->Current())
        {
            ShowQuestion(*current);
            const int selection = m_session->Selection();
            if (selection != wxNOT_FOUND && selection < static_cast<int>(m_answerList->GetCount()))
                m_answerList->SetSelection(selection);
        }
    if (change.Has(SessionChange::Question | SessionChange::Status))
        ShowStatus();
    ShowTitle();
    // After the command that caused it is in the history.
    if (!m_editCommandsPending)
    {
        m_editCommandsPending = true;
        CallAfter([this] {
            m_editCommandsPending = false;
            ShowEditCommands();
        });
    }
}

void MindprismFrame::ShowTitle()
{
    const wxString unsaved =
        m_session->OpenedShown() && m_session->HasUnsavedEdits() ? wxS("*") : wxString();
    const wxString title =
        _("Mind Prism") + wxS(" - ") + unsaved + ShownTitle(m_session->CurrentQuiz());
    if (GetTitle() != title)
        SetTitle(title);
}

void MindprismFrame::ShowEditCommands()
{
    wxMenuBar* menuBar = GetMenuBar();
    const bool editable = m_session->OpenedShown();
    const QuizDocument* document = editable ? m_session->EditedDocument().get() : nullptr;
    const bool canUndo = document && document->CanUndo();
    const wxString undoLabel =
        canUndo ? wxString::Format(_("&Undo: %s"), document->UndoName()) : _("&Undo");
    menuBar->SetLabel(wxID_UNDO, undoLabel + wxS("\tCtrl+Z"));
    menuBar->Enable(wxID_UNDO, canUndo);
    const bool canRedo = document && document->CanRedo();
    const wxString redoLabel =
        canRedo ? wxString::Format(_("&Redo: %s"), document->RedoName()) : _("&Redo");
    menuBar->SetLabel(wxID_REDO, redoLabel + wxS("\tCtrl+Y"));
    menuBar->Enable(wxID_REDO, canRedo);
    menuBar->Enable(ID_MENU_SAVE, editable);
    const bool editing = m_editor->IsShown() && m_editor->CanEdit();
    m_editItem->Check(m_editor->IsShown());
    menuBar->Enable(ID_MENU_ADD_QUESTION, editing);
    menuBar->Enable(ID_MENU_DELETE_QUESTION, editing && m_editor->Selected() >= 0);
    menuBar->Enable(ID_MENU_DUPLICATE_QUESTION, editing && m_editor->Selected() >= 0);
    menuBar->Enable(ID_MENU_PLAY_HERE, editing && m_editor->Selected() >= 0);
}

void MindprismFrame::ShowQuizzes()
{
    const std::vector<QuizEntry>& quizzes = m_session->Quizzes();
    while (m_quizChoice->GetCount() > quizzes.size())
        m_quizChoice->Delete(m_quizChoice->GetCount() - 1);
    for (size_t index = 0; index < quizzes.size(); ++index)
    {
        const wxString title = ShownTitle(quizzes[index]);
        if (index >= m_quizChoice->GetCount())
            m_quizChoice->Append(title);
        else if (m_quizChoice->GetString(index) != title)
            m_quizChoice->SetString(index, title);
    }
    FitQuizChoice();
    if (wxAuiToolBarItem* item = m_toolBar->FindTool(ID_CHOICE1))
        item->SetMinSize(m_quizChoice->GetSize());
    m_toolBar->Realize();
    // A longer title widens the bar, nothing makes it taller: on Windows the
    // toolbar's best height, once laid out, is twice what it shows.
    const int height = m_toolBar->GetSize().y > 0 ? m_toolBar->GetSize().y : m_toolBar->GetBestSize().y;
    m_auiManager->GetPane(m_toolBar).BestSize(wxSize(m_toolBar->GetBestSize().x, height));
    m_auiManager->Update();
}

void MindprismFrame::ShowQuiz()
{
    const int index = m_session->CurrentIndex();
    if (m_quizChoice->GetSelection() != index)
        m_quizChoice->SetSelection(index);
    ShowTitle();
    m_goToItem->Enable(m_session->OpenedShown());
    // The opened file is followed from when it is opened (or first saved),
    // shown or not.
    if (const OpenedQuiz* opened = m_session->Opened())
        if (opened->path != m_followed && !opened->path.empty())
        {
            m_followed = opened->path;
            m_follower->Follow(m_followed);
        }
}

void MindprismFrame::ShowStatus()
{
    wxString text;
    if (!m_session->MissingTarget().empty())
        text = wxString::Format(_("This answer leads to question %s, which this quiz does not have"),
                                m_session->MissingTarget());
    else if (m_session->Current() && m_editor && m_editor->IsShown() && m_session->OpenedShown())
        text = ProgressTextById(m_session->Current()->id, m_session->Progress());
    else if (m_session->Current())
    {
        if (const QuizProgress* progress = m_session->Progress())
            text = ProgressText(m_session->Place(), *progress);
        else if (m_session->Navigator().CurrentTable())
            text = wxString::Format(_(L"Question %d · no ending can be reached from here"),
                                    static_cast<int>(m_session->Place()));
    }
    m_progressText = text;
    if (!m_menuHelpShown)
        m_statusBar->SetStatusText(text, 0);
    // Why Next stayed is a long sentence for its field: whole as a tip.
    if (m_session->MissingTarget().empty())
        m_statusBar->UnsetToolTip();
    else
        m_statusBar->SetToolTip(text);
}

void MindprismFrame::NextQuestion(wxCommandEvent& event)
{
    const QuizNavigator::Step step = m_session->Next(m_answerList->GetSelection());
    if (step.kind != QuizNavigator::Step::Ended)
        return;
    // How a quiz ends depends on the quiz chosen, whichever question is on screen.
    if (const QuizResult* result = m_session->DescribedResult(*step.answer))
    {
        // Copied: the dialog's event loop may see the file read again.
        ResultDlg dialog(this, step.answer->text, result->name, result->text);
        dialog.ShowModal();
    }
    else if (m_session->CurrentQuiz().ending == QuizEnding::MessageBox)
    {
        wxMessageBox(step.answer->text, _("Result"), wxOK | wxCENTRE);
    }
    else
    {
        g_resultText = step.answer->text;
        ResultDlg dialog(this, wxID_ANY, wxDefaultPosition, wxDefaultSize);
        dialog.ShowModal();
    }
}

void MindprismFrame::PrevQuestion(wxCommandEvent& event)
{
    m_session->Prev();
}

void MindprismFrame::SwitchQuiz(wxCommandEvent& event)
{
    // What is being typed is an edit of the quiz shown until now.
    m_editor->CommitTyping();
    wxString error;
    if (m_session->Switch(event.GetInt(), &error))
    {
        // Unsaved edits are played: the file may have changed meanwhile.
        if (m_session->OpenedShown() && m_session->HasUnsavedEdits())
            ReloadOpenedQuiz();
        return;
    }
    // The file went bad since it was opened: the quiz on screen stays.
    if (!error.empty())
        wxMessageBox(error, _("Open quiz"), wxOK | wxICON_ERROR | wxCENTRE, this);
    ShowQuiz();
}

void MindprismFrame::ShowAnswerTarget(wxCommandEvent& event)
{
    wxString message;
    const int item = m_answerList->GetSelection();
    if (item != wxNOT_FOUND)
        message = static_cast<const Answer*>(m_answerList->GetClientData(item))->target;
    wxMessageBox(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE);
}

void MindprismFrame::OnAnswerSelected(wxCommandEvent& event)
{
    m_session->Select(event.GetSelection());
}

void MindprismFrame::OnQuit(wxCommandEvent& event)
{
    Close(false);
}

void MindprismFrame::OnCheckUpdate(wxCommandEvent& event)
{
    wxLaunchDefaultBrowser(MAKER_DOWNLOAD_URL, wxBROWSER_NEW_WINDOW);
}

void MindprismFrame::OnAbout(wxCommandEvent& event)
{
    AboutDlg dialog(this, wxID_ANY);
    dialog.ShowModal();
}

void MindprismFrame::OnLanguage(wxCommandEvent& event)
{
    ChangeUiLanguage();
}

void MindprismFrame::OnQuizMap(wxCommandEvent& event)
{
    m_map->Open();
}

void MindprismFrame::OnOpenQuiz(wxCommandEvent& event)
{
    Busy busy(*this);
    // Asked before the file is chosen, not after.
    if (!ConfirmUnsavedEdits())
        return;
    wxFileDialog dialog(this, _("Open quiz"), wxEmptyString, wxEmptyString, wxGetTranslation(QUIZ_FILES),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        OpenQuizFile(dialog.GetPath(), false);
}

void MindprismFrame::OnGoToQuestion(wxCommandEvent& event)
{
    if (!m_session->OpenedShown())
        return;
    Busy busy(*this);
    GoToDialog dialog(this, m_session->MapOutline());
    if (dialog.ShowModal() != wxID_OK)
        return;
    // The quiz as it is after the dialog, which ran an event loop.
    const wxString typed = dialog.GetValue();
    const std::shared_ptr<const QuizOutline> outline = m_session->MapOutline();
    const wxString id = outline ? FindQuestion(*outline, typed) : wxString();
    if (id.empty() || !GoThere(id, -1, true))
        wxMessageBox(wxString::Format(_("The quiz has no question with the ID \"%s\", nor one whose text "
                                        "holds these words."),
                                      typed),
                     _("Go to question"), wxOK | wxICON_INFORMATION | wxCENTRE, this);
}

void MindprismFrame::OnCharHook(wxKeyEvent& event)
{
    if (!RunMenuShortcut(*this, event))
        event.Skip();
}

void MindprismFrame::DoGiveHelp(const wxString& text, bool show)
{
    m_menuHelpShown = show;
    wxFrame::DoGiveHelp(text, show);
    if (!show)
        m_statusBar->SetStatusText(m_progressText, 0);
}

bool MindprismFrame::OpenQuiz(const wxString& path)
{
    return OpenQuizFile(path, true);
}

bool MindprismFrame::OpenQuizFile(const wxString& path, bool confirm)
{
    Busy busy(*this);
    if (confirm && !ConfirmUnsavedEdits())
        return false;
    wxString error;
    if (m_session->Open(path, error))
    {
        Remember(m_session->Opened()->path);
        return true;
    }
    wxMessageBox(error, _("Open quiz"), wxOK | wxICON_ERROR | wxCENTRE, this);
    return false;
}

bool MindprismFrame::GoToQuestion(const wxString& id)
{
    return m_session->GoTo(id);
}

bool MindprismFrame::GoThere(const wxString& id, int answer, bool focus)
{
    if (m_editor->IsShown() && m_editor->SelectQuestion(id, answer))
    {
        if (focus)
            m_editor->FocusSelection(answer >= 0);
        return true;
    }
    return m_session->GoTo(id);
}

void MindprismFrame::ReloadOpenedQuiz()
{
    if (IsBeingDeleted())
        return;
    // Kept until the command running now ends.
    if (m_busy > 0)
    {
        m_reloadPending = true;
        return;
    }
    Busy busy(*this);
    if (m_session->FileChanged() == QuizSession::FileCheck::Conflict)
    {
        wxMessageDialog dialog(
            this,
            wxString::Format(_("\"%s\" was changed by another program, and your edits are not saved.\n\n"
                               "Keep your edits (saving them writes over the file), or load the file as "
                               "it is now (your edits are lost)?"),
                             m_session->Opened()->path),
            _("File changed"), wxYES_NO | wxICON_WARNING | wxCENTRE);
        dialog.SetYesNoLabels(_("&Keep my edits"), _("&Load the file"));
        if (dialog.ShowModal() == wxID_YES)
            m_session->KeepEdits();
        else
            m_session->TakeFile();
    }
    // The old version's records are freed once the new one is on screen:
    // the player need not wait for it.
    CallAfter([this] { m_session->ReleaseDisplaced(); });
}

void MindprismFrame::Remember(const wxString& path)
{
    m_history->AddFileToHistory(path);
    SaveRecentQuizzes();
}

void MindprismFrame::SaveRecentQuizzes()
{
    // Written whole: a list grown shorter leaves no entry behind.
    wxConfigBase* config = wxConfigBase::Get();
    config->DeleteGroup(RECENT_QUIZZES_GROUP);
    config->SetPath(RECENT_QUIZZES_GROUP);
    m_history->Save(*config);
    config->SetPath(wxS("/"));
    config->Flush();
}

void MindprismFrame::ShowEditor(bool show)
{
    m_editor->Show(show);
    ShowEditCommands();
    ShowStatus();  // with the editor, the question is named by its ID
}

bool MindprismFrame::ConfirmUnsavedEdits()
{
    Busy busy(*this);
    m_editor->CommitTyping();
    if (!m_session->HasUnsavedEdits())
        return true;
    const QuizEntry& opened = m_session->Quizzes().back();
    wxMessageDialog dialog(
        this, wxString::Format(_("Save the changes to \"%s\"? If you don't, they will be lost."),
                               ShownTitle(opened)),
        _("Unsaved edits"), wxYES_NO | wxCANCEL | wxICON_WARNING | wxCENTRE);
    dialog.SetYesNoCancelLabels(_("&Save"), _("&Discard"), _("Cancel"));
    switch (dialog.ShowModal())
    {
        case wxID_YES:
        {
            // The opened quiz is saved even while a built-in one is shown.
            const int shown = m_session->CurrentIndex();
            const int openedIndex = static_cast<int>(m_session->Quizzes().size()) - 1;
            if (shown != openedIndex)
                m_session->Switch(openedIndex);
            return SaveQuiz();
        }
        case wxID_NO:
            return true;
        default:
            return false;
    }
}

MindprismFrame::ChangedChoice MindprismFrame::AskChangedOnDisk(const wxString& path, bool own)
{
    if (!own)
    {
        wxMessageDialog dialog(
            this, wxString::Format(_("\"%s\" was changed by another program after you chose it. "
                                     "Write over it anyway?"), path),
            _("Save quiz"), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING | wxCENTRE);
        dialog.SetYesNoLabels(_("&Overwrite"), _("Cancel"));
        return dialog.ShowModal() == wxID_YES ? ChangedChoice::Overwrite : ChangedChoice::Cancel;
    }
    wxMessageDialog dialog(
        this,
        wxString::Format(_("\"%s\" was changed by another program since you opened or last saved it.\n\n"
                           "Overwrite it with your version (the other change is lost), load the file as "
                           "it is now (your edits are lost), or save your version to another file?"),
                         path),
        _("File changed"), wxYES_NO | wxCANCEL | wxHELP | wxICON_WARNING | wxCENTRE);
    dialog.SetYesNoCancelLabels(_("&Overwrite"), _("&Load the file"), _("Cancel"));
    dialog.SetHelpLabel(_("Save &elsewhere..."));
    switch (dialog.ShowModal())
    {
        case wxID_YES:
            return ChangedChoice::Overwrite;
        case wxID_NO:
            return ChangedChoice::LoadFile;
        case wxID_HELP:
            return ChangedChoice::SaveElsewhere;
        default:
            return ChangedChoice::Cancel;
    }
}

bool MindprismFrame::WriteQuiz(const wxString& path, const FileIdentity& expected)
{
    // Held across the dialogs below: the document stays alive whatever
    // happens meanwhile.
    const std::shared_ptr<QuizDocument> document = m_session->Document();
    if (!document)
    {
        wxMessageBox(m_session->DocumentError(), _("Save quiz"), wxOK | wxICON_ERROR | wxCENTRE, this);
        return false;
    }
    if (!document->SaveLosses().empty() && !document->LossesAccepted())
    {
        wxMessageDialog dialog(this, document->SaveLosses() + wxS("\n\n") + _("Save anyway?"),
                               _("Save quiz"), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING | wxCENTRE);
        if (dialog.ShowModal() != wxID_YES)
            return false;
        document->AcceptLosses();
    }
    QuizSession::SaveRequest request;
    request.path = path;
    request.expected = expected;
    for (;;)
    {
        // Each answer ran an event loop: only the session's document of
        // now is written, never one it has since replaced.
        if (m_session->Document() != document)
            return false;
        wxString error;
        switch (m_session->Save(request, error))
        {
            case QuizSession::SaveOutcome::Saved:
                return true;
            case QuizSession::SaveOutcome::Failed:
                wxMessageBox(error, _("Save quiz"), wxOK | wxICON_ERROR | wxCENTRE, this);
                return false;
            case QuizSession::SaveOutcome::ReadOnly:
            {
                wxMessageDialog dialog(
                    this, wxString::Format(_("\"%s\" is read-only. Write over it anyway? It stays read-only."),
                                           path),
                    _("Save quiz"), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING | wxCENTRE);
                dialog.SetYesNoLabels(_("&Overwrite"), _("Cancel"));
                if (dialog.ShowModal() != wxID_YES)
                    return false;
                request.overwriteReadOnly = true;
                break;
            }
            case QuizSession::SaveOutcome::ChangedOnDisk:
            {
                const bool own = !expected.known && !m_session->DocumentReadOnly();
                switch (AskChangedOnDisk(path, own))
                {
                    case ChangedChoice::Overwrite:
                        request.overwriteChanged = true;
                        break;
                    case ChangedChoice::LoadFile:
                        m_session->TakeFile();
                        return false;
                    case ChangedChoice::SaveElsewhere:
                        return SaveQuizAs();
                    case ChangedChoice::Cancel:
                        return false;
                }
                break;
            }
        }
    }
}

bool MindprismFrame::SaveQuiz()
{
    Busy busy(*this);
    m_editor->CommitTyping();
    if (!m_session->OpenedShown())
        return SaveQuizAs();
    const std::shared_ptr<QuizDocument> document = m_session->Document();
    if (!document)
    {
        wxMessageBox(m_session->DocumentError(), _("Save quiz"), wxOK | wxICON_ERROR | wxCENTRE, this);
        return false;
    }
    if (document->Path().empty())
        return SaveQuizAs();
    if (!WriteQuiz(document->Path(), FileIdentity{}))
        return false;
    // Saved elsewhere, maybe: the file it is now.
    Remember(document->Path());
    return true;
}

bool MindprismFrame::SaveQuizAs(const wxString& path)
{
    Busy busy(*this);
    m_editor->CommitTyping();
    const std::shared_ptr<QuizDocument> document = m_session->Document();
    if (!document)
    {
        wxMessageBox(m_session->DocumentError(), _("Save quiz"), wxOK | wxICON_ERROR | wxCENTRE, this);
        return false;
    }
    wxString target = path;
    if (target.empty())
    {
        wxFileName suggested(document->Path());
        if (!m_session->OpenedShown() || document->Path().empty())
            suggested = wxFileName(wxGetHomeDir(), m_session->OpenedShown()
                                                       ? wxString(_("quiz.xml"))
                                                       : suggested.GetFullName());
        wxFileDialog dialog(this, _("Save quiz as"), suggested.GetPath(), suggested.GetFullName(),
                            wxGetTranslation(QUIZ_FILES), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        target = dialog.GetPath();
    }
    wxFileName file(target);
    file.MakeAbsolute();
    target = file.GetFullPath();
    // The author agreed to write over what is there now; the opened quiz's
    // own file is expected to hold what its edits are based on.
    const OpenedQuiz* opened = m_session->Opened();
    const bool own = m_session->OpenedShown() && opened && !opened->path.empty() &&
                     file.SameAs(wxFileName(opened->path));
    const FileIdentity expected = own ? FileIdentity{} : FileIdentityOnDisk(target);
    if (!WriteQuiz(target, expected))
        return false;
    // A copy of a built-in quiz, in the edition on screen, is opened to
    // write on.
    if (m_session->DocumentReadOnly())
        return OpenQuiz(target);
    Remember(target);
    return true;
}

bool MindprismFrame::ExportWebPage(const wxString& path)
{
    Busy busy(*this);
    m_editor->CommitTyping();
    // The page is made from the file, which lacks what is not saved.
    if (m_session->OpenedShown() && m_session->HasUnsavedEdits())
    {
        wxMessageDialog dialog(this, _("The web page is made from the quiz's file. Save your edits first?"),
                               _("Export as web page"), wxYES_NO | wxCANCEL | wxICON_QUESTION | wxCENTRE);
        dialog.SetYesNoCancelLabels(_("&Save"), _("&Export without them"), _("Cancel"));
        const int answer = dialog.ShowModal();
        if (answer == wxID_CANCEL || (answer == wxID_YES && !SaveQuiz()))
            return false;
    }
    const QuizEntry& quiz = m_session->CurrentQuiz();
    const wxString source = quiz.IsBuiltIn() ? BuiltInQuizFile(quiz.stem) : m_session->Opened()->path;
    if (source.empty() || !wxFileName::FileExists(source))
    {
        wxMessageBox(_("The quiz has no file yet: save it first."), _("Export as web page"),
                     wxOK | wxICON_INFORMATION | wxCENTRE, this);
        return false;
    }
    wxString target = path;
    if (target.empty())
    {
        const wxFileName file(source);
        const wxString folder = quiz.IsBuiltIn() ? wxGetHomeDir() : file.GetPath();
        wxFileDialog dialog(this, _("Export as web page"), folder, file.GetName() + wxS(".html"),
                            _("Web pages (*.html)|*.html|All files|*"), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        target = dialog.GetPath();
    }
    wxString error;
    std::vector<wxString> leftOut;
    if (!::ExportWebPage(WebExportFor(quiz, source, Resources::Path(wxS("locales")), CatalogueLanguage()),
                         target, error, &leftOut))
    {
        wxMessageBox(error, _("Export as web page"), wxOK | wxICON_ERROR | wxCENTRE, this);
        return false;
    }
    if (!leftOut.empty())
    {
        wxString names;
        for (const wxString& name : leftOut)
            names += wxS("\n") + name;
        wxMessageBox(_("The page was written without these language editions, which cannot be read:") + names,
                     _("Export as web page"), wxOK | wxICON_WARNING | wxCENTRE, this);
    }
    return true;
}

bool MindprismFrame::NewQuiz()
{
    Busy busy(*this);
    if (!ConfirmUnsavedEdits())
        return false;
    m_session->NewQuiz();
    ShowEditor(true);
    return true;
}

void MindprismFrame::OnRecentQuiz(wxCommandEvent& event)
{
    const size_t entry = static_cast<size_t>(event.GetId() - wxID_FILE1);
    if (entry >= m_history->GetCount())
        return;
    const wxString path = m_history->GetHistoryFile(entry);
    if (wxFileName::FileExists(path))
    {
        OpenQuiz(path);
        return;
    }
    m_history->RemoveFileFromHistory(entry);
    SaveRecentQuizzes();
    wxMessageBox(wxString::Format(_("The file \"%s\" no longer exists and has been removed from Recent quizzes."), path),
                 _("Open quiz"), wxOK | wxICON_INFORMATION | wxCENTRE, this);
}

void MindprismFrame::OnUndo(wxCommandEvent& event)
{
    m_editor->CommitTyping();
    if (m_session->OpenedShown())
        if (const std::shared_ptr<QuizDocument> document = m_session->EditedDocument())
            document->Undo();
    ShowEditCommands();
}

void MindprismFrame::OnRedo(wxCommandEvent& event)
{
    m_editor->CommitTyping();
    if (m_session->OpenedShown())
        if (const std::shared_ptr<QuizDocument> document = m_session->EditedDocument())
            document->Redo();
    ShowEditCommands();
}





void MindprismFrame::OnClose(wxCloseEvent& event)
{
    Busy busy(*this);
    if (event.CanVeto() && !ConfirmUnsavedEdits())
    {
        event.Veto();
        return;
    }
    event.Skip();
}
