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

namespace
{

// `rect` moved (and made no larger than `area`) to lie within `area`.
wxRect Inside(wxRect rect, const wxRect& area)
{
    rect.width = std::min(rect.width, area.width);
    rect.height = std::min(rect.height, area.height);
    rect.x = std::clamp(rect.x, area.x, area.GetRight() + 1 - rect.width);
    rect.y = std::clamp(rect.y, area.y, area.GetBottom() + 1 - rect.height);
    return rect;
}

int Covered(const wxRect& a, const wxRect& b)
{
    const wxRect both = a.Intersect(b);
    return both.IsEmpty() ? 0 : both.width * both.height;
}

} // namespace

wxRect PlaceBeside(const wxRect& owner, const wxSize& wanted, const wxSize& least, const wxRect& area,
                   int gap)
{
    enum class Side { Right, Left, Below, Above };
    const auto Room = [&](Side side) {
        switch (side)
        {
            case Side::Right: return area.GetRight() - owner.GetRight() - gap;
            case Side::Left: return owner.x - gap - area.x;
            case Side::Below: return area.GetBottom() - owner.GetBottom() - gap;
            case Side::Above: break;
        }
        return owner.y - gap - area.y;
    };
    // On `side`, `length` long across from the owner, and moved into the area.
    const auto At = [&](Side side, int length) {
        wxRect rect(owner.GetPosition(), wanted);
        switch (side)
        {
            case Side::Right: rect.width = length; rect.x = owner.GetRight() + 1 + gap; break;
            case Side::Left: rect.width = length; rect.x = owner.x - gap - length; break;
            case Side::Below: rect.height = length; rect.y = owner.GetBottom() + 1 + gap; break;
            case Side::Above: rect.height = length; rect.y = owner.y - gap - length; break;
        }
        return Inside(rect, area);
    };
    const Side sides[] = {Side::Right, Side::Left, Side::Below, Side::Above};
    const auto Across = [](Side side) { return side == Side::Right || side == Side::Left; };
    for (const Side side : sides)
    {
        const int room = Room(side);
        if (room < (Across(side) ? least.x : least.y))
            continue;
        const wxRect rect = At(side, std::min(room, Across(side) ? wanted.x : wanted.y));
        if (Covered(rect, owner) == 0)
            return rect;
    }
    // Nowhere beside it: over the side where it hides the least.
    wxRect best;
    int bestCovered = -1;
    for (const Side side : sides)
    {
        const wxRect rect = At(side, Across(side) ? wanted.x : wanted.y);
        const int covered = Covered(rect, owner);
        if (bestCovered < 0 || covered < bestCovered)
        {
            best = rect;
            bestCovered = covered;
        }
    }
    return best;
}

bool ReachableOnAScreen(const wxRect& rect, const wxSize& enough)
{
    const wxRect top(rect.x, rect.y, rect.width, std::min(rect.height, enough.y));
    for (unsigned display = 0; display < wxDisplay::GetCount(); ++display)
    {
        const wxRect shown = top.Intersect(wxDisplay(display).GetClientArea());
        if (!shown.IsEmpty() && shown.width >= std::min(enough.x, rect.width) && shown.height >= top.height)
            return true;
    }
    return false;
}
