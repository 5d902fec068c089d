// Windows: the toolkit knows which of its controls has the focus.
#include "focus_holder.h"

#include <wx/window.h>

wxWindow* FocusHolder(wxWindow* top)
{
    wxWindow* focus = wxWindow::FindFocus();
    for (wxWindow* window = focus; window; window = window->GetParent())
        if (window == top)
            return focus;
    return nullptr;
}
