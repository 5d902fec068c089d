// GTK: the innermost control whose own part for the keys (its "connect
// widget": a list's rows, not the scrolled frame around them) holds the
// window's focus widget.
#include "focus_holder.h"

#include <wx/window.h>

#include <gtk/gtk.h>

namespace
{

wxWindow* Holder(wxWindow* window, GtkWidget* focus)
{
    for (wxWindow* child : window->GetChildren())
        if (wxWindow* found = Holder(child, focus))
            return found;
    GtkWidget* own = window->GetConnectWidget();
    return own && (own == focus || gtk_widget_is_ancestor(focus, own)) ? window : nullptr;
}

} // namespace

wxWindow* FocusHolder(wxWindow* top)
{
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(top->GetHandle()));
    return focus ? Holder(top, focus) : nullptr;
}
