// The engine's side of the web page's conformance test: plays seeded random
// walks (answers, Prev, Reset) with the program's navigator over the shipped
// quizzes and generated ones (loops, targets naming no question, questions
// without answers, IDs such as "__proto__", hostile texts, results the
// quiz describes), and writes every step as the status bar and the result
// would show it. conformance_test.py
// replays the same walks in the exported page and compares.
//
// Usage: conformance_walks OUT_DIR DATA_DIR LOCALES_DIR [SEED]
// Writes the generated quizzes into OUT_DIR and the walks to OUT_DIR/walks.json.
#include "quiz/navigator.h"
#include "quiz/question_table.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_progress.h"
#include "web/web_words.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

using nlohmann::json;

constexpr int GENERATED_QUIZZES = 20;
constexpr int WALKS_PER_GENERATED_EDITION = 25;
constexpr int WALKS_PER_SHIPPED_EDITION = 50;

std::string Utf8(const wxString& text)
{
    const wxScopedCharBuffer bytes = text.utf8_str();
    return std::string(bytes.data(), bytes.length());
}

// One edition played as the program plays an opened quiz: the navigator
// over the file's table, the status line as the main window writes it.
class EnginePlayer
{
public:
    EnginePlayer(const wxString& path, const WebWords& words) : m_words(words)
    {
        wxXmlDocument document;
        LoadQuiz(document, path, m_table);
        m_progress = QuizProgressMap(m_table);
    }

    // A new player: fresh back links, at the entry.
    void Open()
    {
        for (const auto& entry : m_table.Index())
            entry.second->backId.clear();
        m_navigator = std::make_unique<QuizNavigator>();
        m_navigator->Play(m_table);
        m_navigator->Start();
        m_notice.clear();
        m_result.clear();
        m_described.clear();
    }

    size_t AnswerCount() const
    {
        const Question* current = m_navigator->Current();
        return current ? current->answers.size() : 0;
    }

    void Next(int choice)
    {
        const QuizNavigator::Step step = m_navigator->Next(choice);
        m_notice.clear();
        m_result.clear();
        m_described.clear();
        if (step.kind == QuizNavigator::Step::Stayed)
            m_notice = step.answer->target;
        else if (step.kind == QuizNavigator::Step::Ended)
        {
            m_result = step.answer->text;
            if (const QuizResult* described = m_table.Results().ForAnswer(m_result))
                m_described = {described->name, described->text};
        }
    }

    void Prev()
    {
        m_result.clear();
        m_described.clear();
        if (m_navigator->Prev())
            m_notice.clear();
    }

    void Reset()
    {
        m_result.clear();
        m_described.clear();
        m_notice.clear();
        m_navigator->Start();
    }

    json Seen() const
    {
        const Question* current = m_navigator->Current();
        return json{{"q", current ? json(Utf8(current->id)) : json(nullptr)},
                    {"message", Utf8(Status())},
                    {"result", m_result.empty() ? json(nullptr) : json(Utf8(m_result))},
                    {"described", m_described.empty() ? json(nullptr)
                                                      : json::array({Utf8(m_described[0]), Utf8(m_described[1])})}};
    }

private:
    // The main window's status line.
    wxString Status() const
    {
        if (!m_notice.empty())
            return wxString::Format(m_words.missingTarget, m_notice);
        const Question* current = m_navigator->Current();
        const QuizProgress* progress = current ? m_progress.Find(current) : nullptr;
        if (!progress)
            return wxString();
        const int place = static_cast<int>(m_navigator->Answered() + 1);
        const int fewest = static_cast<int>(progress->fewest);
        if (!progress->most)
            return wxString::Format(m_words.progressOpen, place, fewest);
        if (*progress->most == progress->fewest)
            return wxString::Format(m_words.progressExact, place, fewest);
        return wxString::Format(m_words.progressRange, place, fewest, static_cast<int>(*progress->most));
    }

    const WebWords& m_words;
    QuestionTable m_table;
    QuizProgressMap m_progress;
    std::unique_ptr<QuizNavigator> m_navigator;
    wxString m_notice;
    wxString m_result;  // the answer that ended the quiz at the last step
    std::vector<wxString> m_described;  // its result's name and text, where the quiz describes it
};

