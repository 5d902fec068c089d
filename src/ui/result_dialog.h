// The result dialog at the end of the first quiz: the chosen answer above the
// catalogue of the seven animal types.
#pragma once

#include <wx/dialog.h>
#include <wx/string.h>

class wxButton;
class wxInitDialogEvent;
class wxStaticText;
class wxTextCtrl;

// Text of the answer that ended the first quiz; the dialog shows it.
extern wxString g_resultText;

class ResultDlg : public wxDialog
{
public:
    // Position and size are accepted for the toolkit's usual signature; the
    // dialog always sizes itself to its contents.
    ResultDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize);
    ~ResultDlg() override;

    static const long ID_STATICTEXT1;
    static const long ID_TEXTCTRL1;

private:
    void OnInit(wxInitDialogEvent& event);

    wxButton* m_okButton = nullptr;
    wxTextCtrl* m_catalogueText = nullptr;
    wxStaticText* m_resultLabel = nullptr;

    wxDECLARE_EVENT_TABLE();
};
