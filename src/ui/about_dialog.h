// The about box: logo, icon, version and build lines, the maker's links and
// the download button.
#pragma once

#include <wx/dialog.h>

class wxBitmapButton;
class wxButton;
class wxHyperlinkCtrl;
class wxStaticBitmap;
class wxStaticText;

enum class BuildInfoFormat
{
    Short,    // the toolkit's version string alone
    Detailed  // followed by the platform and "-Unicode build"
};

// The toolkit version this program was built with, e.g.
// "wxWidgets 3.2.2-Linux-Unicode build" in the detailed form.
wxString GetToolkitBuildInfo(BuildInfoFormat format);

// The version line, "Version <version>  (Build <count>.<ddmmyyyy>)".
wxString GetVersionLine();

class AboutDlg : public wxDialog
{
public:
    AboutDlg(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~AboutDlg() override;

    static const long ID_STATICBITMAP2;
    static const long ID_STATICBITMAP1;
    static const long ID_STATICTEXT1;
    static const long ID_STATICTEXT2;
    static const long ID_STATICTEXT3;
    static const long ID_STATICTEXT5;
    static const long ID_HYPERLINKCTRL1;
    static const long ID_HYPERLINKCTRL2;
    static const long ID_BITMAPBUTTON1;

private:
    void OnDownloadClick(wxCommandEvent& event);

    wxHyperlinkCtrl* m_mailLink = nullptr;
    wxStaticBitmap* m_logoBitmap = nullptr;
    wxButton* m_okButton = nullptr;
    wxStaticBitmap* m_iconBitmap = nullptr;
    wxStaticText* m_titleText = nullptr;
    wxStaticText* m_copyrightText = nullptr;
    wxHyperlinkCtrl* m_siteLink = nullptr;
    wxStaticText* m_buildInfoText = nullptr;
    wxBitmapButton* m_downloadButton = nullptr;
    wxStaticText* m_versionText = nullptr;

    wxDECLARE_EVENT_TABLE();
};
