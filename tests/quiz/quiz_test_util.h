// Loads quizzes for the engine tests, and reads their records back.
#pragma once

#include "quiz/question_table.h"
#include "quiz/quiz_file.h"
#include "quiz_xml.h"
#include "test_support.h"

#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <string>

// A quiz loaded by the application's loader, with what it was loaded into.
struct LoadedQuiz
{
    TempDir dir;  // where Load() writes its file
    wxXmlDocument document;
    QuestionTable table;
    bool ok = false;

    LoadedQuiz() = default;
    // Loads `xml`, written to a file of its own.
    explicit LoadedQuiz(const std::string& xml) { Load(xml); }

    bool Load(const std::string& xml, const wxString& name = wxS("quiz.xml"))
    {
        return LoadFile(dir.Write(name, xml));
    }
    bool LoadFile(const wxString& path)
    {
        ok = LoadQuiz(document, path, table);
        return ok;
    }
    // The question with this ID; a failure, and an empty question, if none.
    const Question& Get(const char* id) const
    {
        const Question* question = table.FindQuestion(wxString::FromUTF8(id));
        EXPECT_NE(question, nullptr) << "no question " << id;
        static const Question none;
        return question ? *question : none;
    }
};

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
