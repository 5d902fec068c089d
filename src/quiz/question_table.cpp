// Question table: ID lookup plus ownership of every record.
#include "quiz/question_table.h"

#include <algorithm>
#include <iterator>

QuestionTable::QuestionTable(size_t sizeHint)
    : m_index(sizeHint)
{
}

Question* QuestionTable::FindQuestion(const wxString& id) const
{
    const QuestionIndex::const_iterator it = m_index.find(id);
    return it == m_index.end() ? nullptr : it->second;
}

void QuestionTable::Reserve(size_t count)
{
    m_records.reserve(m_records.size() + count);
    m_index.reserve(m_index.size() + count);
}

Question& QuestionTable::Store(std::unique_ptr<Question> question)
{
    Question* record = question.get();
    m_records.push_back(std::move(question));
    const auto placed = m_index.emplace(record->id, record);
    if (!placed.second)
    {
        placed.first->second = record;
        ++m_displaced;
    }
    return *record;
}

void QuestionTable::Withdraw(const wxString& id)
{
    if (m_index.erase(id) != 0)
        ++m_displaced;
}

void QuestionTable::Adopt(QuestionTable& other)
{
    m_records.reserve(m_records.size() + other.m_records.size());
    m_index.reserve(m_index.size() + other.m_index.size());
    for (std::unique_ptr<Question>& record : other.m_records)
    {
        Question* const moved = record.get();
        const bool stored = other.FindQuestion(moved->id) == moved;
        m_records.push_back(std::move(record));
        if (stored)
            m_index[moved->id] = moved;
    }
    m_displaced = m_records.size() - m_index.size();
    other.m_records.clear();
    other.m_index.clear();
    other.m_displaced = 0;
    m_results = std::move(other.m_results);
    other.m_results = QuizResults{};
}

void QuestionTable::Replace(QuestionTable& other)
{
    m_index.clear();
    Adopt(other);
}

void QuestionTable::ReleaseDisplaced(std::initializer_list<const Question*> keep)
{
    TakeDisplaced(keep);
}

std::vector<std::unique_ptr<Question>> QuestionTable::TakeDisplaced(
    std::initializer_list<const Question*> keep)
{
    std::vector<std::unique_ptr<Question>> taken;
    if (m_displaced == 0)
        return taken;
    const auto releasable = [this, &keep](const std::unique_ptr<Question>& record) {
        if (FindQuestion(record->id) == record.get())
            return false;
        return std::find(keep.begin(), keep.end(), record.get()) == keep.end();
    };
    const auto kept = std::stable_partition(m_records.begin(), m_records.end(),
                                            [&](const auto& record) { return !releasable(record); });
    taken.reserve(m_records.end() - kept);
    std::move(kept, m_records.end(), std::back_inserter(taken));
    m_records.erase(kept, m_records.end());
    m_displaced = m_records.size() - m_index.size();
    return taken;
}
