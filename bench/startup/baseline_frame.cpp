// The baseline of the start-up benchmark: the least a toolkit program does to
// show a window with a title.
#include <wx/app.h>
#include <wx/frame.h>

class BaselineApp : public wxApp
{
public:
    bool OnInit() override
    {
        (new wxFrame(nullptr, wxID_ANY, wxS("Baseline window")))->Show();
        return true;
    }
};

wxIMPLEMENT_APP(BaselineApp);
