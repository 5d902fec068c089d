// The application object: start-up, interface language, main window.
#pragma once

#include <wx/app.h>
#include <wx/intl.h>

class MindprismApp : public wxApp
{
public:
    bool OnInit() override;

private:
    wxLocale m_locale;
};

wxDECLARE_APP(MindprismApp);
