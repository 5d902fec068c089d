// Saving over a file on POSIX systems: the new file keeps the old one's
// permissions, and a link to the quiz stays a link to the saved quiz.
#include "quiz/safe_save.h"
#include "test_support.h"

#include <wx/stream.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(SafeSavePosix, KeepsPermissionsAndFollowsLinks)
{
    TempDir dir;
    const wxString quiz = dir.Write(wxS("quiz.xml"), "old");
    ASSERT_EQ(chmod(quiz.fn_str(), 0640), 0);
    const wxString link = dir.File(wxS("link.xml"));
    ASSERT_EQ(symlink(quiz.fn_str(), link.fn_str()), 0);
    wxString error;
    ASSERT_TRUE(SaveReplacing(link, [](wxOutputStream& stream) {
        return stream.WriteAll("new", 3);
    }, error)) << error;
    EXPECT_EQ(ReadBytes(quiz), "new");
    struct stat status;
    ASSERT_EQ(lstat(link.fn_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(stat(quiz.fn_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}
