// A quiz file opened for writing: its XML tree kept as read, so that what
// the editor does not know survives a save, the edits an author makes to it
// as reversible commands, and the save that puts it back on disk.
#pragma once

#include "quiz/observer.h"

#include <wx/string.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QuestionTable;
class QuizDocument;
class wxXmlDocument;
struct Question;
class wxXmlDocumentEx;
class wxXmlNode;
struct QuizFileCheck;
struct ResultsRead;
struct QuizOutline;

// A question as the editor's form shows it: the values of the elements that
// count (the last ID, Q; per ANSWER element its own last A and GOTO, empty
// where it has none and borrows from an earlier answer when played).
struct AnswerFields
{
    wxString text;
    wxString target;
};

struct QuestionFields
{
    wxString id;
    wxString text;
    std::vector<AnswerFields> answers;  // every ANSWER element, in order
};

// A result as the editor's form shows it: the values of its NAME and TEXT
// that count, the name as written (endings name it trimmed).
struct ResultFields
{
    wxString name;
    wxString text;
};

// A document's tree as it was at one moment, to be read on another thread
// (see QuizDocument::Snapshot): the bytes a save would write, and the line
// and shape of every node, so that what is found in it keeps the file's
// lines. Shares nothing with the document.
struct QuizSnapshot
{
    struct Node
    {
        int line;
        int type;
        size_t children;
    };
    std::string bytes;
    std::vector<Node> nodes;  // in the order ReadSnapshot copies them
    std::wstring path;        // where the document was read from or saved
};

// The snapshot's tree, parsed, every node with its line in the document it
// was taken of (-1 for a part added since it was read). Null when the bytes
// do not parse into the same nodes. Thread-safe.
std::unique_ptr<wxXmlDocument> ReadSnapshot(const QuizSnapshot& snapshot);

// What an edit (or its undoing, or a save) changed.
struct QuizDocumentChange
{
    enum Kind
    {
        Question,   // the fields of `question`
        Questions,  // questions were added, deleted or renumbered
        Results,    // the title or the results (and the endings naming one)
        Saved       // the document was saved (its path may be new)
    };
    Kind kind = Question;
    size_t question = 0;
};

// One edit of a document: applied by Do, taken back by Undo, in the order
// of a linear history (what wxCommandProcessor keeps). Made by the
// document's edit functions, not yet applied. Do and Undo return false,
// changing nothing, when the document is not in the state the edit was made
// for (or left). The edit owns the nodes it takes out of the tree, and may
// outlive its document as long as it is not applied again.
class QuizEdit
{
public:
    ~QuizEdit();
    QuizEdit(const QuizEdit&) = delete;
    QuizEdit& operator=(const QuizEdit&) = delete;

    // What the edit does, translated, for "Undo: change answer text".
    const wxString& Name() const { return m_name; }
    bool Do();
    bool Undo();

private:
    friend class QuizDocument;
    struct Step;
    QuizEdit(QuizDocument& document, wxString name, QuizDocumentChange change);

    // Building the edit, in the tree as it is before: each step is done
    // after the ones added before it.
    void Change(wxXmlNode& node, const wxString& content);
    void Insert(wxXmlNode& parent, std::unique_ptr<wxXmlNode> node, wxXmlNode* before);
    void Remove(wxXmlNode& node);
    // Gives leaf element `leaf` the value `value` in its value node, or in
    // a node of the kind that the reader reads it back whole from.
    void SetValue(wxXmlNode& leaf, wxXmlNode& valueNode, const wxString& value);
    // Gives leaf element `leaf` the value `text` (as XmlText leaves it);
    // false, adding nothing, when it has it already.
    bool SetLeafValue(wxXmlNode& leaf, const wxString& text);
    // Puts back a node an earlier step removed, before `before` (null: last).
    void Reinsert(wxXmlNode& parent, wxXmlNode& node, wxXmlNode* before);

    void Apply(Step& step, bool forward);
    void Attach(Step& step);
    void Detach(Step& step);

    QuizDocument& m_document;
    wxString m_name;
    QuizDocumentChange m_change;
    std::vector<Step> m_steps;
    std::vector<std::unique_ptr<wxXmlNode>> m_detached;  // nodes out of the tree
    std::uint64_t m_before;  // the document's state the edit applies to
    std::uint64_t m_after;   // its state once applied
};

class QuizDocument : public Publisher<QuizDocumentChange>
{
public:
    ~QuizDocument();
    QuizDocument(const QuizDocument&) = delete;
    QuizDocument& operator=(const QuizDocument&) = delete;

