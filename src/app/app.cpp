// Start-up of Mind Prism.
#include "app/app.h"

#include "app/language.h"
#include "app/resources.h"
#include "app/settings_store.h"
#include "ui/main_frame.h"

#include <wx/cmdline.h>
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

namespace
{

// The quiz file named on the command line: the first argument that is not
// an option. Every other argument is ignored, so no option is refused.
wxString QuizFileArgument(int argc, const wxCmdLineArgsArray& argv)
{
    wxCmdLineParser parser;
    parser.SetCmdLine(argc, argv);
    // No switch characters: every argument is a parameter, and the parse
    // never fails or prints a usage text.
    parser.SetSwitchChars(wxEmptyString);
    parser.AddParam(wxS("quiz file"), wxCMD_LINE_VAL_STRING,
                    wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
    if (parser.Parse(false) != 0)
        return wxString();
    for (size_t i = 0; i < parser.GetParamCount(); ++i)
    {
        const wxString argument = parser.GetParam(i);
        if (!argument.empty() && !argument.StartsWith(wxS("-")))
            return argument;
    }
    return wxString();
}

} // namespace

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
    const wxString quizFile = QuizFileArgument(argc, argv);
    if (!quizFile.empty())
        frame->OpenQuiz(quizFile);
    return true;
}
