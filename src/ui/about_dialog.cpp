// The about box.
#include "ui/about_dialog.h"

#include "app/resources.h"
#include "app/version.h"
#include "ui/window_support.h"
#include "ui/maker.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/version.h>

const long AboutDlg::ID_STATICBITMAP2 = wxNewId();
const long AboutDlg::ID_STATICBITMAP1 = wxNewId();
const long AboutDlg::ID_STATICTEXT1 = wxNewId();
const long AboutDlg::ID_STATICTEXT2 = wxNewId();
const long AboutDlg::ID_STATICTEXT3 = wxNewId();
const long AboutDlg::ID_STATICTEXT5 = wxNewId();
const long AboutDlg::ID_HYPERLINKCTRL1 = wxNewId();
const long AboutDlg::ID_HYPERLINKCTRL2 = wxNewId();
const long AboutDlg::ID_BITMAPBUTTON1 = wxNewId();

namespace
{

const wxString LOGO_FILE = wxS("img\\larkspan_logo.bmp");
const wxString ICON_FILE = wxS("img\\Mindprism_01.ico");
const wxString DOWNLOAD_BUTTON_FILE = wxS("img\\larkspan_stat_01.jpg");

#if defined(__LINUX__)
const char PLATFORM_SUFFIX[] = "-Linux";
#elif defined(__WINDOWS__)
const char PLATFORM_SUFFIX[] = "-Windows";
#elif defined(__DARWIN__)
const char PLATFORM_SUFFIX[] = "-macOS";
#else
const char PLATFORM_SUFFIX[] = "-Unix";
#endif

} // namespace

wxString GetToolkitBuildInfo(BuildInfoFormat format)
{
    wxString info = wxVERSION_STRING;
    if (format == BuildInfoFormat::Detailed)
        info << PLATFORM_SUFFIX << "-Unicode build";
    return info;
}

wxString GetVersionLine()
{
    const wxString pattern = wxString("Version ") + wxString::FromUTF8(VERSION_FULL) + " " +
                             " (Build %d." + wxString::FromUTF8(VERSION_DAY) +
                             wxString::FromUTF8(VERSION_MONTH) + wxString::FromUTF8(VERSION_YEAR) +
                             ")";
    return wxString::Format(pattern, VERSION_BUILD_COUNT);
}

wxBEGIN_EVENT_TABLE(AboutDlg, wxDialog)
wxEND_EVENT_TABLE()

