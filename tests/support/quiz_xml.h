// Builds small quiz files for the tests of the engine and the checker.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// `body` wrapped in an XML declaration and a root element `questions`.
inline std::string QuizXml(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<questions>\n" + body + "</questions>\n";
}

// The root element `questions` on line 1 and one question per line after
// it, so that line N holds question N - 1 (for tests of reported lines).
inline std::string QuizXml(std::initializer_list<std::string> questions)
{
    std::string xml = "<questions>\n";
    for (const std::string& question : questions)
        xml += question + "\n";
    return xml + "</questions>\n";
}

// One QUESTION, on one line, with an ID, a text and answers given as
// (text, target) pairs.
using AnswerXml = std::pair<std::string, std::string>;
inline std::string QuestionXml(const std::string& id, const std::string& text,
                               const std::vector<AnswerXml>& answers)
{
    std::string xml = "<QUESTION><ID>" + id + "</ID><Q>" + text + "</Q>";
    for (const auto& answer : answers)
        xml += "<ANSWER><A>" + answer.first + "</A><GOTO>" + answer.second + "</GOTO></ANSWER>";
    return xml + "</QUESTION>";
}

// A question whose answers, all reading "go", lead to `targets`, on one line.
inline std::string Q(const std::string& id, std::initializer_list<std::string> targets)
{
    std::vector<AnswerXml> answers;
    for (const std::string& target : targets)
        answers.emplace_back("go", target);
    return QuestionXml(id, "text", answers);
}
