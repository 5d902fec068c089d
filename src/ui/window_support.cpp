// Helpers shared by the application's windows.
#include "ui/window_support.h"

#include "app/resources.h"

#include <wx/filefn.h>
#include <wx/image.h>

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