// A walk: mostly answers, now and then Prev or Reset.
json Walk(EnginePlayer& player, std::mt19937& random)
{
    player.Open();
    json steps = json::array();
    json seen = json::array({player.Seen()});
    const int length = std::uniform_int_distribution<int>(10, 60)(random);
    for (int i = 0; i < length; ++i)
    {
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        if (roll < 14)
        {
            steps.push_back("p");
            player.Prev();
        }
        else if (roll < 20)
        {
            steps.push_back("r");
            player.Reset();
        }
        else
        {
            const size_t answers = player.AnswerCount();
            const int choice =
                answers == 0 ? -1 : std::uniform_int_distribution<int>(0, static_cast<int>(answers) - 1)(random);
            steps.push_back(choice);
            player.Next(choice);
        }
        seen.push_back(player.Seen());
    }
    return json{{"steps", std::move(steps)}, {"seen", std::move(seen)}};
}

std::string XmlText(const std::string& text)
{
    std::string out;
    for (const char c : text)
    {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

// Generated quizzes: one graph, two editions that differ in their texts.
class QuizMaker
{
public:
    explicit QuizMaker(std::mt19937& random) : m_random(random) {}

    struct Made
    {
        std::string zh;
        std::string en;
    };

    // Quiz number `index`; number 1 has no entry question.
    Made Make(int index)
    {
        static const char* const odd_ids[] = {"__proto__", "constructor", "toString", "hasOwnProperty",
                                              " 1003", "1004 ", "a<b>&c", "</script>", "00", "Ω-7"};
        const int count = Pick(3, 24);
        std::vector<std::string> ids;
        ids.push_back(index == 1 ? "1000" : "1001");
        while (static_cast<int>(ids.size()) < count)
        {
            if (Chance(20))
                ids.push_back(odd_ids[Pick(0, std::size(odd_ids) - 1)]);
            else if (Chance(8))
                ids.push_back(ids[Pick(0, ids.size() - 1)]);  // a later one replaces it
            else
                ids.push_back(std::to_string(1001 + ids.size()));
        }
        if (Chance(30))
            ids.push_back("");  // stored under the empty ID, reached by no way

        Made made{"<questions>\n", "<questions>\n"};
        for (size_t q = 0; q < ids.size(); ++q)
        {
            const std::string text = Text();
            std::string zh = "<QUESTION><ID>" + XmlText(ids[q]) + "</ID><Q>" + XmlText(text) + "</Q>";
            std::string en = "<QUESTION><ID>" + XmlText(ids[q]) + "</ID><Q>" + XmlText("EN " + text) + "</Q>";
            const int answers = Chance(6) ? 0 : Pick(1, 4);
            for (int a = 0; a < answers; ++a)
            {
                const std::string target = Target(ids);
                std::string said = Text();
                if (target == "0")
                    said += " → Result " + std::to_string(Pick(1, 5));
                const std::string goes = "</A><GOTO>" + XmlText(target) + "</GOTO></ANSWER>";
                zh += "<ANSWER><A>" + XmlText(said) + goes;
                en += "<ANSWER><A>" + XmlText("EN " + said) + goes;
            }
            made.zh += zh + "</QUESTION>\n";
            made.en += en + "</QUESTION>\n";
        }
        if (Chance(60))
            Describe(made);
        made.zh += "</questions>\n";
        made.en += "</questions>\n";
        return made;
    }

private:
    // A title and some of the results the endings name, in each edition's
    // words: names with blanks around them, a name given twice (the first
    // counts), a result no ending names, hostile texts.
    void Describe(Made& made)
    {
        const std::string title = Text();
        made.zh += "<TITLE>" + XmlText(title) + "</TITLE>\n";
        made.en += "<TITLE>" + XmlText("EN " + title) + "</TITLE>\n";
        for (int result = 1; result <= 6; ++result)
        {
            if (Chance(25))
                continue;
            std::string name = "Result " + std::to_string(result == 6 ? Pick(1, 5) : result);
            if (Chance(20))
                name = "  " + name + " ";
            const std::string text = Text();
            const auto element = [&name](const std::string& said) {
                return "<RESULT><NAME>" + XmlText(name) + "</NAME><TEXT>" + XmlText(said) + "</TEXT></RESULT>\n";
            };
            made.zh += element(text);
            made.en += element("EN " + text);
        }
    }

    size_t Pick(size_t least, size_t most)
    {
        return std::uniform_int_distribution<size_t>(least, most)(m_random);
    }
    bool Chance(int percent) { return static_cast<int>(Pick(0, 99)) < percent; }

    std::string Target(const std::vector<std::string>& ids)
    {
        static const char* const nowhere[] = {"4711", "0 ", " 0", "00", "1001 ", "toString", "__proto__",
                                              "%s%d", "$&$1", "<b>"};
        if (Chance(18))
            return "0";
        if (Chance(12))
            return nowhere[Pick(0, std::size(nowhere) - 1)];
        std::string id = ids[Pick(0, ids.size() - 1)];
        return id.empty() ? std::string("1001") : id;
    }

    std::string Text()
    {
        static const char* const texts[] = {
            "<script>window.pwned = 1</script>", "<img src=x onerror=\"window.pwned = 1\">",
            "</script><!-- <script>", "Tom & Jerry &amp; co", "line one\nline two", "引号“中文”，句号。",
            "🦊 emoji", "%s %d %1$s $& $1", "  blanks at both ends  ", "plain"};
        return texts[Pick(0, std::size(texts) - 1)];
    }

    std::mt19937& m_random;
};

bool WriteFile(const wxString& path, const std::string& bytes)
{
    wxFFile out(path, wxS("wb"));
    return out.IsOpened() && out.Write(bytes.data(), bytes.size()) == bytes.size() && out.Close();
}

// The walks over both editions of the quiz whose zh_CN edition is `page`.
json PageWalks(const wxString& page, const wxString& localesDir, int walks, std::mt19937& random)
{
    json all = json::array();
    for (const char* language : {"zh_CN", "en"})
    {
        wxString path = page;
        path.Replace(wxS("-zh_CN.xml"), wxS("-") + wxString(language) + wxS(".xml"));
        const WebCatalogue catalogue(localesDir, language);
        const WebWords words = WebWordsOf(catalogue);
        EnginePlayer player(path, words);
        for (int i = 0; i < walks; ++i)
        {
            json walk = Walk(player, random);
            walk["lang"] = language;
            all.push_back(std::move(walk));
        }
    }
    return json{{"quiz", Utf8(page)}, {"walks", std::move(all)}};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        std::fprintf(stderr, "usage: conformance_walks OUT_DIR DATA_DIR LOCALES_DIR [SEED]\n");
        return 2;
    }
    wxInitializer toolkit;
    if (!toolkit.IsOk())
        return 2;
    wxLog::EnableLogging(false);
    const wxString outDir = wxString::FromUTF8(argv[1]);
    const wxString dataDir = wxString::FromUTF8(argv[2]);
    const wxString localesDir = wxString::FromUTF8(argv[3]);
    std::mt19937 random(argc > 4 ? static_cast<unsigned>(std::stoul(argv[4])) : 31u);

    json pages = json::array();
    for (const char* stem : {"Quiz_000", "Quiz_001"})
        pages.push_back(PageWalks(wxFileName(dataDir, wxString(stem) + wxS("-zh_CN.xml")).GetFullPath(),
                                  localesDir, WALKS_PER_SHIPPED_EDITION, random));
    QuizMaker maker(random);
    for (int i = 0; i < GENERATED_QUIZZES; ++i)
    {
        const QuizMaker::Made made = maker.Make(i);
        const wxString stem = wxFileName(outDir, wxString::Format(wxS("walk_%02d"), i)).GetFullPath();
        if (!WriteFile(stem + wxS("-zh_CN.xml"), made.zh) || !WriteFile(stem + wxS("-en.xml"), made.en))
        {
            std::fprintf(stderr, "cannot write the quizzes into %s\n", argv[1]);
            return 2;
        }
        pages.push_back(PageWalks(stem + wxS("-zh_CN.xml"), localesDir, WALKS_PER_GENERATED_EDITION, random));
    }
    if (!WriteFile(wxFileName(outDir, wxS("walks.json")).GetFullPath(), json{{"pages", pages}}.dump()))
    {
        std::fprintf(stderr, "cannot write the walks into %s\n", argv[1]);
        return 2;
    }
    return 0;
}
