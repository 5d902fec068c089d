// The lines of a wrapped label as GTK's Pango layout broke them.
#include "label_lines.h"

#include "gui_test.h"

#include <wx/stattext.h>

#include <gtk/gtk.h>

std::optional<std::vector<LabelLine>> ShownLines(wxStaticText* label)
{
    GtkLabel* gtkLabel = GTK_LABEL(label->GetHandle());
    // GTK gives the layout the label's width when it allocates the label,
    // which happens on its own schedule after the toolkit sized the window.
    const bool laidOut = WaitFor([&] {
        return pango_layout_get_width(gtk_label_get_layout(gtkLabel)) ==
               label->GetSize().x * PANGO_SCALE;
    });
    std::vector<LabelLine> lines;
    PangoLayout* layout = gtk_label_get_layout(gtkLabel);
    const char* text = pango_layout_get_text(layout);
    for (GSList* item = pango_layout_get_lines_readonly(layout); laidOut && item; item = item->next)
    {
        auto* line = static_cast<PangoLayoutLine*>(item->data);
        PangoRectangle logical;
        pango_layout_line_get_pixel_extents(line, nullptr, &logical);
        lines.push_back({wxString::FromUTF8(text + line->start_index, line->length), logical.width});
    }
    return lines;
}
