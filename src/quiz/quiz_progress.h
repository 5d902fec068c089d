// How far a player is from an end of the quiz, from every question: the
// figures behind "Question 3 · 2 to 4 more".
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

class QuestionTable;
struct Question;

// The questions still to answer after the one on screen before the quiz
// can end, counting only ways that do reach an end. A question with an
// answer that ends the quiz has `fewest` 0; one whose answers lead only to
// such questions has 1 and so on. `most` is empty when a loop that can
// still end is reachable from the question: the player may go round it any
// number of times.
struct QuizProgress
{
    size_t fewest = 0;
    std::optional<size_t> most;

    bool operator==(const QuizProgress& other) const
    {
        return fewest == other.fewest && most == other.most;
    }
};

// The figures of every question of a table from which an end can be
// reached. Built once per load, in time linear in the questions and
// answers, without recursion (quizzes may chain 100,000 questions). It
// refers to the table's records: rebuild it whenever the table changes.
class QuizProgressMap
{
public:
    QuizProgressMap() = default;
    // Answers lead where the table's FindQuestion says, as in play.
    explicit QuizProgressMap(const QuestionTable& table);

    // The figures of question `id`; null when it is not in the table or no
    // end can be reached from it.
    const QuizProgress* Find(const wxString& id) const;
    // The same for a record; null too for one no longer stored.
    const QuizProgress* Find(const Question* question) const;
    size_t size() const { return m_count; }

    // The table's records moved into `table` (QuestionTable::Replace keeps
    // them where they are): IDs are looked up there now.
    void Rebind(const QuestionTable& table) { m_table = &table; }
    // `record` stands in for `stored` (an edit of one question read anew):
    // it has its figures until the map is worked out again.
    void Follow(const Question* stored, const Question* record);

private:
    const QuestionTable* m_table = nullptr;
    std::unordered_map<const Question*, size_t> m_nodeOf;
    std::vector<QuizProgress> m_figures;  // by node
    std::vector<bool> m_canEnd;           // by node: the figures mean something
    size_t m_count = 0;
};
