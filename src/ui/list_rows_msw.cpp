// List rows on Windows: the list box control keeps one height for all its
// rows and says what it is.
#include "ui/list_rows.h"

#include <wx/listbox.h>

#include <wx/msw/wrapwin.h>

int ListRowHeight(wxListBox* list)
{
    const LRESULT height = ::SendMessage(static_cast<HWND>(list->GetHandle()), LB_GETITEMHEIGHT, 0, 0);
    return height > 0 && height != LB_ERR ? static_cast<int>(height) : list->GetCharHeight() + 2;
}
