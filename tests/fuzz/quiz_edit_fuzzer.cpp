// libFuzzer target: any sequence of the editor's edits on any quiz file,
// undone whole, leaves the document saving the bytes it saved before; redone
// whole, the bytes it saved after; and what it saves reads back as the quiz
// the edited tree holds.
//
// Build and run (clang with libFuzzer, Debian package libclang-rt-14-dev):
//   CXX=clang++ cmake -S . -B /tmp/build-fuzz -G Ninja -DMINDPRISM_FUZZ=ON -DMINDPRISM_BENCH=OFF
//   ninja -C /tmp/build-fuzz quiz_edit_fuzzer
//   cp -r tests/fuzz/corpus/edit /tmp/edit-corpus   # the fuzzer adds its finds there
//   /tmp/build-fuzz/tests/fuzz/quiz_edit_fuzzer -max_total_time=30 /tmp/edit-corpus
//
// An input is a quiz file, a zero byte, then the edits: one byte picks the
// kind, the next ones the question, the answer and the text. Without a zero
// byte (or when the file does not open) the edits go to a new quiz.
#include "fuzz_support.h"
#include "quiz/question_table.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "widgets/xml_document_ex.h"
#include "xml_tree_util.h"

#include <wx/init.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{

[[noreturn]] void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s\n--- detail ---\n%s\n", what, detail.c_str());
    std::abort();
}

std::string Saved(const QuizDocument& document)
{
    bool saved = false;
    std::string bytes = SaveToBytes(document.Xml(), 1, &saved);
    if (!saved)
        Fail("the writer refused the document", bytes);
    return bytes;
}

// The quiz as the reader stores it: every question found by ID.
std::string QuizOf(const QuizDocument& document)
{
    QuestionTable table;
    QuizFileCheck check;
    document.Read(table, check);
    std::map<wxString, const Question*> sorted(table.Index().begin(), table.Index().end());
    wxString quiz;
    for (const auto& entry : sorted)
    {
        quiz << entry.first << wxS('\x1') << entry.second->text;
        for (const Answer& answer : entry.second->answers)
            quiz << wxS('\x2') << answer.text << wxS('\x3') << answer.target;
        quiz << wxS('\n');
    }
    return std::string(quiz.utf8_str());
}

// Reads the edits' bytes; zeros once they run out.
class Script
{
public:
    Script(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    unsigned Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    size_t Pick(size_t count) { return count == 0 ? 0 : Byte() % (count + 1); }
    wxString Text()
    {
        static const char* const texts[] = {"", "0", "1001", "1002", "x & <y>", " 1003 ", "]]>",
                                            "\xE4\xB8\xAD", "a\nb", "--", "\x01"};
        const unsigned byte = Byte();
        if (byte < sizeof texts / sizeof *texts)
            return wxString::FromUTF8(texts[byte]);
        return wxString::Format(wxS("%u"), 1000 + byte);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

std::unique_ptr<QuizEdit> MakeEdit(QuizDocument& document, Script& script)
{
    const unsigned kind = script.Byte() % 10;
    const size_t question = script.Pick(document.QuestionCount());
    const size_t answers = question < document.QuestionCount()
                               ? document.Fields(question).answers.size()
                               : 0;
    const size_t answer = script.Pick(answers);
    switch (kind)
    {
        case 0: return document.SetQuestionId(question, script.Text());
        case 1: return document.SetQuestionText(question, script.Text());
        case 2: return document.SetAnswerText(question, answer, script.Text());
        case 3: return document.SetAnswerTarget(question, answer, script.Text());
        case 4: return document.AddAnswer(question);
        case 5: return document.RemoveAnswer(question, answer);
        case 6: return document.MoveAnswerUp(question, answer);
        case 7: return document.MoveAnswerDown(question, answer);
        case 8: return document.AddQuestion();
        default: return document.DeleteQuestion(question);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return StartToolkitForFuzzing();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* zero = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    std::unique_ptr<QuizDocument> document;
    if (zero)
    {
        wxString error;
        document = QuizDocument::Open(reinterpret_cast<const char*>(data), zero - data,
                                      wxS("fuzz.xml"), error);
    }
    if (!document)
        document = QuizDocument::New();
    Script script(zero ? zero + 1 : data, zero ? size - (zero + 1 - data) : size);

    const std::string before = Saved(*document);
    std::vector<std::unique_ptr<QuizEdit>> done;
    for (int count = 0; script.More() && count < 64; ++count)
    {
        std::unique_ptr<QuizEdit> edit = MakeEdit(*document, script);
        if (!edit)
            continue;
        if (!edit->Do())
            Fail("a fresh edit was refused", std::string(edit->Name().utf8_str()));
        done.push_back(std::move(edit));
    }
    if (document->IsModified() != !done.empty())
        Fail("modified does not follow the edits", before);
    const std::string after = Saved(*document);
    const std::string quiz = QuizOf(*document);
    {
        wxString error;
        const auto reread = QuizDocument::Open(after.data(), after.size(), wxS("saved.xml"), error);
        if (!reread || QuizOf(*reread) != quiz)
            Fail("the saved quiz reads back otherwise", after);
    }
    for (auto edit = done.rbegin(); edit != done.rend(); ++edit)
        if (!(*edit)->Undo())
            Fail("an undo was refused", std::string((*edit)->Name().utf8_str()));
    if (Saved(*document) != before || document->IsModified())
        Fail("undoing every edit does not give the bytes saved before", after);
    for (auto& edit : done)
        if (!edit->Do())
            Fail("a redo was refused", std::string(edit->Name().utf8_str()));
    if (Saved(*document) != after)
        Fail("redoing every edit does not give the bytes saved after", after);
    return 0;
}
