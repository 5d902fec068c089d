// List rows on GTK: a list box is a tree view, whose row is as tall as its
// cells need for the row's text, plus the view's separator between rows.
#include "ui/list_rows.h"

#include <wx/listbox.h>

#include <gtk/gtk.h>

#include <algorithm>

int ListRowHeight(wxListBox* list)
{
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(list->GetHandle()));
    const int estimate = list->GetCharHeight() + list->FromDIP(8);
    if (!GTK_IS_TREE_VIEW(child))
        return estimate;
    GtkTreeView* tree = GTK_TREE_VIEW(child);
    GtkTreeViewColumn* column = gtk_tree_view_get_column(tree, 0);
    GtkTreeModel* model = gtk_tree_view_get_model(tree);
    GtkTreeIter row;
    if (!column || !model || !gtk_tree_model_get_iter_first(model, &row))
        return estimate;
    gtk_tree_view_column_cell_set_cell_data(column, model, &row, FALSE, FALSE);
    int height = 0;
    gtk_tree_view_column_cell_get_size(column, nullptr, nullptr, nullptr, nullptr, &height);
    int separator = 0;
    gtk_widget_style_get(child, "vertical-separator", &separator, nullptr);
    return height > 0 ? height + separator : estimate;
}
