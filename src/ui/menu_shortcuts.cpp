// Menu shortcuts run from anywhere.
#include "ui/menu_shortcuts.h"

#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <memory>

namespace
{

const int MODIFIERS = wxMOD_ALT | wxMOD_CONTROL | wxMOD_SHIFT;

// Letters are one key whatever their case; other codes (function keys
// among them) are not characters to change.
int KeyOf(int code)
{
    return code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
}

bool Matches(const wxAcceleratorEntry& entry, int code, int modifiers)
{
    // The toolkit's accelerator flags and key modifiers share their bits.
    return (entry.GetFlags() & MODIFIERS) == modifiers && KeyOf(entry.GetKeyCode()) == code;
}

const wxMenuItem* ItemFor(const wxMenu& menu, int code, int modifiers)
{
    for (const wxMenuItem* item : menu.GetMenuItems())
    {
        if (const wxMenu* sub = item->GetSubMenu())
        {
            if (const wxMenuItem* found = ItemFor(*sub, code, modifiers))
                return found;
            continue;
        }
        const std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        if (accel && Matches(*accel, code, modifiers))
            return item;
        for (const wxAcceleratorEntry& extra : item->GetExtraAccels())
            if (Matches(extra, code, modifiers))
                return item;
    }
    return nullptr;
}

} // namespace

bool RunMenuShortcut(wxFrame& frame, const wxKeyEvent& key)
{
    const int modifiers = key.GetModifiers() & MODIFIERS;
    const int code = key.GetKeyCode();
    // Typing (with or without Shift) is the focused control's, but for
    // the function keys.
    if ((modifiers & ~wxMOD_SHIFT) == 0 && !(code >= WXK_F1 && code <= WXK_F24))
        return false;
    const wxMenuBar* bar = frame.GetMenuBar();
    if (!bar)
        return false;
    for (size_t menu = 0; menu < bar->GetMenuCount(); ++menu)
        if (const wxMenuItem* item = ItemFor(*bar->GetMenu(menu), KeyOf(code), modifiers))
        {
            if (!item->IsEnabled())
                return false;
            wxCommandEvent command(wxEVT_MENU, item->GetId());
            command.SetEventObject(&frame);
            if (item->IsCheckable())
                command.SetInt(!item->IsChecked());
            frame.ProcessWindowEvent(command);
            return true;
        }
    return false;
}
