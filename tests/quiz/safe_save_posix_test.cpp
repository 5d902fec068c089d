// Saving over a file on POSIX systems: the new file keeps the old one's
// permissions, and a link to the quiz stays a link to the saved quiz.
#include "quiz/quiz_document.h"
#include "quiz/quiz_session.h"
#include "quiz/safe_save.h"
#include "test_support.h"

#include <wx/stream.h>
#include <wx/xml/xml.h>

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

// A quiz opened through a link is saved into the file the link leads to,
// and the link stays; a read-only quiz is written only when the author says
// so, and stays read-only.
TEST(SafeSavePosix, AQuizOpenedThroughALinkStaysALinkAndAReadOnlyOneStaysReadOnly)
{
    TempDir dir;
    const wxString quiz = dir.Write(wxS("quiz.xml"),
                                    "<questions><QUESTION><ID>1001</ID><Q>one</Q>"
                                    "<ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>");
    const wxString link = dir.File(wxS("link.xml"));
    ASSERT_EQ(symlink(quiz.fn_str(), link.fn_str()), 0);
    wxXmlDocument builtIn;
    QuizSession session({}, [](const QuizEntry&) { return wxString(); }, builtIn);
    wxString error;
    ASSERT_TRUE(session.Open(link, error)) << error;
    const std::shared_ptr<QuizDocument> document = session.Document();
    ASSERT_TRUE(document);
    ASSERT_TRUE(document->Submit(document->SetQuestionText(0, wxS("changed"))));
    QuizSession::SaveRequest request;
    request.path = link;
    ASSERT_EQ(session.Save(request, error), QuizSession::SaveOutcome::Saved) << error;
    struct stat status;
    ASSERT_EQ(lstat(link.fn_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_NE(ReadBytes(quiz).find("changed"), std::string::npos);

    ASSERT_EQ(chmod(quiz.fn_str(), 0444), 0);
    ASSERT_TRUE(document->Submit(document->SetQuestionText(0, wxS("again"))));
    EXPECT_EQ(session.Save(request, error), QuizSession::SaveOutcome::ReadOnly);
    EXPECT_EQ(ReadBytes(quiz).find("again"), std::string::npos);
    request.overwriteReadOnly = true;
    ASSERT_EQ(session.Save(request, error), QuizSession::SaveOutcome::Saved) << error;
    EXPECT_NE(ReadBytes(quiz).find("again"), std::string::npos);
    ASSERT_EQ(stat(quiz.fn_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
    EXPECT_FALSE(session.HasUnsavedEdits());
}
