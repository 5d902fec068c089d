// Builds small quiz files for the engine tests.
#pragma once

#include "quiz/question_table.h"
#include "test_support.h"

#include <string>

// `body` wrapped in an XML declaration and a root element `questions`.
inline std::string QuizXml(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<questions>\n" + body + "</questions>\n";
}

// One QUESTION with an ID, a text and answers given as "text>target" pairs.
inline std::string QuestionXml(const std::string& id, const std::string& text,
                               std::initializer_list<std::pair<std::string, std::string>> answers)
{
    std::string xml = "  <QUESTION>\n    <ID>" + id + "</ID>\n    <Q>" + text + "</Q>\n";
    for (const auto& answer : answers)
        xml += "    <ANSWER>\n      <A>" + answer.first + "</A>\n      <GOTO>" + answer.second +
               "</GOTO>\n    </ANSWER>\n";
    return xml + "  </QUESTION>\n";
}

// Texts of a question's answers, "text>target" each, joined by "|".
inline std::string AnswerList(const Question& question)
{
    std::string list;
    for (const Answer& answer : question.answers)
    {
        if (!list.empty())
            list += "|";
        list += std::string(answer.text.utf8_str()) + ">" + std::string(answer.target.utf8_str());
    }
    return list;
}
