// Reading a quiz and its editions into a page, and writing it.
#include "web/web_export.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_edition.h"
#include "quiz/quiz_list.h"
#include "quiz/result_catalogue.h"
#include "quiz/safe_save.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/stream.h>

#include <algorithm>
#include <unordered_set>

namespace
{

struct EditionFile
{
    wxString path;
    wxString language;
};

// The quiz file and its editions beside it, ordered by language; `shown`
// is the quiz file's place among them.
std::vector<EditionFile> EditionFiles(const WebExportRequest& request, size_t& shown)
{
    const wxFileName file(request.quizPath);
    wxString stem;
    wxString language;
    if (!SplitEditionName(file.GetFullName(), stem, language))
    {
        shown = 0;
        return {EditionFile{request.quizPath, request.language}};
    }
    std::vector<EditionFile> editions{EditionFile{request.quizPath, language}};
    wxDir dir(file.GetPath().empty() ? wxString(wxS(".")) : file.GetPath());
    wxString name;
    for (bool more = dir.IsOpened() && dir.GetFirst(&name, wxS("*"), wxDIR_FILES); more;
         more = dir.GetNext(&name))
    {
        wxString otherStem;
        wxString other;
        if (name != file.GetFullName() && SplitEditionName(name, otherStem, other) && otherStem == stem)
            editions.push_back(EditionFile{wxFileName(file.GetPath(), name).GetFullPath(), other});
    }
    std::sort(editions.begin(), editions.end(),
              [](const EditionFile& a, const EditionFile& b) { return a.language < b.language; });
    shown = 0;
    while (editions[shown].language != language)
        ++shown;
    return editions;
}

// One edition as the program plays it; false when it cannot be read as a quiz.
bool ReadEdition(const EditionFile& file, const WebExportRequest& request, WebEdition& edition,
                 wxString& error)
{
    QuestionTable table;
    QuizFileCheck check;
    QuizOutline outline;
    LoadCheckedQuiz(file.path, table, check, &outline);
    // A quiz with errors still makes a page, as it still makes a map; only
    // one that cannot be read as a quiz at all makes none.
    if (!check.report.summary)
    {
        error = check.error;
        return false;
    }
    const QuizProgressMap progress(table);
    std::unordered_set<const Question*> taken;
    for (const QuizOutline::Box& box : outline.boxes)
    {
        const Question* question = box.id.empty() ? nullptr : table.FindQuestion(box.id);
        if (!question || !taken.insert(question).second)
            continue;
        WebQuestion shown{question->id, question->text, question->answers, std::nullopt};
        if (const QuizProgress* figures = progress.Find(question))
            shown.progress = *figures;
        edition.questions.push_back(std::move(shown));
    }

    // A quiz file's own title and described results; the built-in quizzes'
    // title comes from the program.
    const WebCatalogue catalogue(request.localesDir, file.language);
    edition.language = file.language;
    edition.words = WebWordsOf(catalogue);
    const QuizResults& described = table.Results();
    edition.title = described.title;
    for (const QuizResult& result : described.results)
        if (described.Find(result.name) == &result)
            edition.results.emplace(result.name, result.text);
    if (!request.titleSource.empty())
        edition.title = catalogue.Translate(request.titleSource);
    if (request.resultCatalogue)
        edition.catalogue = catalogue.Translate(RESULT_CATALOGUE);
    return true;
}

} // namespace

WebExportRequest WebExportFor(const QuizEntry& quiz, const wxString& path, const wxString& localesDir,
                              const wxString& language)
{
    WebExportRequest request;
    request.quizPath = path;
    request.localesDir = localesDir;
    if (!language.empty())
        request.language = language;
    if (quiz.IsBuiltIn())
        request.titleSource = quiz.title;
    request.resultCatalogue = quiz.ending == QuizEnding::ResultDialog;
    return request;
}

WebExportRequest WebExportForFile(const wxString& path, const wxString& localesDir,
                                  const wxString& language)
{
    wxString stem;
    wxString edition;
    if (SplitEditionName(wxFileName(path).GetFullName(), stem, edition))
        for (const QuizEntry& quiz : BuiltInQuizzes())
            if (quiz.stem == stem)
                return WebExportFor(quiz, path, localesDir, language);
    WebExportRequest request;
    request.quizPath = path;
    request.localesDir = localesDir;
    if (!language.empty())
        request.language = language;
    return request;
}

bool ReadWebQuiz(const WebExportRequest& request, WebQuiz& quiz, wxString& error,
                 std::vector<wxString>* leftOut)
{
    quiz = WebQuiz{};
    size_t shown = 0;
    const std::vector<EditionFile> files = EditionFiles(request, shown);
    for (size_t i = 0; i < files.size(); ++i)
    {
        WebEdition edition;
        wxString why;
        if (ReadEdition(files[i], request, edition, why))
        {
            if (i == shown)
                quiz.shown = quiz.editions.size();
            quiz.editions.push_back(std::move(edition));
        }
        else if (i == shown)
        {
            error = why;
            return false;
        }
        else if (leftOut)
            leftOut->push_back(files[i].path);
    }
    return true;
}

bool ExportWebPage(const WebExportRequest& request, const wxString& outPath, wxString& error,
                   std::vector<wxString>* leftOut)
{
    size_t shown = 0;
    for (const EditionFile& file : EditionFiles(request, shown))
        if (wxFileName(file.path).SameAs(wxFileName(outPath)))
        {
            error = wxString::Format(_("The web page would take the place of the quiz file \"%s\"."),
                                     file.path);
            return false;
        }
    WebQuiz quiz;
    if (!ReadWebQuiz(request, quiz, error, leftOut))
        return false;
    const std::string page = WebPageHtml(quiz);
    return SaveReplacing(outPath, [&page](wxOutputStream& stream) {
        return stream.WriteAll(page.data(), page.size());
    }, error);
}
