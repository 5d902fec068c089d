// Following an opened quiz's file with a running event loop: through
// symbolic links, after its folder is removed and comes back, and where
// the folder cannot be watched.
#include "gui_test.h"
#include "test_support.h"

#include "ui/file_follower.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

namespace
{

class Following : public testing::Test
{
protected:
    // Waits for the follower to say the file changed, once more than before.
    bool Told()
    {
        const int before = m_told;
        return WaitFor([&] { return m_told > before; });
    }
    wxString Folder(const wxString& name) const
    {
        const wxString folder = m_dir.File(name);
        wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        return folder;
    }
    static void Write(const wxString& path, const std::string& text)
    {
        wxFile(path, wxFile::write).Write(text.data(), text.size());
    }

    TempDir m_dir;
    int m_told = 0;
    FileFollower m_follower{[this] { ++m_told; }};
};

} // namespace

TEST_F(Following, AFolderRemovedAndRestoredIsWatchedAgain)
{
    const wxString folder = Folder(wxS("quizzes"));
    const wxString path = wxFileName(folder, wxS("quiz.xml")).GetFullPath();
    Write(path, "one");
    m_follower.Follow(path);
    ASSERT_TRUE(WaitFor([&] { return !m_follower.WatchedFolder().empty(); }));
    Write(path, "two");
    ASSERT_TRUE(Told());

    ASSERT_TRUE(wxFileName::Rmdir(folder, wxPATH_RMDIR_RECURSIVE));
    ASSERT_TRUE(Told()) << "the file is gone with its folder";
    Folder(wxS("quizzes"));
    Write(path, "three");
    ASSERT_TRUE(Told()) << "the folder came back";
    ASSERT_TRUE(WaitFor([&] { return m_follower.WatchedFolder() == folder; }));
    Write(path, "four");
    EXPECT_TRUE(Told()) << "and its new watch sees the next save";
}

TEST_F(Following, ALinkIsFollowedToTheFileEditorsWrite)
{
    const wxString real = Folder(wxS("real"));
    const wxString links = Folder(wxS("links"));
    const wxString target = wxFileName(real, wxS("quiz.xml")).GetFullPath();
    const wxString link = wxFileName(links, wxS("quiz.xml")).GetFullPath();
    Write(target, "one");
    std::error_code error;
    std::filesystem::create_symlink(std::filesystem::u8path(target.utf8_string()),
                                    std::filesystem::u8path(link.utf8_string()), error);
    if (error)
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    m_follower.Follow(link);
    ASSERT_TRUE(WaitFor([&] { return !m_follower.WatchedFolder().empty(); }));
    EXPECT_TRUE(wxFileName(m_follower.Target()).SameAs(wxFileName(target)));
    // An editor saves the target by writing a new file and renaming it over.
    const wxString saved = wxFileName(real, wxS("quiz.xml~")).GetFullPath();
    Write(saved, "two");
    ASSERT_TRUE(wxRenameFile(saved, target));
    EXPECT_TRUE(Told());
}

TEST_F(Following, WhereTheFolderCannotBeWatchedTheFileIsAskedForEverySecond)
{
    // A folder that is not there yet cannot be watched.
    const wxString path = wxFileName(m_dir.File(wxS("later")), wxS("quiz.xml")).GetFullPath();
    m_follower.Follow(path);
    ASSERT_TRUE(Told());
    EXPECT_TRUE(m_follower.WatchedFolder().empty());
    ASSERT_TRUE(Told()) << "and again a second later";
}
