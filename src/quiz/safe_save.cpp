// Saving through a new file renamed over the old one.
#include "quiz/safe_save.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/wfstream.h>

namespace
{

wxString Why(const wxString& path, const wxString& what, unsigned long code)
{
    wxString reason = what;
    if (code != 0)
        reason += wxS(" (") + wxSysErrorMsgStr(code) + wxS(")");
    return wxString::Format(_("The quiz could not be saved to \"%s\": %s"), path, reason);
}

} // namespace

bool SaveReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write,
                   wxString& error)
{
    // The toolkit would log its own messages for what is reported here.
    wxLogNull quiet;
    const wxString target = SaveTargetOf(path);
    const wxFileName name(target);
    wxFile file;
    const wxString written = wxFileName::CreateTempFileName(
        name.GetPathWithSep() + wxS(".") + name.GetName() + wxS("-saving-"), &file);
    if (written.empty() || !file.IsOpened())
    {
        error = Why(path, _("no new file can be written in its folder."), wxSysErrorCode());
        return false;
    }
    bool wrote;
    {
        wxFileOutputStream stream(file);
        wrote = write(stream) && stream.IsOk();
    }
    unsigned long code = wrote ? 0 : wxSysErrorCode();
    // Flushing asks the system to put the bytes on the disk, where a full
    // disk shows at the latest.
    if (wrote && !(file.Flush() && file.Close()))
    {
        wrote = false;
        code = wxSysErrorCode();
    }
    if (!wrote)
    {
        file.Close();
        wxRemoveFile(written);
        error = Why(path, _("writing the file failed; the disk may be full."), code);
        return false;
    }
    if (!ReplaceWith(written, target))
    {
        code = wxSysErrorCode();
        wxRemoveFile(written);
        error = Why(path, _("the new file could not take the place of the old one."), code);
        return false;
    }
    return true;
}
