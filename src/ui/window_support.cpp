// Helpers shared by the application's windows.
#include "ui/window_support.h"

#include "app/resources.h"

#include <wx/display.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/toplevel.h>

#include <algorithm>

wxBitmap LoadPicture(const wxString& file)
{
    const wxImage image(Resources::Path(file), wxBITMAP_TYPE_ANY, -1);
    // Converting an empty image is a programming error to the toolkit.
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxBitmapBundle LoadPictureBundle(const wxString& file)
{
    const wxBitmap normal = LoadPicture(file);
    if (!normal.IsOk())
        return wxBitmapBundle();
    const size_t dot = file.rfind('.');
    const wxString doubled = dot == wxString::npos ? file + wxS("@2x")
                                                   : file.substr(0, dot) + wxS("@2x") + file.substr(dot);
    // Most pictures have no such copy; that is no reason to log anything.
    if (!wxFileExists(Resources::Path(doubled)))
        return wxBitmapBundle(normal);
    const wxBitmap large = LoadPicture(doubled);
    if (!large.IsOk())
        return wxBitmapBundle(normal);
    return wxBitmapBundle::FromBitmaps(normal, large);
}

wxSize GrowWithinDisplay(wxTopLevelWindow& window, const wxSize& by)
{
    if (window.IsMaximized() || window.IsFullScreen())
        return wxSize();
    const wxRect area = wxDisplay(&window).GetClientArea();
    wxRect rect = window.GetRect();
    const wxSize before = rect.GetSize();
    // Never larger than the area, nor smaller than the window already is.
    rect.width = std::max(before.x, std::min(before.x + by.x, area.width));
    rect.height = std::max(before.y, std::min(before.y + by.y, area.height));
    if (rect.GetRight() > area.GetRight())
        rect.x = std::max(area.x, area.GetRight() + 1 - rect.width);
    if (rect.GetBottom() > area.GetBottom())
        rect.y = std::max(area.y, area.GetBottom() + 1 - rect.height);
    window.SetSize(rect);
    return rect.GetSize() - before;
}
