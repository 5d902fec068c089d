// Replacing a file on Windows: MoveFileEx replaces in one step, where the
// C library's rename refuses an existing file (and the toolkit would copy).
#include "quiz/safe_save.h"

#include <windows.h>

#include <vector>

wxString SaveTargetOf(const wxString& path)
{
    // Moving over a link would replace the link, not the quiz it leads to.
    HANDLE file = CreateFileW(path.wc_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::vector<wchar_t> name(MAX_PATH + 1);
    DWORD length = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= name.size())
    {
        name.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    CloseHandle(file);
    if (length == 0 || length >= name.size())
        return path;
    wxString resolved(name.data(), length);
    // The long-path prefix the call adds: "\\?\C:\..." or "\\?\UNC\server\...".
    if (resolved.StartsWith(wxS("\\\\?\\UNC\\"), &resolved))
        resolved = wxS("\\\\") + resolved;
    else
        resolved.StartsWith(wxS("\\\\?\\"), &resolved);
    return resolved;
}

bool IsReadOnlyFile(const wxString& path)
{
    const DWORD attributes = GetFileAttributesW(SaveTargetOf(path).wc_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool ReplaceWith(const wxString& written, const wxString& target)
{
    // The new file keeps what the old one was marked (read only, hidden);
    // MoveFileEx refuses to replace a read-only file, so that mark comes off
    // for the move and back after it.
    const DWORD attributes = GetFileAttributesW(target.wc_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(target.wc_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!MoveFileExW(written.wc_str(), target.wc_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        const DWORD code = GetLastError();
        if (existed)
            SetFileAttributesW(target.wc_str(), attributes);
        SetLastError(code);
        return false;
    }
    if (existed)
        SetFileAttributesW(target.wc_str(), attributes);
    return true;
}
