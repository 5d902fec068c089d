// GTK filters an entry's completions by their start; the completer has
// chosen them already, so each one it gave matches.
#include "ui/completion_filter.h"

#include <wx/textctrl.h>

#include <gtk/gtk.h>

namespace
{

gboolean EveryOne(GtkEntryCompletion*, const gchar*, GtkTreeIter*, gpointer)
{
    return TRUE;
}

} // namespace

void OfferEveryCompletion(wxTextCtrl* field)
{
    GtkWidget* widget = field->GetHandle();
    if (!GTK_IS_ENTRY(widget))
        return;
    if (GtkEntryCompletion* completion = gtk_entry_get_completion(GTK_ENTRY(widget)))
        gtk_entry_completion_set_match_func(completion, EveryOne, nullptr, nullptr);
}