    // Opens the bytes of the quiz file at `path` for editing. Null, with
    // `error` saying why (naming the file), when they are not a quiz file
    // at all: not XML, beyond the loader's limits, or another root element.
    // A quiz with problems (even without question 1001) opens: the author
    // may be mending it.
    static std::unique_ptr<QuizDocument> Open(const char* data, size_t size, const wxString& path,
                                              wxString& error);
    // The same, reading the file.
    static std::unique_ptr<QuizDocument> OpenFile(const wxString& path, wxString& error);
    // An untitled quiz: question 1001 with two answers that end it.
    static std::unique_ptr<QuizDocument> New();

    // Where it was read from or last saved; empty for a new quiz not saved.
    const wxString& Path() const { return m_path; }
    // What the file held outside the tree that a save writes (a comment or
    // instruction beside the root element, a document type declaration,
    // processing instructions anywhere): a message naming it, in the
    // interface language, to show before the first save; empty when a save
    // drops nothing.
    const wxString& SaveLosses() const { return m_losses; }

    // ---- The questions, as the loader reads them (up to the first child of
    // the root that stops its reading), addressed by position.
    size_t QuestionCount() const;
    QuestionFields Fields(size_t question) const;
    // Its ID alone (quicker than its fields, for lists of every question).
    wxString QuestionId(size_t question) const;
    // One above the highest all-digit ID (1001 for none): for a new question.
    wxString NextFreeId() const;

    // ---- The title and results, as the reader reads them after the
    // questions (see ReadableResults), results addressed by position.
    wxString Title() const;
    size_t ResultCount() const;
    ResultFields Result(size_t result) const;
    // How many ending answers name the result (see ResultOf): what deleting
    // it leaves naming none.
    size_t EndingsNaming(size_t result) const;

    // The quiz the tree holds now, read and checked as a file is when opened
    // (see LoadCheckedQuiz; findings in parts added since it was read have
    // no line). False when it cannot be played (no question 1001 with an
    // answer); the table then still holds what was read.
    bool Read(QuestionTable& table, QuizFileCheck& check, QuizOutline* outline = nullptr) const;
    // The record Read would store for question `question` alone; null when
    // it is out of range, its ID is not `id`, or a later question of the
    // same ID hides it.
    std::unique_ptr<Question> PlayedQuestion(size_t question, const wxString& id) const;
    // The tree as it is now, to be read and checked on another thread while
    // this one is edited: written to memory, which is quicker than any copy
    // of the tree.
    QuizSnapshot Snapshot() const;

    // ---- Edits, made but not applied (see QuizEdit); null when the
    // positions are out of range or nothing would change. Characters an XML
    // file cannot hold are left out of the texts given.
    // The new ID also replaces the old one in every target that led to the
    // question (when it was the one found under its ID).
    std::unique_ptr<QuizEdit> SetQuestionId(size_t question, const wxString& id);
    std::unique_ptr<QuizEdit> SetQuestionText(size_t question, const wxString& text);
    std::unique_ptr<QuizEdit> SetAnswerText(size_t question, size_t answer, const wxString& text);
    // "0" ends the quiz.
    std::unique_ptr<QuizEdit> SetAnswerTarget(size_t question, size_t answer,
                                               const wxString& target);
    // A new last answer that ends the quiz.
    std::unique_ptr<QuizEdit> AddAnswer(size_t question);
    std::unique_ptr<QuizEdit> RemoveAnswer(size_t question, size_t answer);
    std::unique_ptr<QuizEdit> MoveAnswerUp(size_t question, size_t answer);
    std::unique_ptr<QuizEdit> MoveAnswerDown(size_t question, size_t answer);
    // A new last question with NextFreeId() and two answers that end the
    // quiz, as a new quiz has, placed after the last question read (before
    // any child of the root that would stop the reading).
    std::unique_ptr<QuizEdit> AddQuestion();
    std::unique_ptr<QuizEdit> DeleteQuestion(size_t question);
    // A copy of the question, with NextFreeId(), right after it.
    std::unique_ptr<QuizEdit> DuplicateQuestion(size_t question);
    // A TITLE after the last question where there is none; an empty title
    // leaves the element, empty.
    std::unique_ptr<QuizEdit> SetTitle(const wxString& title);
    // A new last result, with a name no result has, after the last question
    // and the title.
    std::unique_ptr<QuizEdit> AddResult();
    // The new name also replaces the old one at the end of every ending
    // naming the result, in the one edit. Null for a name that is empty
    // once trimmed.
    std::unique_ptr<QuizEdit> SetResultName(size_t result, const wxString& name);
    std::unique_ptr<QuizEdit> SetResultText(size_t result, const wxString& text);
    std::unique_ptr<QuizEdit> DeleteResult(size_t result);
    // Makes the answer name the result: " → NAME" at the end of its text,
    // in place of the result it named, keeping what stands before the arrow.
    std::unique_ptr<QuizEdit> SetAnswerResult(size_t question, size_t answer, size_t result);

