// The result dialog.
#include "ui/result_dialog.h"

#include "quiz/result_catalogue.h"
#include "ui/window_support.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

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
    KeepHistoricalSizerFlags();
    Create(parent, id, _("Result"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER, wxS("id"));
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    const int flags = wxTOP | wxLEFT | wxRIGHT | wxEXPAND | wxALIGN_CENTER_HORIZONTAL |
                      wxALIGN_CENTER_VERTICAL;

    m_resultLabel = new wxStaticText(this, ID_STATICTEXT1, _("A"), wxDefaultPosition,
                                     wxDefaultSize, 0, wxS("ID_STATICTEXT1"));
    column->Add(m_resultLabel, 0, flags, BORDER);

    m_catalogueText = new wxTextCtrl(this, ID_TEXTCTRL1, wxGetTranslation(RESULT_CATALOGUE),
                                     wxDefaultPosition, wxSize(360, 256),
                                     // Auto-scrolling, once a style of its own, is built in now.
                                     wxTE_MULTILINE | wxTE_READONLY,
                                     wxDefaultValidator, wxS("ID_TEXTCTRL1"));
    UseTooltipColours(m_catalogueText);
    column->Add(m_catalogueText, 1, flags, BORDER);

    m_okButton = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, wxS("wxID_OK"));
    m_okButton->SetDefault();
    column->Add(m_okButton, 0, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, BORDER);

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
    m_resultLabel->SetLabelText(g_resultText);
    // The dialog was sized for a one-letter placeholder: wrap the answer to
    // the dialog's width and grow the dialog, or a real answer is cut off.
    m_resultLabel->Wrap(GetClientSize().x - 2 * BORDER);
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
}
