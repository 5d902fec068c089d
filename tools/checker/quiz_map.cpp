// Writing a quiz outline as DOT: nodes, arrows, marks and escaped labels.
#include "quiz_map.h"

#include "quiz/quiz_analysis.h"

#include <initializer_list>
#include <map>
#include <utility>

const char MAP_FONT[] = "WenQuanYi Micro Hei,sans-serif";

namespace
{

const char ELLIPSIS[] = "\xE2\x80\xA6";

bool IsBlankOrControl(unsigned char byte)
{
    return byte <= 0x20 || byte == 0x7F;
}

// A quoted DOT string. The DOT reader keeps "\\" and turns "\"" into a
// quote; the label reader then turns "\\" into one backslash, so nothing in
// a text can become a label escape such as \N or \l.
std::string DotString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text)
    {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// A quoted label of the non-empty lines, joined by DOT's centred line break.
std::string Label(std::initializer_list<std::string> lines)
{
    std::string label = "\"";
    for (const std::string& line : lines)
    {
        if (line.empty())
            continue;
        if (label.size() > 1)
            label += "\\n";
        const std::string quoted = DotString(line);
        label += quoted.substr(1, quoted.size() - 2);
    }
    return label + '"';
}

// IDs are shown as they are unless blanks or control characters would
// hide what they hold; then quoted, as the checker's messages quote them.
std::string IdText(const wxString& id)
{
    bool plain = !id.empty() && !HasOuterBlanks(id);
    for (const wxUniChar c : id)
        plain = plain && c.GetValue() >= 0x20 && c.GetValue() != 0x7F;
    return LabelText(plain ? id : Quoted(id), MAP_ID_CHARS);
}

// The first line's worth of characters and, when more follows, a second.
std::pair<std::string, std::string> TwoLines(const wxString& text)
{
    const std::string whole = LabelText(text, 2 * MAP_RESULT_LINE_CHARS);
    size_t cut = 0;
    for (size_t chars = 0; cut < whole.size() && chars < MAP_RESULT_LINE_CHARS; ++chars)
        do
            ++cut;
        while (cut < whole.size() && (static_cast<unsigned char>(whole[cut]) & 0xC0) == 0x80);
    return {whole.substr(0, cut), whole.substr(cut)};
}

class DotWriter
{
public:
    explicit DotWriter(const QuizOutline& outline) : m_outline(outline) {}

    std::string Write()
    {
        m_dot = "digraph quiz {\n"
                "  graph [rankdir=TB, nodesep=0.3, ranksep=0.45, fontname=" + DotString(MAP_FONT) + "];\n"
                "  node [shape=box, fontname=" + DotString(MAP_FONT) + ", fontsize=11, margin=\"0.12,0.06\"];\n"
                "  edge [fontname=" + DotString(MAP_FONT) + ", fontsize=9, color=grey35];\n";
        // The entry comes first and heads the ranks, so the layout, which
        // breaks loops in the order it meets nodes, flows down from it.
        if (m_outline.entry)
        {
            WriteQuestion(*m_outline.entry);
            m_dot += "  {rank=min; q" + std::to_string(*m_outline.entry) + ";}\n";
        }
        for (size_t box = 0; box < m_outline.boxes.size(); ++box)
            if (box != m_outline.entry)
                WriteQuestion(box);
        for (size_t box = 0; box < m_outline.boxes.size(); ++box)
            WriteArrows(box);
        return m_dot + "}\n";
    }

private:
    void WriteQuestion(size_t index)
    {
        const QuizOutline::Box& box = m_outline.boxes[index];
        std::string attributes = "label=" + Label({IdText(box.id), LabelText(box.text, MAP_QUESTION_CHARS)});
        if (index == m_outline.entry)
            attributes += ", peripheries=2";
        // Both marks can hold at once: a loop nobody reaches is grey with a red border.
        if (!box.reachable)
            attributes += ", style=filled, fillcolor=grey85, fontcolor=grey30, color=grey45";
        if (!box.canEnd)
            attributes += ", color=red, fontcolor=red3, penwidth=1.6";
        m_dot += "  q" + std::to_string(index) + " [" + attributes + "];\n";
    }

    void WriteArrows(size_t from)
    {
        for (const QuizOutline::Arrow& arrow : m_outline.boxes[from].arrows)
        {
            std::string to;
            if (arrow.to)
                to = "q" + std::to_string(*arrow.to);
            else if (arrow.ends)
                to = Ending(arrow.text);
            else
                to = Unknown(arrow.target);
            m_dot += "  q" + std::to_string(from) + " -> " + to +
                     " [label=" + Label({LabelText(arrow.text, MAP_ANSWER_CHARS)}) + "];\n";
        }
    }

    // One box per distinct result text, declared where it is first needed.
    std::string Ending(const wxString& result)
    {
        const auto [found, added] = m_endings.emplace(result, m_endings.size());
        const std::string name = "e" + std::to_string(found->second);
        if (added)
        {
            const auto [first, second] = TwoLines(result);
            m_dot += "  " + name + " [label=" + Label({first, second}) +
                     ", style=\"rounded,filled\", fillcolor=\"#dcefd9\", color=\"#4f8a4a\"];\n";
        }
        return name;
    }

    // One dashed box per target that names no question.
    std::string Unknown(const wxString& target)
    {
        const auto [found, added] = m_unknown.emplace(target, m_unknown.size());
        const std::string name = "u" + std::to_string(found->second);
        if (added)
            m_dot += "  " + name + " [label=" + Label({LabelText(Quoted(target), MAP_ID_CHARS)}) +
                     ", style=dashed, color=red, fontcolor=red3];\n";
        return name;
    }

    const QuizOutline& m_outline;
    std::string m_dot;
    std::map<wxString, size_t> m_endings;
    std::map<wxString, size_t> m_unknown;
};

} // namespace

std::string LabelText(const wxString& text, size_t chars)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const char* const bytes = utf8.data();
    const size_t size = utf8.length();
    std::string shown;
    size_t kept = 0;
    bool blank = false;
    for (size_t i = 0; i < size;)
    {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        size_t next = i + 1;
        while (next < size && (static_cast<unsigned char>(bytes[next]) & 0xC0) == 0x80)
            ++next;
        if (IsBlankOrControl(lead))
            blank = true;
        else
        {
            // A pending blank counts as a character only when text follows.
            if (kept + (blank && kept > 0) >= chars)
                return shown + ELLIPSIS;
            if (blank && kept > 0)
            {
                shown += ' ';
                ++kept;
            }
            blank = false;
            shown.append(bytes + i, next - i);
            ++kept;
        }
        i = next;
    }
    return shown;
}

std::string MapDot(const QuizOutline& outline)
{
    return DotWriter(outline).Write();
}
