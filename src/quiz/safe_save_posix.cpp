// Replacing a file on POSIX systems: rename(2) replaces in one step.
#include "quiz/safe_save.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

wxString SaveTargetOf(const wxString& path)
{
    // Renaming over a link would replace the link, not the quiz it leads to.
    char resolved[PATH_MAX];
    if (realpath(path.fn_str(), resolved) != nullptr)
        return wxString(resolved, wxConvFile);
    return path;
}

bool IsReadOnlyFile(const wxString& path)
{
    const wxString target = SaveTargetOf(path);
    struct stat status;
    if (stat(target.fn_str(), &status) != 0)
        return false;
    return (status.st_mode & 0222) == 0 || access(target.fn_str(), W_OK) != 0;
}

bool ReplaceWith(const wxString& written, const wxString& target)
{
    // The new file was made private; it gets what the old one had, or what
    // a file made now gets.
    struct stat status;
    mode_t mode;
    if (stat(target.fn_str(), &status) == 0)
        mode = status.st_mode & 07777;
    else
    {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (chmod(written.fn_str(), mode) != 0)
        return false;
    return std::rename(written.fn_str(), target.fn_str()) == 0;
}
