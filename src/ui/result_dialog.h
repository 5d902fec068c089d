// The result dialog at the end of the first quiz: the chosen answer above the
// catalogue of the seven animal types; and, laid out alike, at the end of a
// quiz that describes its results: the answer above the result's name and
// text.
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
    // The dialog for a described result: `answer` on top, then `name` as a
    // heading and `text` below it, wrapped and scrollable.
    ResultDlg(wxWindow* parent, const wxString& answer, const wxString& name, const wxString& text);
    ~ResultDlg() override;

    static const long ID_STATICTEXT1;
    static const long ID_TEXTCTRL1;

private:
    // Builds the layout; `heading` is left out when empty.
    void Build(wxWindow* parent, wxWindowID id, const wxString& heading, const wxString& body);
    void OnInit(wxInitDialogEvent& event);

    wxButton* m_okButton = nullptr;
    wxTextCtrl* m_catalogueText = nullptr;
    wxStaticText* m_resultLabel = nullptr;
    wxStaticText* m_heading = nullptr;  // a described result's name
    bool m_described = false;
    wxString m_answer;  // for a described result; the catalogue's is g_resultText

    wxDECLARE_EVENT_TABLE();
};
