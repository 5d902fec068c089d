// Start-up of Mind Prism.
#include "app/app.h"

#include "app/language.h"
#include "app/resources.h"
#include "app/settings_store.h"
#include "ui/main_frame.h"

#include <wx/config.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/link.h>
#include <wx/log.h>

namespace
{

const wxString VENDOR_NAME = wxS("Larkspan");
const wxString APP_NAME = wxS("Mindprism");
const wxString LOCALES_DIR = wxS("locales\\");
const wxString APP_ICON_FILE = wxS("img\\Mindprism_01.ico");

} // namespace

wxIMPLEMENT_APP(MindprismApp);

// No window creates the hyperlink control, yet it must be creatable by its
// class name: without this the linker leaves it out of the program.
wxFORCE_LINK_MODULE(hyperlink);

bool MindprismApp::OnInit()
{
    // The store takes its identity from these names, and its place from the
    // platform's preparation: both must come before it is first used.
    SetVendorName(VENDOR_NAME);
    SetAppName(APP_NAME);
    PrepareSettingsStore();
    wxConfigBase::Get()->SetRecordDefaults(true);

    // The application macro turns debug and trace messages off in release
    // builds; asked for with WXTRACE, they say where the run-time files and
    // the quizzes are read from.
    if (!wxLog::GetTraceMasks().empty())
        wxLog::SetLogLevel(wxLOG_Trace);

    Resources::Locate();
    wxLocale::AddCatalogLookupPathPrefix(Resources::Path(LOCALES_DIR));

    InitUiLocale(m_locale, GetUiLanguage(), UI_CATALOGUE);

    // Handlers first: on this platform even .ico files are read through them.
    wxInitAllImageHandlers();
    const wxIcon icon(Resources::Path(APP_ICON_FILE), wxBITMAP_TYPE_ICO);

    MindprismFrame* frame = new MindprismFrame(nullptr, wxID_ANY);
    if (icon.IsOk())  // an empty icon is refused with an assertion
        frame->SetIcon(icon);
    frame->Show(true);
    SetTopWindow(frame);
    return true;
}
