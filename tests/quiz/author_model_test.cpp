// Seeded runs of the author model against the session: whatever an author
// types, saves, undoes and switches while another program writes and
// deletes the file, no text goes without an explicit choice, what is played
// is what is written, and every save reads back as the document saved.
#include "author_model.h"
#include "quiz/quiz_session.h"
#include "test_support.h"

#include <wx/filename.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(AuthorModel, NoTextIsLostWhateverTheAuthorAndAnotherProgramDo)
{
    const std::string builtIn =
        "<questions><QUESTION><ID>1001</ID><Q>built in</Q>"
        "<ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>";
    // AUTHOR_MODEL_SEEDS=N runs more, for longer hunts by hand.
    const char* more = std::getenv("AUTHOR_MODEL_SEEDS");
    const std::uint32_t seeds = more ? static_cast<std::uint32_t>(std::atoi(more)) : 120;
    for (std::uint32_t seed = 1; seed <= seeds; ++seed)
    {
        TempDir builtIns;
        builtIns.Write(wxS("A.xml"), builtIn);
        builtIns.Write(wxS("B.xml"), builtIn);
        TempDir work;
        wxXmlDocument xml;
        QuizSession session({QuizEntry{wxS("A"), wxS("A"), wxString(), QuizEnding::ResultDialog},
                             QuizEntry{wxS("B"), wxS("B"), wxString(), QuizEnding::MessageBox}},
                            [&builtIns](const QuizEntry& quiz) { return builtIns.File(quiz.stem + wxS(".xml")); },
                            xml);
        SessionActor actor(session, work.Path());
        SeededChoices choices(seed);
        AuthorModel model(actor, choices, work.Path());
        const std::string broken = model.Run(60);
        ASSERT_EQ(broken, "") << "seed " << seed;
    }
}
