// The map file: its format, its rendering and its safe writing.
#include "map_output.h"

#include "map/quiz_map.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cctype>

namespace
{

std::string Utf8(const wxString& text)
{
    return std::string(text.utf8_str());
}

wxString SystemError()
{
    return wxSysErrorMsgStr(wxSysErrorCode());
}

// Why the map file could not be written, naming it.
std::string CannotWrite(const wxString& path, const wxString& why)
{
    return Utf8(wxString::Format(_("cannot write the map '%s': %s"), path, why));
}

// Opens a file nobody else has, beside `path`, made with the usual
// permissions (unlike the system's temporary files, readable by others).
bool CreateBeside(const wxString& path, wxFile& file, wxString& created)
{
    const wxString base = path + wxString::Format(wxS(".%lu-"), wxGetProcessId());
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        created = base + wxString::Format(wxS("%d.tmp"), attempt);
        if (file.Create(created, false, wxS_DEFAULT))
            return true;
        if (!wxFileExists(created))
            return false;
    }
    return false;
}

} // namespace

std::optional<MapFormat> MapFormatOf(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find_first_of("/\\", dot) != std::string::npos)
        return std::nullopt;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "dot")
        return MapFormat::Dot;
    if (extension == "svg")
        return MapFormat::Svg;
    if (extension == "png")
        return MapFormat::Png;
    return std::nullopt;
}

bool WriteWholeFile(const wxString& path, const std::string& bytes, std::string& error)
{
    // The toolkit would log its own messages; ours name the map file.
    wxLogNull quiet;
    if (wxFileName::Exists(path, wxFILE_EXISTS_ANY) && !wxFileName::FileExists(path))
    {
        error = CannotWrite(path, _("it exists and is not a regular file"));
        return false;
    }
    wxFile file;
    wxString temporary;
    if (!CreateBeside(path, file, temporary))
    {
        error = CannotWrite(path, SystemError());
        return false;
    }
    const bool written = file.Write(bytes.data(), bytes.size()) == bytes.size() && file.Flush();
    const wxString writeError = written ? wxString() : SystemError();
    const bool closed = file.Close();
    if (!written || !closed)
    {
        error = CannotWrite(path, written ? SystemError() : writeError);
        wxRemoveFile(temporary);
        return false;
    }
    if (!wxRenameFile(temporary, path, true))
    {
        error = CannotWrite(path, SystemError());
        wxRemoveFile(temporary);
        return false;
    }
    return true;
}

bool WriteMap(const QuizOutline& outline, const wxString& path, MapFormat format,
              std::string& error, std::string& warnings)
{
    std::string bytes = MapDot(outline);
    if (format != MapFormat::Dot)
    {
        MapRenderer renderer;
        std::string image;
        if (!renderer.Layout(bytes) || !renderer.Render(format, image))
        {
            error = Utf8(wxString::Format(_("cannot draw the map: %s"), wxString::FromUTF8(renderer.Error())));
            return false;
        }
        warnings = renderer.Warnings();
        bytes.swap(image);
    }
    return WriteWholeFile(path, bytes, error);
}
