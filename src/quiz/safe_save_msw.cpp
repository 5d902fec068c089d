// Replacing a file on Windows: MoveFileEx replaces in one step, where the
// C library's rename refuses an existing file (and the toolkit would copy).
#include "quiz/safe_save.h"

#include <windows.h>

wxString SaveTargetOf(const wxString& path)
{
    return path;
}

bool ReplaceWith(const wxString& written, const wxString& target)
{
    // A new file there takes the folder's permissions, as any new file does.
    return MoveFileExW(written.wc_str(), target.wc_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
