// The baseline of the start-up benchmark: a window built of the same kinds of
// controls as Mind Prism's main frame (docked toolbar with a choice and two
// tools, question text, answer list, buttons, menu bar, status bar), showing
// the same kind of Chinese text, and nothing else: no settings, catalogues,
// image handlers, files or quiz. What Mind Prism takes beyond it is ours.
#include <wx/app.h>
#include <wx/aui/aui.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

namespace
{

// A tool picture drawn in memory, since reading files is not the toolkit's part.
wxBitmap ToolPicture(const wxColour& colour)
{
    wxBitmap bitmap(24, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    return bitmap;
}

void InfoColours(wxWindow* window)
{
    window->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
    window->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
}

class BaselineFrame : public wxFrame
{
public:
    BaselineFrame() : wxFrame(nullptr, wxID_ANY, wxS("Baseline window"))
    {
        SetClientSize(wxSize(512, 357));
        m_manager.SetManagedWindow(this);
        BuildToolBar();
        BuildPanel();
        m_manager.Update();
        BuildMenuBar();
        wxStatusBar* status = new wxStatusBar(this, wxID_ANY, wxST_SIZEGRIP);
        const int widths[] = {-2, -1};
        status->SetFieldsCount(2, widths);
        SetStatusBar(status);
        status->SetStatusText(wxS("Baseline"), 1);
    }

    ~BaselineFrame() override { m_manager.UnInit(); }

private:
    void BuildToolBar()
    {
        auto* toolBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
        auto* choice = new wxChoice(toolBar, wxID_ANY, wxDefaultPosition, wxSize(160, -1));
        choice->Append(wxString::FromUTF8("你具备哪种动物潜质？"));
        choice->Append(wxString::FromUTF8("你的内在星座是什么？"));
        choice->SetSelection(0);
        toolBar->AddControl(choice);
        toolBar->AddSeparator();
        toolBar->AddTool(wxID_ANY, wxS("Update"), ToolPicture(*wxBLUE), wxS("Update"));
        toolBar->AddTool(wxID_ANY, wxS("About"), ToolPicture(*wxGREEN), wxS("About"));
        toolBar->Realize();
        m_manager.AddPane(toolBar, wxAuiPaneInfo().Name(wxS("tools")).ToolbarPane().Top().Gripper());
    }

    void BuildPanel()
    {
        auto* panel = new wxPanel(this);
        auto* column = new wxBoxSizer(wxVERTICAL);
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        column->Add(new wxStaticText(panel, wxID_ANY, wxS("&Question:")), 0, wxALL, 5);
        auto* question = new wxTextCtrl(
            panel, wxID_ANY, wxString::FromUTF8("周末早上醒来，你最想做的第一件事是什么？"),
            wxDefaultPosition, wxSize(480, 60), wxTE_MULTILINE | wxTE_READONLY);
        InfoColours(question);
        question->SetFont(wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
        column->Add(question, 0, wxEXPAND | wxALL, 5);
        column->Add(new wxStaticText(panel, wxID_ANY, wxS("&Select answer:")), 0, wxALL, 5);
        auto* answers = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(480, 128));
        InfoColours(answers);
        for (const char* answer : {"约上朋友出门吃早午餐", "泡一杯茶，安静地翻几页书",
                                   "先把这周没做完的事收个尾", "睡到自然醒"})
            answers->Append(wxString::FromUTF8(answer));
        answers->SetSelection(0);
        column->Add(answers, 1, wxEXPAND | wxALL, 5);
        row->Add(new wxButton(panel, wxID_ANY, wxS("&Reset")), 1, wxALL, 5);
        row->Add(new wxStaticLine(panel, wxID_ANY, wxDefaultPosition, wxSize(1, 20)), 0,
                 wxEXPAND | wxTOP, 5);
        row->Add(new wxButton(panel, wxID_ANY, wxS("&Prev")), 1, wxALL, 5);
        row->Add(new wxButton(panel, wxID_ANY, wxS("&Next")), 1, wxALL, 5);
        auto* hidden = new wxButton(panel, wxID_ANY, wxS("Test"));
        hidden->Hide();
        row->Add(hidden, 1, wxALL, 5);
        column->Add(row, 0, wxALL, 5);
        panel->SetSizer(column);
        column->SetSizeHints(panel);
        m_manager.AddPane(panel, wxAuiPaneInfo().Name(wxS("centre")).CaptionVisible(false).Center());
    }

    void BuildMenuBar()
    {
        auto* menuBar = new wxMenuBar;
        auto* file = new wxMenu;
        file->Append(wxID_EXIT, wxS("Quit\tAlt-F4"), wxS("Quit the application"));
        menuBar->Append(file, wxS("&File"));
        auto* view = new wxMenu;
        view->Append(wxID_ANY, wxS("Check &update...\tF3"), wxS("Check for updates"));
        view->Append(wxID_ANY, wxS("&Language...\tF2"), wxS("Change the language"));
        menuBar->Append(view, wxS("&View"));
        auto* help = new wxMenu;
        help->Append(wxID_ABOUT, wxS("About\tF1"), wxS("About this application"));
        menuBar->Append(help, wxS("Help"));
        SetMenuBar(menuBar);
    }

    wxAuiManager m_manager;
};

} // namespace

class BaselineApp : public wxApp
{
public:
    bool OnInit() override
    {
        (new BaselineFrame)->Show();
        return true;
    }
};

wxIMPLEMENT_APP(BaselineApp);