    // How many answers of other questions lead to this one (when it is the
    // one found under its ID): what deleting it leaves leading nowhere.
    size_t AnswersLeadingTo(size_t question) const;

    // Whether edits were done or undone since it was read or saved.
    bool IsModified() const { return m_state != m_savedState; }

    // ---- The undo history. It belongs to the document and goes with it,
    // whatever is shown meanwhile.
    // Applies `edit` (made by this document) and keeps it to be undone;
    // false, dropping it, when there is none or it does not apply. Edits
    // undone before are then no longer redone.
    bool Submit(std::unique_ptr<QuizEdit> edit);
    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_history.size(); }
    // What Undo or Redo would do, translated; empty when it cannot.
    wxString UndoName() const;
    wxString RedoName() const;
    bool Undo();
    bool Redo();

    // Whether the author agreed that saving leaves out SaveLosses().
    bool LossesAccepted() const { return m_lossesAccepted; }
    void AcceptLosses() { m_lossesAccepted = true; }

    // Writes the quiz to `path` (UTF-8, indented) through the application's
    // XML writer, into a new file that then replaces the old one. On
    // failure the file and the edits are as they were and `error` says why.
    bool Save(const wxString& path, wxString& error);
    // The digest (see ContentDigest) and size of the bytes last saved, so
    // the session can tell its own save from another program's change.
    std::uint64_t SavedDigest() const { return m_savedDigest; }
    size_t SavedSize() const { return m_savedSize; }

    // The tree, for tests and benchmarks.
    const wxXmlDocumentEx& Xml() const { return *m_xml; }

private:
    friend class QuizEdit;
    QuizDocument();
    // The QUESTION elements the loader reads, in order.
    const std::vector<wxXmlNode*>& QuestionElements() const;
    // What the reader reads after them (TITLE, RESULT elements).
    ResultsRead ResultElements() const;
    // Where a new TITLE or RESULT goes: after the last question read, or
    // before whatever stops the reading.
    wxXmlNode* AfterQuestions() const;
    // An edit of one leaf of `element`; a missing leaf goes before `before`
    // (null: last).
    std::unique_ptr<QuizEdit> SetLeafOf(wxXmlNode& element, const char* leafName,
                                        const wxString& value, const wxString& editName,
                                        QuizDocumentChange change, wxXmlNode* before);
    std::unique_ptr<QuizEdit> MakeEdit(const wxString& name, QuizDocumentChange change);
    std::unique_ptr<QuizEdit> SetLeaf(size_t question, size_t answer, const char* leafName,
                                      const wxString& value, const wxString& editName);
    std::unique_ptr<QuizEdit> SwapAnswers(size_t question, size_t first, const wxString& name);
    void Changed(std::uint64_t state, const QuizDocumentChange& change);
    // An edit's step changes `node` at `at` (itself, or the parent it goes
    // into or leaves).
    void Touched(const wxXmlNode& at, const wxXmlNode& node);

    std::unique_ptr<wxXmlDocumentEx> m_xml;
    wxString m_path;
    wxString m_losses;
    mutable std::vector<wxXmlNode*> m_questions;
    mutable bool m_questionsKnown = false;
    mutable size_t m_snapshotSize = 0;   // of the last snapshot's bytes
    mutable size_t m_snapshotNodes = 0;
    // Each child of the root as a snapshot writes it, until an edit changes it.
    struct SnapshotPart
    {
        std::string bytes;
        std::vector<QuizSnapshot::Node> nodes;
    };
    mutable std::unordered_map<const wxXmlNode*, SnapshotPart> m_snapshotParts;
    std::uint64_t m_state = 0;  // the last edit applied, 0 for none
    std::uint64_t m_savedState = 0;
    std::uint64_t m_lastEdit = 0;
    std::uint64_t m_savedDigest = 0;
    size_t m_savedSize = 0;
    bool m_lossesAccepted = false;
    std::vector<std::unique_ptr<QuizEdit>> m_history;
    size_t m_done = 0;  // edits of m_history applied, from the first
};
