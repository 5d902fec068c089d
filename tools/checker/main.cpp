// mindprism-check: checks quiz files from the command line, reading them with
// the application's own loader.
#include "checker_language.h"
#include "command_line.h"
#include "map_output.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "report_output.h"
#include "web/web_export.h"

#include <wx/init.h>
#include <wx/intl.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace
{

// In the user's language, as everything the checker says. UTF-8 (it names "→").
const char HELP[] = wxTRANSLATE(R"HELP(Usage: mindprism-check [--json] [--balance] FILE...
       mindprism-check [--json] [--balance] --map OUT FILE
       mindprism-check [--json] [--balance] --web PAGE FILE

Checks Mind Prism quiz files. Each FILE is read with the application's own
loader, so what is reported is exactly what a player would meet.

Options:
  --json     print one JSON document instead of lines of text, in English
             whatever the user's language
  --balance  also tell how often each result comes out when every answer
             is chosen at random (see Balance)
  --map OUT  also draw the quiz (exactly one FILE) into OUT, in the format
             its extension names: .dot (Graphviz's text form), .svg or .png
  --web PAGE also write the quiz (exactly one FILE) as one web page PAGE
             (.html or .htm) that plays it in any browser (see Web page)
  -h, --help print this help and exit
  --         treat every later argument as a file name

Output
  In the user's language, as compilers choose it: from LANGUAGE, LC_ALL,
  LC_MESSAGES and LANG (on Windows, the user's display language); English
  where no catalogue is installed for it, and under LANG=C.
  One line per finding, in the form compilers use, so editors can jump to it:
    FILE:LINE: error: MESSAGE [CODE]
    FILE:LINE: warning: MESSAGE [CODE]
  LINE is the line of the element concerned; findings about the whole file
  use line 1, or the line where the XML parser stopped. For a file with no
  findings a summary follows:
    FILE: ok: N questions, E endings; questions answered from 1001 to an end:
      shortest: S, longest: L
  (on one line). An ending is an answer whose GOTO is "0"; the path lengths
  count the questions answered, the last one included. When the quiz can go
  round a loop, the longest path is "unbounded (the quiz can loop)".

Errors: the quiz is broken for players
  not-xml          the file is not well-formed XML (the parser's message and
                   line are given); an empty file or one that is not UTF-8
                   text ends up here
  load-failed      the file cannot be read (missing, unreadable, a folder or
                   device, larger than 256 MB), or the loader refuses it:
                   nested more than 1000 levels deep, or holding texts, tags
                   or comments so long that the XML parser would take
                   minutes or hours over them
  wrong-root       the root element is not <questions>: nothing is read
  no-entry         there is no question "1001", where every quiz starts
  unknown-target   a GOTO names no question (the application then stays on
                   the question when the answer is chosen)
  dead-end         a question reachable from "1001" has no answers
  no-end           from a question reachable from "1001" no answer path ever
                   reaches "0": it is caught in a loop, or every way on leads
                   into a loop or a dead end

Warnings: the quiz works, but not as it is written
  reading-stopped  a child of the root that is neither a QUESTION nor a
                   comment (stray text, another element, an ANSWER) ends the
                   reading; the message counts the QUESTION elements lost
  duplicate-id     a later QUESTION with the same ID replaces an earlier one;
                   the message gives the line of the ignored one
  answer-dropped   an ANSWER without text or target is left out
  borrowed-text    an ANSWER without A takes the text of an earlier ANSWER of
                   its question
  borrowed-target  an ANSWER without GOTO takes an earlier ANSWER's target
  repeated-answer  an ANSWER with neither repeats an earlier answer whole
  target-like-end  a GOTO such as "00", " 0" or "0 " looks like the end but
                   is not exactly "0"
  target-blanks    a GOTO has leading or trailing blanks
  id-blanks        an ID has leading or trailing blanks
  missing-id       a QUESTION without ID (or with an empty one)
  missing-text     a QUESTION without Q (or with an empty one)
  unreachable      no way leads from "1001" to the question
  no-answers       an unreachable question has no answers (a reachable one
                   is a dead-end error instead)
  ignored-element  QUESTION, ID, Q, ANSWER, A or GOTO where the reader
                   ignores it, e.g. A directly under QUESTION or a QUESTION
                   inside a QUESTION; elements of other names are left alone
  load-message     the toolkit logged a message while loading the file

Warnings: the quiz's title and results (TITLE and RESULT after the questions)
  title-repeated   more than one TITLE: only the last is used
  result-no-name   a RESULT without NAME (or with an empty one)
  result-no-text   a RESULT without TEXT (or with an empty one)
  duplicate-result two RESULT elements with one name: players get the first
  result-unused    no ending names the result, so no player gets it
  ending-no-result in a quiz with results, an ending whose result (the text
                   after its last "→") is the NAME of no RESULT
  question-after-results
                   a QUESTION after a TITLE or RESULT: it is never read

Warnings: language editions out of step (see Editions)
  edition-question a question is in one edition and not in the other
                   (reported at line 1 when it is missing from this file)
  edition-answers  a question has a different number of answers
  edition-target   an answer leads to another question than in the other
                   edition (answers are matched by position)
  edition-ending   an answer ends the quiz in one edition and not the other
  edition-results  the editions have different numbers of results
  edition-result   an ending names a result at another place among the
                   results than in the other edition
  edition-unread   the other edition cannot be read as a quiz, so it is not
                   compared (its own check says why)

  A mistyped target can give several findings: GOTO " 0" is a
  target-like-end warning and an unknown-target error, and its question may
  then have no end.

Editions
  A quiz may come in several languages, one file each in one folder, named
  STEM-LANGUAGE.xml: Quiz_000-zh_CN.xml, Quiz_000-en.xml. The name is split
  at its last '-'; LANGUAGE is two or three lower-case letters, optionally
  '_' and two to four letters (en, zh_CN, pt_BR). Checking an edition
  compares it with every other edition of the same STEM in its folder: the
  questions (by ID), how many answers each has, and where each answer leads,
  answer by answer. The texts may differ, the graph may not. Each finding
  names the other file and its line.

JSON
  {"files": [{"file": F, "errors": N, "warnings": N,
              "findings": [{"line": N, "severity": "error"|"warning",
                            "code": C, "message": M}, ...],
              "summary": null | {"questions": N, "endings": N,
                                 "shortest": N|null, "longest": N|null,
                                 "unbounded": true|false}}, ...],
   "errors": N, "warnings": N, "status": S}
  The summary is there whenever the quiz could be analysed (it loaded and
  its root is right), clean or not; "longest" is null when it is unbounded
  or when no end is reachable. Strings are UTF-8. With --balance each file
  also has "balance": [{"result": R, "share": S, "exact": true|false}, ...],
  "never_ends": S, "never_ends_exact": true|false and "never_ends_reasons",
  a list of "loop", "stuck", "rarely-left" and "cannot-start" (see Balance);
  shares as fractions (0 to 1), one that is not exact with its
  "error_bound"; all null when the quiz could not be analysed.
  A quiz with a TITLE has "title": T; one with results has "results":
  [{"name": N, "text": true|false, "share": S|null}, ...], every result it
  describes in the file's order ("text": whether it has one).

Balance (--balance)
  After the findings of each file that could be analysed:
    FILE: results when every answer is chosen at random:
      14.3 %  "RESULT"
  one line per result, the largest share first, its name quoted as the
  findings quote values. A result is the text after the last "→" of an
  answer that ends the quiz, trimmed, or the answer's whole text when it
  has none; endings that give the same result count together. Each answer
  of a question is equally likely, but an answer whose GOTO names no
  question does not count (the player stays and chooses again), and loops
  are followed. The shares are worked out exactly (to double precision),
  not by playing. Then a line for each reason players never reach an end,
  if any, with their share: caught in a loop with no way out, stuck at a
  question none of whose answers leads on, caught in a loop left too
  rarely for anyone to see its end, or the quiz cannot start (see the
  errors above it).
  Where a densely linked part of a quiz is too large to be solved exactly
  in about a second, the shares it touches are worked out by iteration
  (so are those of a part left so rarely that even its exact solution
  cannot be vouched for to twelve digits): they are marked "≈", and a last
  line says how far off they may be.

Map (--map)
  Each question is a box titled by its ID and the start of its text; each
  answer an arrow to the question it leads to, labelled with the start of
  its text. Answers that end the quiz lead to one rounded box per result
  (see Balance), which shows its name whole, wrapped between words. The
  entry question "1001" has a double border and heads the map,
  which flows downwards. Marks:
    dashed red box   a GOTO that names no question (labelled with it)
    grey box         a question no path from "1001" reaches
    red box          a question from which no end can be reached
  Each result box also shows the share of players who end there when every
  answer is chosen at random (see Balance).
  The findings are printed as without --map, and a quiz with errors is
  still drawn. A file that cannot be read as a quiz (not XML, unreadable,
  wrong root element) draws nothing. The map is written to a new file
  beside OUT and renamed over it, so a failure leaves OUT as it was.
  .svg and .png are laid out and drawn with Graphviz's libraries; a build
  without them writes .dot only. Maps of more than 400 boxes are laid out
  with less effort (dot's ordering, nslimit and nslimit1, written into the
  .dot too), so that a large quiz is drawn in seconds; its arrows then run
  longer and cross more often.

Web page (--web)
  One HTML file holding the quiz, its style and its player, which any
  browser opens from disk, with no server: the page asks for nothing
  outside itself. It plays by the application's rules: the entry question
  "1001", Next, Prev, Reset, the progress the status bar shows, a GOTO that
  names no question keeping the player where they are, the result at an
  ending. The other language editions of FILE beside it (see Editions)
  come along, with a language switch; the page opens in the browser's
  preferred language when it has that edition, else in FILE's. Its buttons
  and messages are the application's, in each edition's language. A file
  named as an edition of a built-in quiz (Quiz_000-en.xml) gets that
  quiz's title and, for the animal quiz, its catalogue of types at each
  ending. As with --map, a quiz with errors still makes a page, a file that
  cannot be read as a quiz makes none, and the page is written to a new
  file beside PAGE and renamed over it.

Exit status
  0  every file is clean
  1  warnings, but no errors
  2  errors in some file, a usage error, or a map or page that could not be
     drawn or written (the message goes to stderr)

Examples
  mindprism-check data/Quiz_000-zh_CN.xml
  mindprism-check --json data/*.xml > report.json
  mindprism-check my-quiz.xml || echo "fix the quiz first"
  mindprism-check --map quiz.svg data/Quiz_000-zh_CN.xml
  mindprism-check --balance data/Quiz_000-en.xml
  mindprism-check --web quiz.html data/Quiz_000-zh_CN.xml
)HELP");

// What is wrong with the command line, said once the language is known.
struct UsageError
{
    explicit UsageError(const char* said, std::string value = std::string())
        : sentence(said), detail(std::move(value))
    {
    }
    const char* sentence;  // untranslated; "%s" stands for `detail`
    std::string detail;
};

struct Arguments
{
    bool json = false;
    bool balance = false;
    bool help = false;
    std::optional<std::string> map;
    std::optional<std::string> web;
    std::vector<std::string> files;
    std::optional<UsageError> error;
};

void SayError(const std::string& said)
{
    std::fprintf(stderr, "mindprism-check: %s\n", said.c_str());
}

std::optional<UsageError> CheckMapArguments(const Arguments& arguments)
{
    if (!arguments.map || arguments.help)
        return std::nullopt;
    if (!MapFormatOf(*arguments.map))
        return UsageError{wxTRANSLATE("the map's file name must end in .dot, .svg or .png: %s"),
                          *arguments.map};
    if (arguments.files.size() != 1)
        return UsageError{wxTRANSLATE("--map draws exactly one quiz file")};
    return std::nullopt;
}

// The page's name must say it is one, so that swapped arguments never
// write a page over the quiz file.
std::optional<UsageError> CheckWebArguments(const Arguments& arguments)
{
    if (!arguments.web || arguments.help)
        return std::nullopt;
    const wxString name = wxString::FromUTF8(arguments.web->c_str()).Lower();
    if (!name.EndsWith(wxS(".html")) && !name.EndsWith(wxS(".htm")))
        return UsageError{wxTRANSLATE("the page's file name must end in .html or .htm: %s"),
                          *arguments.web};
    if (arguments.files.size() != 1)
        return UsageError{wxTRANSLATE("--web makes the page of exactly one quiz file")};
    return std::nullopt;
}

Arguments ParseArguments(const std::vector<std::string>& given)
{
    Arguments arguments;
    bool options = true;
    for (size_t i = 0; i < given.size(); ++i)
    {
        const std::string& argument = given[i];
        if (options && argument == "--")
            options = false;
        else if (options && argument == "--json")
            arguments.json = true;
        else if (options && argument == "--balance")
            arguments.balance = true;
        else if (options && (argument == "--help" || argument == "-h"))
            arguments.help = true;
        else if (options && argument == "--map")
        {
            if (i + 1 == given.size())
            {
                arguments.error = UsageError{wxTRANSLATE("--map needs the name of the file to draw into")};
                return arguments;
            }
            arguments.map = given[++i];
        }
        else if (options && argument == "--web")
        {
            if (i + 1 == given.size())
            {
                arguments.error = UsageError{wxTRANSLATE("--web needs the name of the page to write")};
                return arguments;
            }
            arguments.web = given[++i];
        }
        else if (options && argument.size() > 1 && argument[0] == '-')
        {
            arguments.error = UsageError{wxTRANSLATE("unknown option '%s'"), argument};
            return arguments;
        }
        else
            arguments.files.push_back(argument);
    }
    if (arguments.files.empty() && !arguments.help)
        arguments.error = UsageError{wxTRANSLATE("no quiz file given")};
    else if (!(arguments.error = CheckMapArguments(arguments)))
        arguments.error = CheckWebArguments(arguments);
    return arguments;
}

void Print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// Draws the one quiz checked; false, with the reason on stderr, when no
// map could be written.
bool DrawMap(const FileReport& report, const QuizOutline& outline, const wxString& path,
             MapFormat format)
{
    if (!report.summary)
    {
        SayError(SentenceWith(wxTRANSLATE("no map drawn: %s could not be read as a quiz"), report.file));
        return false;
    }
    std::string error;
    std::string warnings;
    const bool written = WriteMap(outline, path, format, error, warnings);
    if (!warnings.empty())
        SayError(SentenceWith(wxTRANSLATE("Graphviz says: %s"), warnings));
    if (!written)
        SayError(error);
    return written;
}

// Writes the page of the one quiz checked; false, with the reason on
// stderr, when none could be written.
bool WritePage(const FileReport& report, const wxString& quiz, const wxString& page)
{
    if (!report.summary)
    {
        SayError(SentenceWith(wxTRANSLATE("no page written: %s could not be read as a quiz"), report.file));
        return false;
    }
    wxString error;
    // The other editions that cannot be read are findings already.
    if (ExportWebPage(WebExportForFile(quiz, LocalesDir(), SpokenLanguage()), page, error))
        return true;
    SayError(std::string(error.utf8_str()));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    PrepareOutput();
    const Arguments arguments = ParseArguments(CommandLineArguments(argc, argv));
    wxInitializer toolkit;
    if (!toolkit.IsOk())
    {
        std::fputs("mindprism-check: the toolkit could not be initialised\n", stderr);
        return 2;
    }
    // Scripts read JSON: its messages stay English, as do the words around it.
    SpeakLanguage(arguments.json ? std::vector<wxString>() : RequestedLanguages());
    if (arguments.error)
    {
        SayError(SentenceWith(arguments.error->sentence, arguments.error->detail));
        std::fprintf(stderr, "%s\n", SentenceWith(wxTRANSLATE("Try 'mindprism-check --help'.")).c_str());
        return 2;
    }
    if (arguments.help)
    {
        Print(std::string(wxGetTranslation(wxString::FromUTF8(HELP)).utf8_str()));
        return 0;
    }

    std::vector<FileReport> reports;
    QuizOutline mapOutline;
    for (const std::string& file : arguments.files)
    {
        const wxString path = FileNameFromArgument(file);
        QuizOutline outline;
        // --json gives each described result's share, so it needs the balance too.
        const bool outlined = arguments.map || arguments.balance || arguments.json;
        FileReport report = CheckQuizFile(path, outlined ? &outline : nullptr);
        report.file = file;
        if ((arguments.balance || (arguments.json && !report.results.Empty())) && report.summary)
            report.balance = BalanceOf(outline);
        if (!arguments.json)
            Print(TextReport(report) + BalanceLines(report));
        reports.push_back(std::move(report));
        if (arguments.map)
            mapOutline = std::move(outline);
    }
    if (arguments.json)
        Print(JsonReport(reports, arguments.balance));
    std::fflush(stdout);
    bool written = true;
    if (arguments.map)
        written = DrawMap(reports.front(), mapOutline, FileNameFromArgument(*arguments.map),
                          *MapFormatOf(*arguments.map));
    if (arguments.web)
        written = WritePage(reports.front(), FileNameFromArgument(arguments.files.front()),
                            FileNameFromArgument(*arguments.web)) && written;
    return written ? ExitStatus(reports) : 2;
}
