// The main window of Mind Prism.
#include "ui/main_frame.h"

#include "app/language.h"
#include "app/quiz_edition_file.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_list.h"
#include "ui/about_dialog.h"
#include "ui/window_support.h"
#include "ui/maker.h"
#include "ui/quiz_map_link.h"
#include "ui/result_dialog.h"

#include <wx/aui/aui.h>
#include <wx/button.h>
#include <wx/choice.h>
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

} // namespace

wxBEGIN_EVENT_TABLE(MindprismFrame, wxFrame)
wxEND_EVENT_TABLE()

MindprismFrame::MindprismFrame(wxWindow* parent, wxWindowID id)
    : m_quizzes(BuiltInQuizzes())
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
    m_map = std::make_unique<QuizMapLink>(this, [this](const wxString& id) { ShowFromMap(id); });
    BuildToolBar();
    BuildPanel();
    BuildMenuBar();
    BuildStatusBar();
    ConnectCommands();

    LoadQuiz(QuizPath(m_quizzes.front()));
    TitleForQuiz(0);
    StartQuiz();
}

MindprismFrame::~MindprismFrame()
{
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
    for (const QuizEntry& quiz : m_quizzes)
        m_quizChoice->Append(QuizTitle(quiz));
    m_quizChoice->SetSelection(0);
    // Never narrower than 160 pixels, but wide enough for the longest title
    // in the interface language, which would otherwise be cut.
    int textWidth = 0;
    for (const wxString& title : m_quizChoice->GetStrings())
        textWidth = std::max(textWidth, m_quizChoice->GetTextExtent(title).x);
    const wxSize fitting = m_quizChoice->GetSizeFromTextSize(textWidth);
    m_quizChoice->SetInitialSize(wxSize(std::max(FromDIP(160), fitting.x), fitting.y));

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

    m_answerList = new wxListBox(m_panel, ID_LISTBOX_ANSWER, wxDefaultPosition, FromDIP(wxSize(480, 128)),
                                 0, nullptr, wxLB_SINGLE, wxDefaultValidator,
                                 wxS("ID_LISTBOX_ANSWER"));
    UseTooltipColours(m_answerList);
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
    fileMenu->Append(new wxMenuItem(fileMenu, ID_MENU_QUIT, _("Quit\tAlt-F4"),
                                    _("Quit the application"), wxITEM_NORMAL));
    menuBar->Append(fileMenu, _("&File"));

    m_viewMenu = new wxMenu();
    m_viewMenu->Append(new wxMenuItem(m_viewMenu, ID_MENU_UPDATE, _("Check &update...\tF3"),
                                      _("Check update from Larkspan"), wxITEM_NORMAL));
    m_languageItem = new wxMenuItem(m_viewMenu, ID_MENU_LANGUAGE, _("&Language...\tF2"),
                                    _("Change UI language"), wxITEM_NORMAL);
    m_viewMenu->Append(m_languageItem);
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
}

void MindprismFrame::LoadQuiz(const wxString& path)
{
    if (m_navigator.Load(m_quizDocument, path))
        m_quizRoot = m_quizDocument.GetRoot();
}

void MindprismFrame::StartQuiz()
{
    if (Question* entry = m_navigator.Start())
        ShowQuestion(*entry);
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
    FollowOnMap();
}

wxString MindprismFrame::QuizTitle(const QuizEntry& quiz)
{
    return quiz.IsBuiltIn() ? wxGetTranslation(quiz.title) : quiz.title;
}

wxString MindprismFrame::QuizPath(const QuizEntry& quiz)
{
    return quiz.IsBuiltIn() ? BuiltInQuizFile(quiz.stem) : quiz.path;
}

const QuizEntry& MindprismFrame::CurrentQuiz() const
{
    const int index = m_quizChoice->GetSelection();
    return index >= 0 && index < static_cast<int>(m_quizzes.size()) ? m_quizzes[index]
                                                                     : m_quizzes.front();
}

void MindprismFrame::TitleForQuiz(int index)
{
    SetTitle(_("Mind Prism") + wxS(" - ") + m_quizChoice->GetString(index));
}

void MindprismFrame::NextQuestion(wxCommandEvent& event)
{
    const QuizNavigator::Step step = m_navigator.Next(m_answerList->GetSelection());
    switch (step.kind)
    {
        case QuizNavigator::Step::NoChoice:
        case QuizNavigator::Step::Stayed:
            break;
        case QuizNavigator::Step::Moved:
            ShowQuestion(*step.question);
            break;
        case QuizNavigator::Step::Ended:
            if (CurrentQuiz().ending == QuizEnding::MessageBox)
            {
                wxMessageBox(step.answer->text, _("Result"), wxOK | wxCENTRE);
            }
            else
            {
                g_resultText = step.answer->text;
                ResultDlg dialog(this, wxID_ANY, wxDefaultPosition, wxDefaultSize);
                dialog.ShowModal();
            }
            break;
    }
}

void MindprismFrame::PrevQuestion(wxCommandEvent& event)
{
    if (Question* back = m_navigator.Prev())
        ShowQuestion(*back);
}

void MindprismFrame::SwitchQuiz(wxCommandEvent& event)
{
    const int index = event.GetInt();
    if (index < 0 || index >= static_cast<int>(m_quizzes.size()))
        return;
    TitleForQuiz(index);
    LoadQuiz(QuizPath(m_quizzes[index]));
    StartQuiz();
}

void MindprismFrame::ShowAnswerTarget(wxCommandEvent& event)
{
    wxString message;
    const int item = m_answerList->GetSelection();
    if (item != wxNOT_FOUND)
        message = static_cast<const Answer*>(m_answerList->GetClientData(item))->target;
    wxMessageBox(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE);
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
    FollowOnMap();
}

void MindprismFrame::FollowOnMap()
{
    m_map->Follow(QuizPath(CurrentQuiz()), m_quizChoice->GetStringSelection(), !CurrentQuiz().IsBuiltIn(),
                  m_navigator);
}

void MindprismFrame::ShowFromMap(const wxString& id)
{
    // A built-in quiz is not for skipping ahead.
    if (CurrentQuiz().IsBuiltIn() || !m_navigator.Questions().FindQuestion(id))
        return;
    // Played from there as from a fresh start: no way back.
    QuizPlace place;
    place.current = id;
    const QuizNavigator::ReloadResult moved = m_navigator.MoveTo(place);
    if (moved.show)
        ShowQuestion(*moved.show);
}
