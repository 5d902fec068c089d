// On GTK a list box is a tree view inside a scrolled window; the toolkit
// points a label's mnemonic at the scrolled window whenever that can take
// the focus, so it is told it cannot: the mnemonic then goes to the rows.
#include "ui/list_focus.h"

#include <wx/listbox.h>

#include <gtk/gtk.h>

void FocusRowsFromLabel(wxListBox* list)
{
    GtkWidget* outer = list->GetHandle();
    if (GTK_IS_SCROLLED_WINDOW(outer))
        gtk_widget_set_can_focus(outer, FALSE);
}