AboutDlg::AboutDlg(wxWindow* parent, wxWindowID id)
{
    KeepHistoricalSizerFlags();
    Create(parent, id, _("About..."), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
           wxS("id"));

    // Borders, like the fixed sizes, are meant at 96 DPI.
    const int border = FromDIP(4);
    wxBoxSizer* outerColumn = new wxBoxSizer(wxVERTICAL);
    m_logoBitmap = new wxStaticBitmap(this, ID_STATICBITMAP2, LoadPictureBundle(LOGO_FILE),
                                      wxDefaultPosition, wxDefaultSize, 0,
                                      wxS("ID_STATICBITMAP2"));
    outerColumn->Add(m_logoBitmap, 0, wxBOTTOM | wxALIGN_CENTER, border);

    wxBoxSizer* bodyRow = new wxBoxSizer(wxHORIZONTAL);
    m_iconBitmap = new wxStaticBitmap(this, ID_STATICBITMAP1, LoadPicture(ICON_FILE),
                                      wxDefaultPosition, wxDefaultSize, 0,
                                      wxS("ID_STATICBITMAP1"));
    bodyRow->Add(m_iconBitmap, 0, wxLEFT | wxBOTTOM | wxALIGN_CENTER_HORIZONTAL, FromDIP(5));

    wxBoxSizer* textColumn = new wxBoxSizer(wxVERTICAL);
    const int lineFlags = wxTOP | wxLEFT | wxRIGHT | wxEXPAND | wxALIGN_CENTER;
    m_titleText = new wxStaticText(this, ID_STATICTEXT1, _("Mind Prism"), wxDefaultPosition,
                                   wxDefaultSize, 0, wxS("ID_STATICTEXT1"));
    textColumn->Add(m_titleText, 0, lineFlags, border);
    m_versionText = new wxStaticText(this, ID_STATICTEXT2, _("Unicode versin 1.0.1.0"),
                                     wxDefaultPosition, wxDefaultSize, 0, wxS("ID_STATICTEXT2"));
    textColumn->Add(m_versionText, 0, lineFlags, border);
    m_copyrightText = new wxStaticText(this, ID_STATICTEXT3,
                                       _(L"Copyright © 1999-2011 Larkspan. All rights reserved."),
                                       wxDefaultPosition, wxDefaultSize, 0, wxS("ID_STATICTEXT3"));
    textColumn->Add(m_copyrightText, 0, lineFlags, border);
    m_buildInfoText = new wxStaticText(this, ID_STATICTEXT5, _("wx-build-info"),
                                       wxDefaultPosition, wxDefaultSize, 0, wxS("ID_STATICTEXT5"));
    textColumn->Add(m_buildInfoText, 0, wxALL | wxEXPAND | wxALIGN_CENTER, border);
    textColumn->Add(-1, -1, 0, wxALIGN_BOTTOM, border);

    m_siteLink = new wxHyperlinkCtrl(this, ID_HYPERLINKCTRL1, wxGetTranslation(MAKER_SITE_LABEL),
                                     wxGetTranslation(MAKER_SITE_URL), wxDefaultPosition,
                                     wxDefaultSize, wxHL_DEFAULT_STYLE, wxS("ID_HYPERLINKCTRL1"));
    textColumn->Add(m_siteLink, 0, wxTOP | wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, border);
    m_mailLink = new wxHyperlinkCtrl(this, ID_HYPERLINKCTRL2, wxGetTranslation(MAKER_EMAIL),
                                     wxGetTranslation(wxS("mailto:") + MAKER_EMAIL),
                                     wxDefaultPosition, wxDefaultSize, wxHL_DEFAULT_STYLE,
                                     wxS("ID_HYPERLINKCTRL2"));
    textColumn->Add(m_mailLink, 0, wxBOTTOM | wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, border);
    textColumn->Add(-1, -1, 1, wxALIGN_CENTER_VERTICAL, border);

    m_downloadButton = new wxBitmapButton(this, ID_BITMAPBUTTON1, LoadPictureBundle(DOWNLOAD_BUTTON_FILE),
                                          wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW,
                                          wxDefaultValidator, wxS("ID_BITMAPBUTTON1"));
    m_downloadButton->SetDefault();
    textColumn->Add(m_downloadButton, 0, wxALL | wxALIGN_CENTER_VERTICAL, border);
    textColumn->Add(-1, -1, 0, wxALL | wxALIGN_CENTER_VERTICAL, border);

    m_okButton = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, wxS("wxID_OK"));
    textColumn->Add(m_okButton, 0, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, border);

    bodyRow->Add(textColumn, 1, wxTOP | wxBOTTOM | wxLEFT | wxALIGN_CENTER, border);
    outerColumn->Add(bodyRow, 1, wxALL | wxEXPAND | wxALIGN_CENTER, border);

    SetSizer(outerColumn);
    outerColumn->Fit(this);
    outerColumn->SetSizeHints(this);
    Centre(wxBOTH);

    Connect(ID_BITMAPBUTTON1, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(AboutDlg::OnDownloadClick));

    m_versionText->SetLabel(GetVersionLine());
    m_buildInfoText->SetLabel(GetToolkitBuildInfo(BuildInfoFormat::Detailed));
}

AboutDlg::~AboutDlg() = default;

void AboutDlg::OnDownloadClick(wxCommandEvent& event)
{
    wxLaunchDefaultBrowser(MAKER_DOWNLOAD_URL, wxBROWSER_NEW_WINDOW);
}
