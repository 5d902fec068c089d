// libFuzzer target: the author model with its steps chosen by the input's
// bytes. Whatever an author and another program do, in any order, no text
// goes without an explicit choice, what is played is what is written, and
// every save reads back as the document saved.
//
// Build and run (clang with libFuzzer, Debian package libclang-rt-14-dev):
//   CXX=clang++ cmake -S . -B /tmp/build-fuzz -G Ninja -DMINDPRISM_FUZZ=ON -DMINDPRISM_BENCH=OFF
//   ninja -C /tmp/build-fuzz author_model_fuzzer
//   cp -r tests/fuzz/corpus/author /tmp/author-corpus
//   /tmp/build-fuzz/tests/fuzz/author_model_fuzzer -max_total_time=60 /tmp/author-corpus
#include "author_model.h"
#include "fuzz_support.h"
#include "quiz/quiz_session.h"

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>
#include <wx/xml/xml.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{

// The run's own folder, made once and removed when the run ends.
const wxString& RunFolder()
{
    struct Folder
    {
        Folder()
            : path(wxFileName::GetTempDir() + wxFILE_SEP_PATH +
                   wxString::Format(wxS("mindprism-fuzz-%lu"), wxGetProcessId()))
        {
            wxFileName::Mkdir(path, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        }
        ~Folder() { wxFileName::Rmdir(path, wxPATH_RMDIR_RECURSIVE); }
        wxString path;
    };
    static const Folder folder;
    return folder.path;
}

wxString MakeFolder(const char* name)
{
    const wxString folder = RunFolder() + wxFILE_SEP_PATH + name;
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return folder;
}

void Empty(const wxString& folder)
{
    wxFileName::Rmdir(folder, wxPATH_RMDIR_RECURSIVE);
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
}

const wxString& BuiltIns()
{
    static const wxString folder = [] {
        const wxString made = MakeFolder("built-in");
        const char quiz[] = "<questions><QUESTION><ID>1001</ID><Q>built in</Q>"
                            "<ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>";
        for (const char* name : {"A.xml", "B.xml"})
        {
            wxFFile file(made + wxFILE_SEP_PATH + name, "wb");
            file.Write(quiz, sizeof quiz - 1);
        }
        return made;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const int started = StartToolkitForFuzzing();
    // The loader's messages (a file gone, a folder missing) are expected here.
    wxLog::EnableLogging(false);
    return started;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const wxString work = MakeFolder("work");
    Empty(work);
    wxXmlDocument xml;
    QuizSession session({QuizEntry{wxS("A"), wxS("A"), wxString(), QuizEnding::ResultDialog},
                         QuizEntry{wxS("B"), wxS("B"), wxString(), QuizEnding::MessageBox}},
                        [](const QuizEntry& quiz) {
                            return BuiltIns() + wxFILE_SEP_PATH + quiz.stem + wxS(".xml");
                        },
                        xml);
    SessionActor actor(session, work);
    ByteChoices choices(data, size);
    AuthorModel model(actor, choices, work);
    const std::string broken = model.Run(400);
    if (!broken.empty())
    {
        std::fprintf(stderr, "%s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
