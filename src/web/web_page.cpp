// Writing the page: the template filled with the quiz's data, the style and
// the player.
#include "web/web_page.h"

#include "quiz/quiz_balance.h"
#include "quiz/quiz_file.h"
#include "web/web_assets.h"

#include <nlohmann/json.hpp>

#include <string_view>

namespace
{

using nlohmann::json;

std::string Utf8(const wxString& text)
{
    const wxScopedCharBuffer bytes = text.utf8_str();
    return std::string(bytes.data(), bytes.length());
}

// The security policy names the style and the script by their SHA-256 in
// base64; the build gives it in hexadecimal.
std::string HexToBase64(std::string_view hex)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3)
    {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 2]);
        out += digits[(value >> 18) & 63];
        out += digits[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? digits[value & 63] : '=';
    }
    return out;
}

std::string HtmlText(const wxString& text)
{
    std::string out;
    for (const char c : Utf8(text))
    {
        switch (c)
        {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

json WordsJson(const WebWords& words)
{
    return json{{"appName", Utf8(words.appName)},
                {"next", Utf8(words.next)},
                {"prev", Utf8(words.prev)},
                {"reset", Utf8(words.reset)},
                {"ok", Utf8(words.ok)},
                {"result", Utf8(words.result)},
                {"copy", Utf8(words.copy)},
                {"copied", Utf8(words.copied)},
                {"copyFailed", Utf8(words.copyFailed)},
                {"language", Utf8(words.language)},
                {"progressRange", Utf8(words.progressRange)},
                {"progressExact", Utf8(words.progressExact)},
                {"progressOpen", Utf8(words.progressOpen)},
                {"missingTarget", Utf8(words.missingTarget)},
                {"noEntry", Utf8(words.noEntry)}};
}

// [id, text, answers, progress]; each answer [text, target], an ending's
// [text, "0", result]; progress [fewest, most or null], or null. Arrays,
// not objects keyed by ID: an ID such as "__proto__" is a plain string.
json QuestionJson(const WebQuestion& question)
{
    json answers = json::array();
    for (const Answer& answer : question.answers)
    {
        json entry{Utf8(answer.text), Utf8(answer.target)};
        if (answer.target == QUIZ_END_TARGET)
            entry.push_back(Utf8(ResultOf(answer.text)));
        answers.push_back(std::move(entry));
    }
    json progress = nullptr;
    if (question.progress)
        progress = json{question.progress->fewest,
                        question.progress->most ? json(*question.progress->most) : json(nullptr)};
    return json{Utf8(question.id), Utf8(question.text), std::move(answers), std::move(progress)};
}

json EditionJson(const WebEdition& edition)
{
    json questions = json::array();
    for (const WebQuestion& question : edition.questions)
        questions.push_back(QuestionJson(question));
    json results = json::array();
    for (const auto& result : edition.results)
        results.push_back(json{Utf8(result.first), Utf8(result.second)});
    return json{{"lang", Utf8(edition.language)},
                {"htmlLang", Utf8(HtmlLanguage(edition.language))},
                {"name", Utf8(edition.words.languageName.empty() ? edition.language
                                                                 : edition.words.languageName)},
                {"title", Utf8(edition.title)},
                {"words", WordsJson(edition.words)},
                {"questions", std::move(questions)},
                {"results", std::move(results)},
                {"catalogue", Utf8(edition.catalogue)}};
}

// JSON that no text can end early inside a <script> element: every "<"
// (so "</script" and "<!--" too), ">" and "&" is written as an escape,
// which JSON.parse reads back as the character.
std::string ScriptSafeJson(const json& data)
{
    const std::string text = data.dump(-1, ' ', false, json::error_handler_t::replace);
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
    {
        switch (c)
        {
            case '<': out += "\\u003c"; break;
            case '>': out += "\\u003e"; break;
            case '&': out += "\\u0026"; break;
            default: out += c;
        }
    }
    return out;
}

} // namespace

wxString HtmlLanguage(const wxString& language)
{
    wxString tag = language;
    tag.Replace(wxS("_"), wxS("-"));
    return tag;
}

std::string WebPageHtml(const WebQuiz& quiz)
{
    json editions = json::array();
    for (const WebEdition& edition : quiz.editions)
        editions.push_back(EditionJson(edition));
    const json data{{"shown", quiz.shown}, {"editions", std::move(editions)}};

    static const WebEdition none;
    const WebEdition& shown = quiz.shown < quiz.editions.size() ? quiz.editions[quiz.shown] : none;
    const std::string csp = "default-src 'none'; script-src 'sha256-" + HexToBase64(WEB_PLAYER.sha256) +
                            "'; style-src 'sha256-" + HexToBase64(WEB_STYLE.sha256) +
                            "'; img-src 'none'; base-uri 'none'; form-action 'none'";
    const std::map<std::string_view, std::string> parts{
        {"LANG", HtmlText(HtmlLanguage(shown.language))},
        {"CSP", csp},
        {"GENERATOR", "Mind Prism " MINDPRISM_VERSION},
        {"TITLE", HtmlText(shown.title.empty() ? shown.words.appName : shown.title)},
        {"NOSCRIPT", HtmlText(shown.words.noScript)},
        {"STYLE", std::string(WEB_STYLE.Text())},
        {"DATA", ScriptSafeJson(data)},
        {"SCRIPT", std::string(WEB_PLAYER.Text())}};

    // One pass over the template, so nothing put in is read for @NAME@ again.
    const std::string_view page = WEB_TEMPLATE.Text();
    std::string out;
    size_t at = 0;
    while (at < page.size())
    {
        const size_t open = page.find('@', at);
        const size_t close = open == std::string_view::npos ? open : page.find('@', open + 1);
        if (close == std::string_view::npos)
        {
            out.append(page.substr(at));
            break;
        }
        const auto part = parts.find(page.substr(open + 1, close - open - 1));
        if (part == parts.end())
        {
            out.append(page.substr(at, open + 1 - at));
            at = open + 1;
            continue;
        }
        out.append(page.substr(at, open - at));
        out.append(part->second);
        at = close + 1;
    }
    return out;
}
