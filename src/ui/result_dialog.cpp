// The result dialog.
#include "ui/result_dialog.h"

#include "quiz/result_catalogue.h"
#include "ui/label_measure.h"
#include "ui/window_support.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

const long ResultDlg::ID_STATICTEXT1 = wxNewId();
const long ResultDlg::ID_TEXTCTRL1 = wxNewId();

namespace
{

const int BORDER = 4;

} // namespace

wxBEGIN_EVENT_TABLE(ResultDlg, wxDialog)
wxEND_EVENT_TABLE()

ResultDlg::ResultDlg(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    Build(parent, id, wxString(), wxGetTranslation(RESULT_CATALOGUE));
}

ResultDlg::ResultDlg(wxWindow* parent, const wxString& answer, const wxString& name,
                     const wxString& text)
    : m_described(true), m_answer(answer)
{
    Build(parent, wxID_ANY, name, text);
}

void ResultDlg::Build(wxWindow* parent, wxWindowID id, const wxString& heading, const wxString& body)
{
    KeepHistoricalSizerFlags();
    Create(parent, id, _("Result"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER, wxS("id"));
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    const int flags = wxTOP | wxLEFT | wxRIGHT | wxEXPAND | wxALIGN_CENTER_HORIZONTAL |
                      wxALIGN_CENTER_VERTICAL;

    m_resultLabel = new wxStaticText(this, ID_STATICTEXT1, _("A"), wxDefaultPosition,
                                     wxDefaultSize, 0, wxS("ID_STATICTEXT1"));
    column->Add(m_resultLabel, 0, flags, FromDIP(BORDER));

    if (m_described)
    {
        m_heading = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                     wxS("ID_STATICTEXT_RESULT_NAME"));
        m_heading->SetLabelText(heading);
        m_heading->SetFont(m_heading->GetFont().Bold().Larger());
        column->Add(m_heading, 0, flags, FromDIP(BORDER));
    }

    m_catalogueText = new wxTextCtrl(this, ID_TEXTCTRL1, body,
                                     wxDefaultPosition, FromDIP(wxSize(360, 256)),
                                     // Auto-scrolling, once a style of its own, is built in now.
                                     wxTE_MULTILINE | wxTE_READONLY,
                                     wxDefaultValidator, wxS("ID_TEXTCTRL1"));
    UseTooltipColours(m_catalogueText);
    column->Add(m_catalogueText, 1, flags, FromDIP(BORDER));

    m_okButton = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, wxS("wxID_OK"));
    m_okButton->SetDefault();
    column->Add(m_okButton, 0, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(BORDER));

    SetSizer(column);
    column->Fit(this);
    column->SetSizeHints(this);
    Centre(wxBOTH);

    Connect(wxEVT_INIT_DIALOG, wxInitDialogEventHandler(ResultDlg::OnInit));
}

ResultDlg::~ResultDlg() = default;

void ResultDlg::OnInit(wxInitDialogEvent& event)
{
    // As text, not as a label: an ampersand in an answer is not a mnemonic.
    m_resultLabel->SetLabelText(m_described ? m_answer : g_resultText);
    // The dialog was sized for a one-letter placeholder. The answer wraps
    // within the catalogue's width, the way the platform wraps Chinese, and
    // the dialog grows downwards only; a one-line label would make it as
    // wide as the whole answer.
    wxSize needed = MeasureWrappedLabel(m_resultLabel, m_catalogueText->GetSize().x);
    m_resultLabel->SetMinSize(needed);
    if (m_heading)
        m_heading->SetMinSize(MeasureWrappedLabel(m_heading, m_catalogueText->GetSize().x));
    GetSizer()->SetSizeHints(this);

    // However long the answer, the dialog stays on the screen; the label is
    // cut rather than the button pushed out of reach.
    const int excess = GetSize().y - wxDisplay(this).GetClientArea().height;
    if (excess > 0)
    {
        needed.y = std::max(needed.y - excess, 0);
        m_resultLabel->SetMinSize(needed);
        GetSizer()->SetSizeHints(this);
    }
    Centre(wxBOTH);
}
