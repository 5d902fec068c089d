// The quiz document an author edits: its tree, the edits on it, its save.
#include "quiz/quiz_document.h"

#include "quiz/content_digest.h"
#include "quiz/question_table.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_results.h"
#include "quiz/quiz_rules.h"
#include "quiz/read_recorder.h"
#include "quiz/safe_save.h"
#include "widgets/xml_document_ex.h"

#include <wx/intl.h>
#include <wx/mstream.h>
#include <wx/stream.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cstring>

namespace
{

// Indentation of a saved quiz: two spaces a level, as the shipped quizzes.
constexpr int SAVE_INDENT = 1;

// Visits `root` and every node below it in document order: `enter` before a
// node's children, `leave` after them.
template <typename Enter, typename Leave>
void WalkTree(const wxXmlNode& root, Enter enter, Leave leave)
{
    const wxXmlNode* node = &root;
    for (;;)
    {
        enter(*node);
        if (node->GetChildren())
        {
            node = node->GetChildren();
            continue;
        }
        leave(*node);
        while (node != &root && !node->GetNext())
        {
            node = node->GetParent();
            leave(*node);
        }
        if (node == &root)
            return;
        node = node->GetNext();
    }
}

// Appends `text` in UTF-8; `escape` the characters markup would read
// otherwise (those of an attribute's value too with `attribute`). Written
// straight into the string's room: a large quiz has megabytes of text.
void AppendUtf8(std::string& out, const wxString& text, bool escape, bool attribute = false)
{
    const size_t length = text.length();
    if (length == 0)
        return;
    const wchar_t* c = text.wc_str();
    size_t at = out.size();
    out.resize(at + 6 * length);  // "&quot;" is the longest a character takes
    char* p = &out[at];
    for (const wchar_t* end = c + length; c != end; ++c)
    {
        auto code = static_cast<std::uint32_t>(*c);
        // Where wchar_t is 16 bits (Windows), a character beyond the first
        // plane comes as two halves, written as the one character they are.
        if (code >= 0xD800 && code < 0xDC00 && c + 1 != end)
        {
            const auto low = static_cast<std::uint32_t>(c[1]);
            if (low >= 0xDC00 && low < 0xE000)
            {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++c;
            }
        }
        const char* entity = nullptr;
        if (escape && code < 0x80)
        {
            switch (code)
            {
                case '&': entity = "&amp;"; break;
                case '<': entity = "&lt;"; break;
                case '>': entity = "&gt;"; break;
                case '\r': entity = "&#13;"; break;  // the parser would make a line end of it
                case '"': entity = attribute ? "&quot;" : nullptr; break;
                case '\n': entity = attribute ? "&#10;" : nullptr; break;
                case '\t': entity = attribute ? "&#9;" : nullptr; break;
                default: break;
            }
        }
        if (entity)
            for (; *entity; ++entity)
                *p++ = *entity;
        else if (code < 0x80)
            *p++ = static_cast<char>(code);
        else if (code < 0x800)
        {
            *p++ = static_cast<char>(0xC0 | (code >> 6));
            *p++ = static_cast<char>(0x80 | (code & 0x3F));
        }
        else if (code < 0x10000)
        {
            *p++ = static_cast<char>(0xE0 | (code >> 12));
            *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (code & 0x3F));
        }
        else
        {
            *p++ = static_cast<char>(0xF0 | (code >> 18));
            *p++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    out.resize(p - out.data());
}

// Markup is written as it is: names, comments and instructions need no
// escaping to read back (a comment or CDATA that cannot be written so does
// not read back as one node, and ReadSnapshot says so).
void AppendRaw(std::string& out, const wxString& text)
{
    AppendUtf8(out, text, false);
}

void WriteStartTag(std::string& out, const wxXmlNode& element)
{
    out += '<';
    AppendRaw(out, element.GetName());
    for (const wxXmlAttribute* attribute = element.GetAttributes(); attribute;
         attribute = attribute->GetNext())
    {
        out += ' ';
        AppendRaw(out, attribute->GetName());
        out += "=\"";
        AppendUtf8(out, attribute->GetValue(), true, true);
        out += '"';
    }
    out += '>';
}

// Writes the tree under `top` as compact XML that parses back into the same
// nodes, and marks each node's line and shape in document order.
void WriteSnapshot(const wxXmlNode& top, std::string& out, std::vector<QuizSnapshot::Node>& nodes)
{
    std::vector<size_t> open;  // marks of the elements entered, for their child counts
    WalkTree(
        top,
        [&](const wxXmlNode& node) {
            if (!open.empty())
                ++nodes[open.back()].children;
            nodes.push_back(QuizSnapshot::Node{node.GetLineNumber(), node.GetType(), 0});
            switch (node.GetType())
            {
                case wxXML_ELEMENT_NODE:
                    WriteStartTag(out, node);
                    break;
                case wxXML_TEXT_NODE:
                    AppendUtf8(out, node.GetContent(), true);
                    break;
                case wxXML_CDATA_SECTION_NODE:
                    out += "<![CDATA[";
                    AppendRaw(out, node.GetContent());
                    out += "]]>";
                    break;
                case wxXML_COMMENT_NODE:
                    out += "<!--";
                    AppendRaw(out, node.GetContent());
                    out += "-->";
                    break;
                case wxXML_PI_NODE:
                    out += "<?";
                    AppendRaw(out, node.GetName());
                    out += ' ';
                    AppendRaw(out, node.GetContent());
                    out += "?>";
                    break;
                default:
                    break;
            }
            if (node.GetChildren())
                open.push_back(nodes.size() - 1);
        },
        [&](const wxXmlNode& node) {
            if (node.GetChildren())
                open.pop_back();
            if (node.GetType() == wxXML_ELEMENT_NODE)
            {
                out += "</";
                AppendRaw(out, node.GetName());
                out += '>';
            }
        });
}

size_t ChildCount(const wxXmlNode& node)
{
    size_t count = 0;
    for (const wxXmlNode* child = node.GetChildren(); child; child = child->GetNext())
        ++count;
    return count;
}

// A copy of `original` and everything below it, in one pass (the toolkit's
// AddChild walks every sibling before it), each node with the line its mark
// gives; null when the marks describe another tree.
std::unique_ptr<wxXmlNode> CopyWithLines(const wxXmlNode& original,
                                         const std::vector<QuizSnapshot::Node>& marks)
{
    std::unique_ptr<wxXmlNode> root;
    std::vector<wxXmlNode*> parents;    // the copies entered, innermost last
    std::vector<wxXmlNode*> previous;   // per parent, its last child copied
    std::vector<size_t> counts;         // per parent, its children so far
    std::vector<size_t> markOf;         // per parent, its mark
    size_t next = 0;
    bool same = true;
    WalkTree(
        original,
        [&](const wxXmlNode& node) {
            if (!same || next >= marks.size() || marks[next].type != node.GetType())
            {
                same = false;
                return;
            }
            auto* copy = new wxXmlNode(node.GetType(), node.GetName(), node.GetContent(),
                                       marks[next].line);
            copy->SetNoConversion(node.GetNoConversion());
            wxXmlAttribute* last = nullptr;
            for (const wxXmlAttribute* attribute = node.GetAttributes(); attribute;
                 attribute = attribute->GetNext())
            {
                auto* added = new wxXmlAttribute(attribute->GetName(), attribute->GetValue());
                if (last)
                    last->SetNext(added);
                else
                    copy->SetAttributes(added);
                last = added;
            }
            if (parents.empty())
                root.reset(copy);
            else
            {
                copy->SetParent(parents.back());
                if (previous.back())
                    previous.back()->SetNext(copy);
                else
                    parents.back()->SetChildren(copy);
                previous.back() = copy;
                ++counts.back();
            }
            ++next;
            if (node.GetChildren())
            {
                parents.push_back(copy);
                previous.push_back(nullptr);
                counts.push_back(0);
                markOf.push_back(next - 1);
            }
        },
        [&](const wxXmlNode& node) {
            if (!same || !node.GetChildren())
                return;
            if (marks[markOf.back()].children != counts.back())
                same = false;
            parents.pop_back();
            previous.pop_back();
            counts.pop_back();
            markOf.pop_back();
        });
    return same && next == marks.size() ? std::move(root) : nullptr;
}

wxString ValueOf(const wxXmlNode* leaf)
{
    return leaf ? LeafValue(*leaf) : wxString();
}

std::unique_ptr<wxXmlNode> Element(const wxString& name)
{
    return std::make_unique<wxXmlNode>(wxXML_ELEMENT_NODE, name);
}

// Whether the reader reads `value` back whole from a text node. It drops a
// text's first piece when that piece holds only blanks, and a piece ends at
// a line break and at each character written as a reference: "  & x"
// written as text reads back as "& x".
bool ReadsBackAsText(const wxString& value)
{
    for (const wxUniChar c : value)
        switch (c.GetValue())
        {
            case ' ':
            case '\t':
                continue;
            case '\n':
            case '\r':
            case '&':
            case '<':
            case '>':
                return false;
            default:
                return true;
        }
    return value.empty();
}

// The node that holds `value` so that the reader reads it back whole: a
// text, or a CDATA section where a text would lose its leading blanks. A
// CDATA section cannot hold "]]>" (the writer would split it, and the
// reader reads only the first part); XmlText never gives a value that
// needs both.
wxXmlNodeType ValueNodeType(const wxString& value)
{
    return ReadsBackAsText(value) ? wxXML_TEXT_NODE : wxXML_CDATA_SECTION_NODE;
}

std::unique_ptr<wxXmlNode> ValueNodeFor(const wxString& value)
{
    return std::make_unique<wxXmlNode>(ValueNodeType(value), wxString(), value);
}

std::unique_ptr<wxXmlNode> Leaf(const wxString& name, const wxString& value)
{
    auto leaf = Element(name);
    leaf->AddChild(ValueNodeFor(value).release());
    return leaf;
}

std::unique_ptr<wxXmlNode> NewAnswer(const wxString& text)
{
    auto answer = Element(wxS("ANSWER"));
    answer->AddChild(Leaf(wxS("A"), text).release());
    answer->AddChild(Leaf(wxS("GOTO"), QUIZ_END_TARGET).release());
    return answer;
}

std::unique_ptr<wxXmlNode> NewResult(const wxString& name, const wxString& text)
{
    auto result = Element(wxS("RESULT"));
    result->AddChild(Leaf(wxS("NAME"), name).release());
    result->AddChild(Leaf(wxS("TEXT"), text).release());
    return result;
}

std::unique_ptr<wxXmlNode> NewQuestion(const wxString& id, const wxString& text,
                                       const std::vector<wxString>& answers)
{
    auto question = Element(wxS("QUESTION"));
    question->AddChild(Leaf(wxS("ID"), id).release());
    question->AddChild(Leaf(wxS("Q"), text).release());
    for (const wxString& answer : answers)
        question->AddChild(NewAnswer(answer).release());
    return question;
}

// What an author types may hold characters no XML file can: left out, so
// the save cannot fail on them. What the reader would read otherwise is
// made what it reads: line ends as it reads them, no value of blanks only
// (it drops such a text: the value reads back empty), and no blanks before
// a "]]>" that neither a text nor a CDATA section could keep.
wxString XmlText(const wxString& text)
{
    wxString kept;
    kept.reserve(text.length());
    for (auto c = text.begin(); c != text.end(); ++c)
    {
        const wxUint32 code = wxUniChar(*c).GetValue();
        if (code == '\r')
        {
            // "\r\n" and a lone "\r" both read back as one "\n".
            auto next = c + 1;
            if (next == text.end() || wxUniChar(*next) != wxUniChar('\n'))
                kept += '\n';
            continue;
        }
        const bool control = code < 0x20 && code != '\t' && code != '\n';
        const bool loneSurrogate = sizeof(wchar_t) == 4 && code >= 0xD800 && code <= 0xDFFF;
        if (!control && !loneSurrogate && code != 0xFFFE && code != 0xFFFF)
            kept += *c;
    }
    if (kept.find_first_not_of(wxS(" \t\n")) == wxString::npos)
        kept.clear();
    if (!ReadsBackAsText(kept) && kept.find(wxS("]]>")) != wxString::npos)
        kept.erase(0, kept.find_first_not_of(wxS(" \t\n")));
    return kept;
}

// What the writer leaves out of a document the loader read.
wxString Losses(const wxXmlDocument& xml)
{
    wxArrayString what;
    const wxXmlNode* root = xml.GetRoot();
    if (const wxXmlNode* top = xml.GetDocumentNode())
        for (const wxXmlNode* child = top->GetChildren(); child; child = child->GetNext())
            if (child != root)
            {
                what.push_back(_("a comment or instruction outside the root element"));
                break;
            }
    if (!xml.GetDoctype().GetRootName().empty())
        what.push_back(_("the document type declaration"));
    // Processing instructions are not written anywhere in the tree.
    std::vector<const wxXmlNode*> pending{root};
    while (!pending.empty())
    {
        const wxXmlNode* node = pending.back();
        pending.pop_back();
        if (node->GetType() == wxXML_PI_NODE)
        {
            what.push_back(_("processing instructions inside it"));
            break;
        }
        for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
            pending.push_back(child);
    }
    if (what.empty())
        return wxString();
    wxString list;
    for (const wxString& item : what)
        list += (list.empty() ? wxString() : wxString(wxS("; "))) + item;
    return wxString::Format(_("Saving this quiz will leave out what the editor cannot write: %s."),
                            list);
}

// Digests what passes through it on its way to the file.
class DigestingStream : public wxFilterOutputStream
{
public:
    DigestingStream(wxOutputStream& out, ContentDigest& digest)
        : wxFilterOutputStream(out), m_digest(digest)
    {
    }

protected:
    size_t OnSysWrite(const void* buffer, size_t size) override
    {
        m_parent_o_stream->Write(buffer, size);
        const size_t written = m_parent_o_stream->LastWrite();
        m_digest.Add(buffer, written);
        if (written < size || !m_parent_o_stream->IsOk())
            m_lasterror = wxSTREAM_WRITE_ERROR;
        return written;
    }

private:
    ContentDigest& m_digest;
};

} // namespace

// ---- QuizEdit

struct QuizEdit::Step
{
    enum Kind
    {
        Content,  // `content` is swapped with the node's
        Insert,
        Remove
    };
    Kind kind;
    wxXmlNode* node;
    wxXmlNode* parent;
    wxXmlNode* before;  // the node's next sibling where it goes; null: last
    wxString content;
};

QuizEdit::QuizEdit(QuizDocument& document, wxString name, QuizDocumentChange change)
    : m_document(document), m_name(std::move(name)), m_change(change),
      m_before(document.m_state), m_after(++document.m_lastEdit)
{
}

QuizEdit::~QuizEdit() = default;

void QuizEdit::Change(wxXmlNode& node, const wxString& content)
{
    m_steps.push_back(Step{Step::Content, &node, nullptr, nullptr, content});
}

void QuizEdit::Insert(wxXmlNode& parent, std::unique_ptr<wxXmlNode> node, wxXmlNode* before)
{
    m_steps.push_back(Step{Step::Insert, node.get(), &parent, before, wxString()});
    m_detached.push_back(std::move(node));
}

void QuizEdit::Remove(wxXmlNode& node)
{
    m_steps.push_back(Step{Step::Remove, &node, node.GetParent(), node.GetNext(), wxString()});
}

void QuizEdit::Reinsert(wxXmlNode& parent, wxXmlNode& node, wxXmlNode* before)
{
    m_steps.push_back(Step{Step::Insert, &node, &parent, before, wxString()});
}

void QuizEdit::SetValue(wxXmlNode& leaf, wxXmlNode& valueNode, const wxString& value)
{
    if (valueNode.GetType() == ValueNodeType(value))
    {
        Change(valueNode, value);
        return;
    }
    // A node of the other kind in its place.
    wxXmlNode* next = valueNode.GetNext();
    Remove(valueNode);
    Insert(leaf, ValueNodeFor(value), next);
}

bool QuizEdit::SetLeafValue(wxXmlNode& leaf, const wxString& text)
{
    wxXmlNode* valueNode = ValueNode(leaf);
    if (valueNode ? valueNode->GetContent() == text : text.empty())
        return false;
    if (text.empty())
    {
        // Every text goes: a later one would be the value once read back.
        for (wxXmlNode* child = leaf.GetChildren(); child; child = child->GetNext())
            if (child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE)
                Remove(*child);
    }
    else if (valueNode)
        SetValue(leaf, *valueNode, text);
    else
        Insert(leaf, ValueNodeFor(text), leaf.GetChildren());
    return true;
}

void QuizEdit::Attach(Step& step)
{
    const auto owned = std::find_if(m_detached.begin(), m_detached.end(),
                                    [&step](const auto& node) { return node.get() == step.node; });
    owned->release();
    m_detached.erase(owned);
    // The toolkit takes a null `before` as the first place, not the last.
    if (step.before)
        step.parent->InsertChild(step.node, step.before);
    else
        step.parent->AddChild(step.node);
}

void QuizEdit::Detach(Step& step)
{
    step.parent->RemoveChild(step.node);
    m_detached.emplace_back(step.node);
}

void QuizEdit::Apply(Step& step, bool forward)
{
    m_document.Touched(step.kind == Step::Content ? *step.node : *step.parent, *step.node);
    switch (step.kind)
    {
        case Step::Content:
        {
            const wxString previous = step.node->GetContent();
            step.node->SetContent(step.content);
            step.content = previous;
            break;
        }
        case Step::Insert:
            forward ? Attach(step) : Detach(step);
            break;
        case Step::Remove:
            forward ? Detach(step) : Attach(step);
            break;
    }
}

bool QuizEdit::Do()
{
    if (m_document.m_state != m_before)
        return false;
    for (Step& step : m_steps)
        Apply(step, true);
    m_document.Changed(m_after, m_change);
    return true;
}

bool QuizEdit::Undo()
{
    if (m_document.m_state != m_after)
        return false;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        Apply(*step, false);
    m_document.Changed(m_before, m_change);
    return true;
}

// ---- QuizDocument: opening, reading

QuizDocument::QuizDocument() : m_xml(std::make_unique<wxXmlDocumentEx>()) {}

QuizDocument::~QuizDocument() = default;

std::unique_ptr<QuizDocument> QuizDocument::Open(const char* data, size_t size,
                                                 const wxString& path, wxString& error)
{
    std::unique_ptr<QuizDocument> document(new QuizDocument);
    QuestionTable table;
    QuizFileCheck check;
    LoadCheckedQuizDocument(*document->m_xml, data, size, path, table, check);
    const wxXmlNode* root = document->m_xml->GetRoot();
    if (!root)
    {
        error = check.error;
        return nullptr;
    }
    if (!IsQuizName(root->GetName(), "QUESTIONS"))
    {
        error = wxString::Format(_("\"%s\" is not a quiz file: its root element is <%s>, not <questions>."),
                                 path, root->GetName());
        return nullptr;
    }
    document->m_path = path;
    document->m_losses = Losses(*document->m_xml);
    // Whatever the file was written in, it is saved as UTF-8.
    document->m_xml->SetFileEncoding(wxS("UTF-8"));
    return document;
}

std::unique_ptr<QuizDocument> QuizDocument::OpenFile(const wxString& path, wxString& error)
{
    std::vector<char> bytes;
    QuizFileCheck check;
    if (!ReadQuizVersion(path, bytes, check))
    {
        error = check.error;
        return nullptr;
    }
    return Open(bytes.data(), bytes.size(), path, error);
}

std::unique_ptr<QuizDocument> QuizDocument::New()
{
    std::unique_ptr<QuizDocument> document(new QuizDocument);
    auto root = Element(wxS("questions"));
    // A title to fill in, and two results, each the end of one answer.
    const wxString first = _("First result");
    const wxString second = _("Second result");
    const wxString arrow = wxS(" ") + wxString(wxUniChar(0x2192)) + wxS(" ");
    root->AddChild(NewQuestion(QUIZ_ENTRY_ID, _("New question"),
                               {_("First answer") + arrow + first, _("Second answer") + arrow + second})
                       .release());
    root->AddChild(Element(wxS("TITLE")).release());
    const wxString text = _("Write here what this result tells the player.");
    root->AddChild(NewResult(first, text).release());
    root->AddChild(NewResult(second, text).release());
    document->m_xml->SetRoot(root.release());
    document->m_xml->SetVersion(wxS("1.0"));
    document->m_xml->SetFileEncoding(wxS("UTF-8"));
    return document;
}

const std::vector<wxXmlNode*>& QuizDocument::QuestionElements() const
{
    if (m_questionsKnown)
        return m_questions;
    m_questions.clear();
    const wxXmlNode* root = m_xml->GetRoot();
    if (root && IsQuizName(root->GetName(), "QUESTIONS"))
        m_questions = ReadableQuestions(*root).questions;
    m_questionsKnown = true;
    return m_questions;
}

size_t QuizDocument::QuestionCount() const
{
    return QuestionElements().size();
}

QuestionFields QuizDocument::Fields(size_t question) const
{
    QuestionFields fields;
    if (question >= QuestionCount())
        return fields;
    const wxXmlNode& element = *QuestionElements()[question];
    fields.id = ValueOf(LastQuizChild(element, "ID"));
    fields.text = ValueOf(LastQuizChild(element, "Q"));
    for (const wxXmlNode* answer : QuizChildren(element, "ANSWER"))
        fields.answers.push_back(
            AnswerFields{ValueOf(LastQuizChild(*answer, "A")), ValueOf(LastQuizChild(*answer, "GOTO"))});
    return fields;
}

wxString QuizDocument::QuestionId(size_t question) const
{
    if (question >= QuestionCount())
        return wxString();
    return ValueOf(LastQuizChild(*QuestionElements()[question], "ID"));
}

wxString QuizDocument::NextFreeId() const
{
    unsigned long long highest = 0;
    for (const wxXmlNode* element : QuestionElements())
    {
        const wxString id = ValueOf(LastQuizChild(*element, "ID"));
        unsigned long long number = 0;
        const bool digits = !id.empty() && id.length() <= 18 &&
                            std::all_of(id.begin(), id.end(),
                                        [](wxUniChar c) { return c >= '0' && c <= '9'; });
        if (digits && id.ToULongLong(&number))
            highest = std::max(highest, number);
    }
    return wxString::Format(wxS("%llu"), std::max<unsigned long long>(1001, highest + 1));
}

bool QuizDocument::Read(QuestionTable& table, QuizFileCheck& check, QuizOutline* outline) const
{
    return CheckQuizDocument(*m_xml, m_path, table, check, outline);
}

std::unique_ptr<Question> QuizDocument::PlayedQuestion(size_t question, const wxString& id) const
{
    const std::vector<wxXmlNode*>& questions = QuestionElements();
    const auto idOf = [&](size_t index) -> const wxString& {
        const wxXmlNode* leaf = LastQuizChild(*questions[index], "ID");
        return leaf ? LeafValue(*leaf) : QUIZ_NO_VALUE;
    };
    if (question >= questions.size() || idOf(question) != id)
        return nullptr;
    for (size_t later = question + 1; later < questions.size(); ++later)
        if (idOf(later) == id)
            return nullptr;
    return ReadQuestionElement(*questions[question]);
}

QuizSnapshot QuizDocument::Snapshot() const
{
    QuizSnapshot snapshot;
    // About as large as the last one: no growing step by step.
    snapshot.bytes.reserve(m_snapshotSize + m_snapshotSize / 8);
    snapshot.nodes.reserve(m_snapshotNodes + m_snapshotNodes / 8);
    // The root element is all a check reads. Its children are written once
    // each and kept until an edit changes them: an edit of one question
    // writes that question only.
    if (const wxXmlNode* root = m_xml->GetRoot())
    {
        WriteStartTag(snapshot.bytes, *root);
        snapshot.nodes.push_back(
            QuizSnapshot::Node{root->GetLineNumber(), root->GetType(), ChildCount(*root)});
        for (const wxXmlNode* child = root->GetChildren(); child; child = child->GetNext())
        {
            SnapshotPart& part = m_snapshotParts[child];
            if (part.nodes.empty())
                WriteSnapshot(*child, part.bytes, part.nodes);
            snapshot.bytes += part.bytes;
            snapshot.nodes.insert(snapshot.nodes.end(), part.nodes.begin(), part.nodes.end());
        }
        snapshot.bytes += "</";
        AppendRaw(snapshot.bytes, root->GetName());
        snapshot.bytes += '>';
    }
    snapshot.path.assign(m_path.wc_str(), m_path.length());
    m_snapshotSize = snapshot.bytes.size();
    m_snapshotNodes = snapshot.nodes.size();
    return snapshot;
}

std::unique_ptr<wxXmlDocument> ReadSnapshot(const QuizSnapshot& snapshot)
{
    const wxString path(snapshot.path.c_str(), snapshot.path.length());
    wxXmlDocument parsed;
    if (!ParseQuizBytes(parsed, snapshot.bytes.data(), snapshot.bytes.size(), path) ||
        !parsed.GetRoot())
        return nullptr;
    std::unique_ptr<wxXmlNode> root = CopyWithLines(*parsed.GetRoot(), snapshot.nodes);
    if (!root)
        return nullptr;
    auto document = std::make_unique<wxXmlDocument>();
    document->SetRoot(root.release());
    return document;
}

void QuizDocument::Touched(const wxXmlNode& at, const wxXmlNode& node)
{
    // What a snapshot kept of the root's child that holds the change is
    // written anew; a child taken out is forgotten too, since its address
    // may come back.
    const wxXmlNode* root = m_xml->GetRoot();
    if (&at == root)
    {
        m_snapshotParts.erase(&node);
        return;
    }
    const wxXmlNode* child = &at;
    while (child->GetParent() && child->GetParent() != root)
        child = child->GetParent();
    if (child->GetParent() == root)
        m_snapshotParts.erase(child);
    else
        m_snapshotParts.clear();  // outside the tree: nothing kept is trusted
}

void QuizDocument::Changed(std::uint64_t state, const QuizDocumentChange& change)
{
    m_state = state;
    m_questionsKnown = false;
    Publish(change);
}

// ---- The undo history

bool QuizDocument::Submit(std::unique_ptr<QuizEdit> edit)
{
    if (!edit || &edit->m_document != this)
        return false;
    // In the history before it is done, so that what its change tells
    // finds it there.
    m_history.resize(m_done);
    m_history.push_back(std::move(edit));
    ++m_done;
    if (m_history.back()->Do())
        return true;
    m_history.pop_back();
    --m_done;
    return false;
}

wxString QuizDocument::UndoName() const
{
    return CanUndo() ? m_history[m_done - 1]->Name() : wxString();
}

wxString QuizDocument::RedoName() const
{
    return CanRedo() ? m_history[m_done]->Name() : wxString();
}

bool QuizDocument::Undo()
{
    if (!CanUndo())
        return false;
    --m_done;
    if (m_history[m_done]->Undo())
        return true;
    ++m_done;
    return false;
}

bool QuizDocument::Redo()
{
    if (!CanRedo())
        return false;
    ++m_done;
    if (m_history[m_done - 1]->Do())
        return true;
    --m_done;
    return false;
}

// ---- Edits

std::unique_ptr<QuizEdit> QuizDocument::MakeEdit(const wxString& name, QuizDocumentChange change)
{
    return std::unique_ptr<QuizEdit>(new QuizEdit(*this, name, change));
}

std::unique_ptr<QuizEdit> QuizDocument::SetLeaf(size_t question, size_t answer,
                                                const char* leafName, const wxString& value,
                                                const wxString& editName)
{
    if (question >= QuestionCount())
        return nullptr;
    wxXmlNode* element = QuestionElements()[question];
    const bool inAnswer = answer != wxString::npos;
    if (inAnswer)
    {
        const std::vector<wxXmlNode*> answers = QuizChildren(*element, "ANSWER");
        if (answer >= answers.size())
            return nullptr;
        element = answers[answer];
    }
    // A missing element goes where authors write it: ID first, Q after
    // the ID, A first in its answer, GOTO last.
    wxXmlNode* before = element->GetChildren();
    if (std::strcmp(leafName, "Q") == 0)
        if (wxXmlNode* id = LastQuizChild(*element, "ID"))
            before = id->GetNext();
    if (std::strcmp(leafName, "GOTO") == 0)
        before = nullptr;
    return SetLeafOf(*element, leafName, value, editName,
                     QuizDocumentChange{QuizDocumentChange::Question, question}, before);
}

std::unique_ptr<QuizEdit> QuizDocument::SetLeafOf(wxXmlNode& element, const char* leafName,
                                                  const wxString& value, const wxString& editName,
                                                  QuizDocumentChange change, wxXmlNode* before)
{
    const wxString text = XmlText(value);
    wxXmlNode* leaf = LastQuizChild(element, leafName);
    if (!leaf && text.empty())
        return nullptr;
    auto edit = MakeEdit(editName, change);
    if (!leaf)
        edit->Insert(element, Leaf(leafName, text), before);
    else if (!edit->SetLeafValue(*leaf, text))
        return nullptr;
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::SetQuestionId(size_t question, const wxString& id)
{
    const wxString newId = XmlText(id);
    auto edit = SetLeaf(question, wxString::npos, "ID", newId, _("change question ID"));
    if (!edit)
        return nullptr;
    // Targets lead to the last question with an ID: only when it is this
    // one did they lead here.
    const std::vector<wxXmlNode*>& questions = QuestionElements();
    const wxString oldId = ValueOf(LastQuizChild(*questions[question], "ID"));
    if (oldId.empty() || oldId == QUIZ_END_TARGET || newId.empty() || newId == QUIZ_END_TARGET)
        return edit;
    for (size_t later = question + 1; later < questions.size(); ++later)
        if (ValueOf(LastQuizChild(*questions[later], "ID")) == oldId)
            return edit;
    edit->m_change.kind = QuizDocumentChange::Questions;
    for (const wxXmlNode* element : questions)
        for (const wxXmlNode* answer : QuizChildren(*element, "ANSWER"))
            if (wxXmlNode* target = LastQuizChild(*answer, "GOTO"))
                if (wxXmlNode* value = ValueNode(*target); value && value->GetContent() == oldId)
                    edit->SetValue(*target, *value, newId);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::SetQuestionText(size_t question, const wxString& text)
{
    return SetLeaf(question, wxString::npos, "Q", text, _("change question text"));
}

std::unique_ptr<QuizEdit> QuizDocument::SetAnswerText(size_t question, size_t answer,
                                                      const wxString& text)
{
    if (answer == wxString::npos)
        return nullptr;
    return SetLeaf(question, answer, "A", text, _("change answer text"));
}

std::unique_ptr<QuizEdit> QuizDocument::SetAnswerTarget(size_t question, size_t answer,
                                                        const wxString& target)
{
    if (answer == wxString::npos)
        return nullptr;
    return SetLeaf(question, answer, "GOTO", target, _("change answer target"));
}

std::unique_ptr<QuizEdit> QuizDocument::AddAnswer(size_t question)
{
    if (question >= QuestionCount())
        return nullptr;
    wxXmlNode& element = *QuestionElements()[question];
    const std::vector<wxXmlNode*> answers = QuizChildren(element, "ANSWER");
    auto edit = MakeEdit(_("add answer"), QuizDocumentChange{QuizDocumentChange::Question, question});
    edit->Insert(element, NewAnswer(_("New answer")),
                 answers.empty() ? nullptr : answers.back()->GetNext());
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::RemoveAnswer(size_t question, size_t answer)
{
    if (question >= QuestionCount())
        return nullptr;
    const std::vector<wxXmlNode*> answers = QuizChildren(*QuestionElements()[question], "ANSWER");
    if (answer >= answers.size())
        return nullptr;
    auto edit =
        MakeEdit(_("remove answer"), QuizDocumentChange{QuizDocumentChange::Question, question});
    edit->Remove(*answers[answer]);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::SwapAnswers(size_t question, size_t first,
                                                    const wxString& name)
{
    if (question >= QuestionCount())
        return nullptr;
    wxXmlNode& element = *QuestionElements()[question];
    const std::vector<wxXmlNode*> answers = QuizChildren(element, "ANSWER");
    if (first == wxString::npos || first + 1 >= answers.size())
        return nullptr;
    // The later answer goes before the earlier one; what lies between them
    // (comments) stays where it is.
    auto edit = MakeEdit(name, QuizDocumentChange{QuizDocumentChange::Question, question});
    edit->Remove(*answers[first + 1]);
    edit->Reinsert(element, *answers[first + 1], answers[first]);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::MoveAnswerUp(size_t question, size_t answer)
{
    if (answer == 0)
        return nullptr;
    return SwapAnswers(question, answer - 1, _("move answer up"));
}

std::unique_ptr<QuizEdit> QuizDocument::MoveAnswerDown(size_t question, size_t answer)
{
    return SwapAnswers(question, answer, _("move answer down"));
}

std::unique_ptr<QuizEdit> QuizDocument::AddQuestion()
{
    wxXmlNode* root = m_xml->GetRoot();
    if (!root || !IsQuizName(root->GetName(), "QUESTIONS"))
        return nullptr;
    // After the last question read, so that it is read too; with none,
    // before whatever would stop the reading.
    const std::vector<wxXmlNode*>& questions = QuestionElements();
    wxXmlNode* before = root->GetChildren();
    if (!questions.empty())
        before = questions.back()->GetNext();
    else
        while (before && (before->GetType() == wxXML_COMMENT_NODE ||
                          before->GetType() == wxXML_PI_NODE))
            before = before->GetNext();
    auto edit = MakeEdit(_("add question"),
                         QuizDocumentChange{QuizDocumentChange::Questions, questions.size()});
    edit->Insert(*root,
                 NewQuestion(NextFreeId(), _("New question"), {_("First answer"), _("Second answer")}),
                 before);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::DeleteQuestion(size_t question)
{
    if (question >= QuestionCount())
        return nullptr;
    auto edit = MakeEdit(_("delete question"),
                         QuizDocumentChange{QuizDocumentChange::Questions, question});
    edit->Remove(*QuestionElements()[question]);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::DuplicateQuestion(size_t question)
{
    if (question >= QuestionCount())
        return nullptr;
    wxXmlNode& original = *QuestionElements()[question];
    auto copy = std::make_unique<wxXmlNode>(original);
    const wxString id = NextFreeId();
    wxXmlNode* idElement = LastQuizChild(*copy, "ID");
    if (!idElement)
        copy->InsertChild(Leaf(wxS("ID"), id).release(), copy->GetChildren());
    else if (wxXmlNode* value = ValueNode(*idElement))
        value->SetContent(id);
    else
        idElement->AddChild(ValueNodeFor(id).release());
    auto edit = MakeEdit(_("duplicate question"),
                         QuizDocumentChange{QuizDocumentChange::Questions, question + 1});
    edit->Insert(*original.GetParent(), std::move(copy), original.GetNext());
    return edit;
}

// ---- The title and results

ResultsRead QuizDocument::ResultElements() const
{
    const wxXmlNode* root = m_xml->GetRoot();
    if (!root || !IsQuizName(root->GetName(), "QUESTIONS"))
        return ResultsRead{};
    // Where ReadableQuestions stops, from the questions already known.
    const std::vector<wxXmlNode*>& questions = QuestionElements();
    const wxXmlNode* stop = questions.empty() ? root->GetChildren() : questions.back()->GetNext();
    while (stop && IsMarkupAside(*stop))
        stop = stop->GetNext();
    return ReadableResults(stop);
}

wxXmlNode* QuizDocument::AfterQuestions() const
{
    const std::vector<wxXmlNode*>& questions = QuestionElements();
    if (!questions.empty())
        return questions.back()->GetNext();
    wxXmlNode* before = m_xml->GetRoot()->GetChildren();
    while (before && IsMarkupAside(*before))
        before = before->GetNext();
    return before;
}

wxString QuizDocument::Title() const
{
    const wxXmlNode* title = ResultElements().Title();
    return title ? LeafValue(*title) : wxString();
}

size_t QuizDocument::ResultCount() const
{
    return ResultElements().results.size();
}

ResultFields QuizDocument::Result(size_t result) const
{
    const ResultsRead read = ResultElements();
    if (result >= read.results.size())
        return ResultFields{};
    const wxXmlNode& element = *read.results[result];
    return ResultFields{ValueOf(LastQuizChild(element, "NAME")), ValueOf(LastQuizChild(element, "TEXT"))};
}

namespace
{

// Every ending answer's A element with its value (the last A; an ANSWER
// without one borrows another's text and names no result of its own).
template <typename Visit>
void ForEachEnding(const std::vector<wxXmlNode*>& questions, Visit visit)
{
    for (const wxXmlNode* element : questions)
        for (const wxXmlNode* answer : QuizChildren(*element, "ANSWER"))
            if (ValueOf(LastQuizChild(*answer, "GOTO")) == QUIZ_END_TARGET)
                if (wxXmlNode* text = LastQuizChild(*answer, "A"))
                    visit(*text);
}

} // namespace

size_t QuizDocument::EndingsNaming(size_t result) const
{
    const wxString name = ResultNameOf(*ResultElements().results.at(result));
    size_t naming = 0;
    if (!name.empty())
        ForEachEnding(QuestionElements(), [&](const wxXmlNode& text) {
            naming += ResultOf(LeafValue(text)) == name;
        });
    return naming;
}

std::unique_ptr<QuizEdit> QuizDocument::SetTitle(const wxString& title)
{
    wxXmlNode* root = m_xml->GetRoot();
    if (!root || !IsQuizName(root->GetName(), "QUESTIONS"))
        return nullptr;
    const wxString text = XmlText(title);
    const ResultsRead read = ResultElements();
    auto edit = MakeEdit(_("change quiz title"), QuizDocumentChange{QuizDocumentChange::Results, 0});
    if (wxXmlNode* element = read.Title())
        return edit->SetLeafValue(*element, text) ? std::move(edit) : nullptr;
    if (text.empty())
        return nullptr;
    // After the questions, before the results: where authors look for it.
    edit->Insert(*root, Leaf(wxS("TITLE"), text),
                 read.results.empty() ? AfterQuestions() : read.results.front());
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::AddResult()
{
    wxXmlNode* root = m_xml->GetRoot();
    if (!root || !IsQuizName(root->GetName(), "QUESTIONS"))
        return nullptr;
    const ResultsRead read = ResultElements();
    // A name no result has yet, so that no ending is taken to name it.
    std::vector<wxString> names;
    for (const wxXmlNode* result : read.results)
        names.push_back(ResultNameOf(*result));
    wxString name = _("New result");
    for (int number = 2; std::find(names.begin(), names.end(), name) != names.end(); ++number)
        name = wxString::Format(_("New result %d"), number);
    wxXmlNode* before = AfterQuestions();
    if (!read.results.empty())
        before = read.results.back()->GetNext();
    else if (read.Title())
        before = read.Title()->GetNext();
    auto edit = MakeEdit(_("add result"),
                         QuizDocumentChange{QuizDocumentChange::Results, read.results.size()});
    edit->Insert(*root, NewResult(name, _("Write here what this result tells the player.")),
                 before);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::SetResultName(size_t result, const wxString& name)
{
    const ResultsRead read = ResultElements();
    const wxString text = XmlText(name);
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if (result >= read.results.size() || trimmed.empty())
        return nullptr;
    wxXmlNode& element = *read.results[result];
    const wxString oldName = ResultNameOf(element);
    auto edit = SetLeafOf(element, "NAME", text, _("rename result"),
                          QuizDocumentChange{QuizDocumentChange::Results, result}, element.GetChildren());
    if (!edit || oldName.empty() || oldName == trimmed)
        return edit;
    // Every ending that named it names it still, in the same edit.
    ForEachEnding(QuestionElements(), [&](wxXmlNode& answerText) {
        const wxString& value = LeafValue(answerText);
        if (ResultOf(value) == oldName)
            edit->SetLeafValue(answerText, XmlText(NamingResult(value, trimmed, true)));
    });
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::SetResultText(size_t result, const wxString& text)
{
    const ResultsRead read = ResultElements();
    if (result >= read.results.size())
        return nullptr;
    return SetLeafOf(*read.results[result], "TEXT", text, _("change result text"),
                     QuizDocumentChange{QuizDocumentChange::Results, result}, nullptr);
}

std::unique_ptr<QuizEdit> QuizDocument::DeleteResult(size_t result)
{
    const ResultsRead read = ResultElements();
    if (result >= read.results.size())
        return nullptr;
    auto edit = MakeEdit(_("delete result"), QuizDocumentChange{QuizDocumentChange::Results, result});
    edit->Remove(*read.results[result]);
    return edit;
}

std::unique_ptr<QuizEdit> QuizDocument::SetAnswerResult(size_t question, size_t answer, size_t result)
{
    const ResultsRead read = ResultElements();
    if (question >= QuestionCount() || result >= read.results.size())
        return nullptr;
    const std::vector<wxXmlNode*> answers = QuizChildren(*QuestionElements()[question], "ANSWER");
    if (answer >= answers.size())
        return nullptr;
    const wxString name = ResultNameOf(*read.results[result]);
    const wxString text = ValueOf(LastQuizChild(*answers[answer], "A"));
    if (name.empty() || ResultOf(text) == name)
        return nullptr;
    // The whole text is replaced only when it is itself the name of a result.
    bool wholeNamesResult = false;
    for (const wxXmlNode* other : read.results)
        wholeNamesResult = wholeNamesResult || ResultNameOf(*other) == ResultOf(text);
    wholeNamesResult = wholeNamesResult && text.find(wxUniChar(0x2192)) == wxString::npos;
    return SetLeaf(question, answer, "A", NamingResult(text, name, wholeNamesResult),
                   _("choose answer result"));
}

size_t QuizDocument::AnswersLeadingTo(size_t question) const
{
    const std::vector<wxXmlNode*>& questions = QuestionElements();
    if (question >= questions.size())
        return 0;
    const wxString id = ValueOf(LastQuizChild(*questions[question], "ID"));
    if (id.empty() || id == QUIZ_END_TARGET)
        return 0;
    // Targets lead to the last question with an ID.
    for (size_t later = question + 1; later < questions.size(); ++later)
        if (ValueOf(LastQuizChild(*questions[later], "ID")) == id)
            return 0;
    size_t leading = 0;
    for (size_t other = 0; other < questions.size(); ++other)
        if (other != question)
            for (const wxXmlNode* answer : QuizChildren(*questions[other], "ANSWER"))
                leading += ValueOf(LastQuizChild(*answer, "GOTO")) == id;
    return leading;
}

// ---- Saving

bool QuizDocument::Save(const wxString& path, wxString& error)
{
    ContentDigest digest;
    const bool saved = SaveReplacing(path, [this, &digest](wxOutputStream& file) {
        DigestingStream stream(file, digest);
        return m_xml->Save(stream, SAVE_INDENT) && stream.IsOk();
    }, error);
    if (!saved)
        return false;
    m_path = path;
    m_savedState = m_state;
    m_savedDigest = digest.Value();
    m_savedSize = digest.Size();
    Publish(QuizDocumentChange{QuizDocumentChange::Saved, 0});
    return true;
}
