// Helpers shared by the application's windows.
#include "ui/window_support.h"

#include "app/resources.h"

#include <wx/image.h>

wxBitmap LoadPicture(const wxString& file)
{
    const wxImage image(Resources::Path(file), wxBITMAP_TYPE_ANY, -1);
    // Converting an empty image is a programming error to the toolkit.
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}
