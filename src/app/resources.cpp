// Run-time file lookup.
#include "app/resources.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

namespace
{

wxString g_dir;

bool HoldsRuntimeFiles(const wxString& dir)
{
    for (const char* sub : {"data", "img", "locales"})
    {
        if (!wxFileName::DirExists(wxFileName(dir, wxString()).GetPathWithSep() + sub))
            return false;
    }
    return true;
}

} // namespace

namespace Resources
{

void Locate()
{
    if (HoldsRuntimeFiles(wxFileName::GetCwd()))
    {
        g_dir.clear();
    }
    else
    {
        const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
        wxFileName installed(exe.GetPath(), wxString());
        installed.RemoveLastDir();
        installed.AppendDir(wxS("share"));
        installed.AppendDir(wxS("mindprism"));
        if (HoldsRuntimeFiles(exe.GetPath()))
            g_dir = exe.GetPath();
        else if (HoldsRuntimeFiles(installed.GetPath()))
            g_dir = installed.GetPath();
        else
            g_dir.clear();  // nothing better: keep the relative paths
    }
    wxLogTrace(wxS("mindprism"), wxS("run-time files from '%s'"),
               g_dir.empty() ? wxFileName::GetCwd() : g_dir);
}

void SetDir(const wxString& dir)
{
    g_dir = dir;
}

wxString Dir()
{
    return g_dir;
}

wxString Path(const wxString& relative)
{
    wxString path = relative;
    path.Replace(wxS("\\"), wxString(wxFILE_SEP_PATH));
    if (g_dir.empty())
        return path;
    return wxFileName(g_dir, wxString()).GetPathWithSep() + path;
}

} // namespace Resources
