// A model of what an author and another program do to a quiz being written,
// and of what must hold after every step: no text typed or written by
// another program disappears without an explicit choice, what the session
// plays agrees with the document, and a file the program saved reads back
// as the document it saved. Played against the session directly (the
// engine's tests, the fuzz target) or through the main window (the window
// tests), with choices from a seeded generator or a fuzzer's input.
#pragma once

#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

class QuizSession;

// Where the model's choices come from.
class AuthorChoices
{
public:
    virtual ~AuthorChoices() = default;
    // One of `count` (at least 1) possibilities.
    virtual unsigned Next(unsigned count) = 0;
    // No more choices: the run ends.
    virtual bool Done() const = 0;
};

class SeededChoices : public AuthorChoices
{
public:
    explicit SeededChoices(std::uint32_t seed) : m_random(seed) {}
    unsigned Next(unsigned count) override
    {
        return std::uniform_int_distribution<unsigned>(0, count - 1)(m_random);
    }
    bool Done() const override { return false; }

private:
    std::mt19937 m_random;
};

class ByteChoices : public AuthorChoices
{
public:
    ByteChoices(const std::uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    unsigned Next(unsigned count) override { return m_at < m_size ? m_data[m_at++] % count : 0; }
    bool Done() const override { return m_at >= m_size; }

private:
    const std::uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// The questions the model asks the author, and their answers (in the order
// of the answers' values).
enum class AuthorPrompt
{
    UnsavedEdits,   // 0 save, 1 discard, 2 cancel
    ChangedOnDisk,  // 0 overwrite, 1 load the file, 2 save elsewhere, 3 cancel
    Conflict,       // 0 keep my edits, 1 load the file
    ReadOnly,       // 0 overwrite, 1 cancel
    Losses          // 0 save anyway, 1 cancel
};
unsigned AnswerCount(AuthorPrompt prompt);

// How the author works: the session directly, or the main window. Every
// prompt goes to Answer(), which the model provides.
class AuthorActor
{
public:
    virtual ~AuthorActor() = default;
    virtual QuizSession& Session() = 0;
    // Selects question `question` of the opened quiz's document (by
    // position) and types `text` into its text field, not yet an edit.
    virtual void Type(size_t question, const wxString& text) = 0;
    // What is typed and not yet an edit; empty for nothing.
    virtual wxString Typed() const = 0;
    // Makes the typing an edit (the field left).
    virtual void Commit() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // Changes the ID of question `question` (renumbering 1001 makes the quiz
    // unplayable).
    virtual void Renumber(size_t question, const wxString& id) = 0;
    virtual void Save() = 0;
    virtual void SaveAs(const wxString& path) = 0;
    virtual void Switch(int index) = 0;
    virtual void Open(const wxString& path) = 0;
    virtual void New() = 0;
    // The opened file changed on disk: the follower says so.
    virtual void FileEvent() = 0;
    // What the views show that the session does not say; empty when all agree.
    virtual std::string ViewsDisagree() = 0;

    std::function<unsigned(AuthorPrompt)> Answer;
};

// The actor that works the session as the window does, without a window.
class SessionActor : public AuthorActor
{
public:
    // Files it must name itself (a new quiz's, a copy saved elsewhere) go
    // into `folder`.
    SessionActor(QuizSession& session, const wxString& folder) : m_session(session), m_folder(folder) {}
    QuizSession& Session() override { return m_session; }
    void Type(size_t question, const wxString& text) override;
    wxString Typed() const override { return m_typed; }
    void Commit() override;
    void Undo() override;
    void Redo() override;
    void Renumber(size_t question, const wxString& id) override;
    void Save() override;
    void SaveAs(const wxString& path) override;
    void Switch(int index) override;
    void Open(const wxString& path) override;
    void New() override;
    void FileEvent() override;
    std::string ViewsDisagree() override { return std::string(); }

private:
    bool ConfirmUnsaved();
    bool Write(const wxString& path, bool own);
    wxString FreshName(const wxString& stem);

    QuizSession& m_session;
    wxString m_folder;
    size_t m_question = 0;
    wxString m_typed;
    const void* m_typedInto = nullptr;  // the document the typing is for
    unsigned m_names = 0;
};

class AuthorModel
{
public:
    // Works in `folder`, which holds nothing else; the session's built-in
    // quizzes are the first two entries.
    AuthorModel(AuthorActor& actor, AuthorChoices& choices, const wxString& folder);
    // Takes up to `steps` steps; the first broken promise, or empty.
    std::string Run(size_t steps);
    // What was done, one step a line, for a failure's message.
    const std::string& Log() const { return m_log; }

private:
    void Step();
    std::string Check();
    // Another program's write: the file with `token` added to a question.
    void OtherProgramWrites(const wxString& path, const wxString& token);
    // Where texts are now: the typing, the opened quiz's document, the files.
    struct Places
    {
        wxString typed;
        wxString document;
        std::string disk;
        bool OnDisk(const wxString& token) const;
        bool Kept(const wxString& token) const;
    };
    Places Where() const;
    void ReleaseUnsavedOnDisk();
    void Note(const std::string& line) { m_log += line + "\n"; }
    wxString NewToken(char kind) { return wxString::Format(wxS("%c%u"), kind, ++m_tokens); }
    wxString FileName(unsigned which) const;

    AuthorActor& m_actor;
    AuthorChoices& m_choices;
    wxString m_folder;
    std::string m_log;
    unsigned m_tokens = 0;
    size_t m_typedQuestion = 0;
    bool m_discarded = false;  // the author discarded a document this step
    bool m_filePending = false;  // another program wrote; the window has not heard yet
    std::set<wxString> m_typedTokens;  // typed by the author, not let go
    std::set<wxString> m_otherTokens;  // written by another program, not let go
    // The opened quiz's document and its last save seen, to read each new
    // save back.
    const void* m_seenDocument = nullptr;
    std::uint64_t m_seenSave = 0;
};
