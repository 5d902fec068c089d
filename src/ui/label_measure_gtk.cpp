// Label measuring on GTK: the label's own Pango layout, which is what GTK
// draws with, asked for its height at the given width.
#include "ui/label_measure.h"

#include <wx/stattext.h>

#include <gtk/gtk.h>

wxSize MeasureWrappedLabel(wxStaticText* label, int width)
{
    GtkLabel* gtkLabel = GTK_LABEL(label->GetHandle());
    // Words stay whole; only a word wider than the line is broken inside.
    gtk_label_set_line_wrap(gtkLabel, TRUE);
    gtk_label_set_line_wrap_mode(gtkLabel, PANGO_WRAP_WORD_CHAR);

    // A copy, so the label's own layout keeps the width GTK gave it.
    PangoLayout* layout = pango_layout_copy(gtk_label_get_layout(gtkLabel));
    pango_layout_set_width(layout, width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    int textWidth = 0;
    int textHeight = 0;
    pango_layout_get_pixel_size(layout, &textWidth, &textHeight);
    g_object_unref(layout);
    return wxSize(width, textHeight);
}
