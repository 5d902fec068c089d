// A quiz outline as a map: its boxes and arrows, and their DOT form with
// the marks and escaped labels.
#include "map/quiz_map.h"

#include "map/map_text.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"

#include <wx/intl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <locale>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
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

// IDs are shown as they are unless blanks or control characters would
// hide what they hold; then quoted, as the checker's messages quote them.
std::string IdText(const wxString& id)
{
    bool plain = !id.empty() && !HasOuterBlanks(id);
    for (const wxUniChar c : id)
        plain = plain && c.GetValue() >= 0x20 && c.GetValue() != 0x7F;
    return LabelText(plain ? id : Quoted(id), MAP_ID_CHARS);
}

// Characters of the scripts written without spaces (Chinese, Japanese,
// Korean syllables, full-width forms): a line may break beside each.
bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool Contains(const char32_t* set, char32_t c)
{
    return std::char_traits<char32_t>::find(set, std::char_traits<char32_t>::length(set), c) != nullptr;
}

// Punctuation that stays with the character before it, or after it.
const char32_t CLOSING[] = U",.;:!?)]}%\u3001\u3002\uFF0C\uFF0E\uFF1A\uFF1B\uFF01\uFF1F\uFF09\u300D"
                           U"\u300F\u3011\u3015\u3009\u300B\u3017\uFF3D\uFF5D\u30FC\u30FB\u2026\u201D\u2019";
const char32_t OPENING[] = U"([{\uFF08\u300C\u300E\u3010\u3014\u3008\u300A\u3016\uFF3B\uFF5B\u201C\u2018";

bool IsHyphen(char32_t c)
{
    return c == '-' || c == 0x2010;
}

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80)
        text += char(c);
    else if (c < 0x800)
        text += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    else if (c < 0x10000)
        text += {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    else
        text += {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)),
                 char(0x80 | (c & 0x3F))};
}

// Breaks a line into its lines: words are filled in while a line keeps to
// `lineChars`, and a longer word has a line of its own.
class LineFiller
{
public:
    explicit LineFiller(size_t lineChars) : m_lineChars(lineChars) {}

    // Adds a piece no line breaks inside, after a space or not.
    void Add(const std::string& piece, size_t chars, bool afterSpace)
    {
        if (chars == 0)
            return;
        const size_t gap = m_chars > 0 && afterSpace ? 1 : 0;
        if (m_chars > 0 && m_chars + gap + chars > m_lineChars)
        {
            m_lines.push_back(std::move(m_line));
            m_line.clear();
            m_chars = 0;
        }
        else if (gap)
        {
            m_line += ' ';
            ++m_chars;
        }
        m_line += piece;
        m_chars += chars;
    }

    std::vector<std::string> Lines()
    {
        if (m_chars > 0)
            m_lines.push_back(std::move(m_line));
        return std::move(m_lines);
    }

private:
    size_t m_lineChars;
    std::vector<std::string> m_lines;
    std::string m_line;
    size_t m_chars = 0;
};

// Builds the graph: questions first (the entry leading), then each arrow,
// with the result and unknown boxes added where first needed.
class GraphBuilder
{
public:
    explicit GraphBuilder(const QuizOutline& outline) : m_outline(outline) {}

    MapGraph Build(const QuizBalance& balance)
    {
        for (const ResultShare& result : balance.results)
            m_shareOf.emplace(result.result, result);
        m_nodeOfBox.assign(m_outline.boxes.size(), 0);
        if (m_outline.entry)
            AddQuestion(*m_outline.entry);
        for (size_t box = 0; box < m_outline.boxes.size(); ++box)
            if (box != m_outline.entry)
                AddQuestion(box);
        for (size_t box = 0; box < m_outline.boxes.size(); ++box)
        {
            const std::vector<QuizOutline::Arrow>& arrows = m_outline.boxes[box].arrows;
            for (size_t answer = 0; answer < arrows.size(); ++answer)
            {
                const QuizOutline::Arrow& arrow = arrows[answer];
                MapArrow added;
                added.from = m_nodeOfBox[box];
                added.to = arrow.to ? m_nodeOfBox[*arrow.to]
                                    : arrow.ends ? Result(ResultOf(arrow.text)) : Unknown(arrow.target);
                added.answer = answer;
                added.label = LabelText(arrow.text, MAP_ANSWER_CHARS);
                m_graph.arrows.push_back(std::move(added));
            }
        }
        // A result the quiz describes that no ending names: a grey box of
        // its own, with its 0 %.
        for (const wxString& result : m_outline.results)
            if (m_results.count(result) == 0)
                m_graph.nodes[Result(result)].unreachable = true;
        return std::move(m_graph);
    }

private:
    static std::vector<std::string> Lines(std::initializer_list<std::string> lines)
    {
        std::vector<std::string> kept;
        for (const std::string& line : lines)
            if (!line.empty())
                kept.push_back(line);
        return kept;
    }

    void AddQuestion(size_t index)
    {
        const QuizOutline::Box& box = m_outline.boxes[index];
        MapNode node;
        node.number = index;
        node.id = box.id;
        node.lines = Lines({IdText(box.id), LabelText(box.text, MAP_QUESTION_CHARS)});
        node.entry = index == m_outline.entry;
        node.unreachable = !box.reachable;
        node.trapped = !box.canEnd;
        m_nodeOfBox[index] = m_graph.nodes.size();
        m_graph.nodes.push_back(std::move(node));
    }

    size_t Add(MapNodeKind kind, size_t number, std::vector<std::string> lines)
    {
        MapNode node;
        node.kind = kind;
        node.number = number;
        node.lines = std::move(lines);
        m_graph.nodes.push_back(std::move(node));
        return m_graph.nodes.size() - 1;
    }

    // One box per result: its name whole, then the share of players who
    // end there.
    size_t Result(const wxString& result)
    {
        const auto [found, added] = m_results.emplace(result, 0);
        if (added)
        {
            std::vector<std::string> lines = WrapLabel(result, MAP_RESULT_LINE_CHARS);
            const ResultShare& share = m_shareOf.at(result);
            lines.push_back(std::string(ShareText(share.share, share.exact).utf8_str()));
            found->second = Add(MapNodeKind::Result, m_results.size() - 1, std::move(lines));
        }
        return found->second;
    }

    // One box per target that names no question.
    size_t Unknown(const wxString& target)
    {
        const auto [found, added] = m_unknown.emplace(target, 0);
        if (added)
            found->second = Add(MapNodeKind::Unknown, m_unknown.size() - 1,
                                Lines({LabelText(Quoted(target), MAP_ID_CHARS)}));
        return found->second;
    }

    const QuizOutline& m_outline;
    MapGraph m_graph;
    std::vector<size_t> m_nodeOfBox;
    std::map<wxString, size_t> m_results;  // result to node
    std::map<wxString, size_t> m_unknown;
    std::map<wxString, ResultShare> m_shareOf;  // result to its share of players
};

std::string Number(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << value;
    return text.str();
}

std::string EffortAttributes(const MapEffort& effort)
{
    std::string attributes;
    if (effort.nslimit > 0)
        attributes += ", nslimit=" + Number(effort.nslimit);
    if (effort.nslimit1 > 0)
        attributes += ", nslimit1=" + Number(effort.nslimit1);
    if (effort.mclimit > 0)
        attributes += ", mclimit=" + Number(effort.mclimit);
    if (effort.searchsize > 0)
        attributes += ", searchsize=" + std::to_string(effort.searchsize);
    if (effort.answerOrder)
        attributes += ", ordering=out";
    return attributes;
}

std::string NodeAttributes(const MapNode& node)
{
    std::string label = "\"";
    for (const std::string& line : node.lines)
    {
        if (label.size() > 1)
            label += "\\n";
        const std::string quoted = DotString(line);
        label += quoted.substr(1, quoted.size() - 2);
    }
    std::string attributes = "label=" + label + '"';
    switch (node.kind)
    {
        case MapNodeKind::Question:
            if (node.entry)
                attributes += ", peripheries=2";
            // Both marks can hold at once: a loop nobody reaches is grey with a red border.
            if (node.unreachable)
                attributes += ", style=filled, fillcolor=grey85, fontcolor=grey30, color=grey45";
            if (node.trapped)
                attributes += ", color=red, fontcolor=red3, penwidth=1.6";
            break;
        case MapNodeKind::Result:
            if (node.unreachable)
                attributes += ", style=\"rounded,filled\", fillcolor=grey85, fontcolor=grey30, color=grey45";
            else
                attributes += ", style=\"rounded,filled\", fillcolor=\"#dcefd9\", color=\"#4f8a4a\"";
            break;
        case MapNodeKind::Unknown:
            attributes += ", style=dashed, color=red, fontcolor=red3";
            break;
    }
    return attributes;
}

// Each node's arrows, in order.
std::vector<std::vector<size_t>> Outgoing(const MapGraph& graph)
{
    std::vector<std::vector<size_t>> out(graph.nodes.size());
    for (size_t arrow = 0; arrow < graph.arrows.size(); ++arrow)
        out[graph.arrows[arrow].from].push_back(arrow);
    return out;
}

// The rows dot gives the boxes, about: it breaks loops where a depth-first
// walk in the order of the DOT closes them, puts each box below every box
// that leads to it and a box nothing leads to just above the first it
// leads to.
std::vector<long> DotRows(const MapGraph& graph)
{
    const size_t count = graph.nodes.size();
    const std::vector<std::vector<size_t>> out = Outgoing(graph);
    enum : char { UNSEEN, OPEN, DONE };
    std::vector<char> state(count, UNSEEN);
    std::vector<std::pair<size_t, size_t>> edges;  // loops broken
    for (size_t root = 0; root < count; ++root)
    {
        if (state[root] != UNSEEN)
            continue;
        std::vector<std::pair<size_t, size_t>> walk{{root, 0}};  // node, next of its arrows
        state[root] = OPEN;
        while (!walk.empty())
        {
            auto& [node, next] = walk.back();
            if (next == out[node].size())
            {
                state[node] = DONE;
                walk.pop_back();
                continue;
            }
            const size_t to = graph.arrows[out[node][next++]].to;
            if (to == node)
                continue;
            if (state[to] == OPEN)
                edges.emplace_back(to, node);
            else
                edges.emplace_back(node, to);
            if (state[to] == UNSEEN)
            {
                state[to] = OPEN;
                walk.emplace_back(to, 0);
            }
        }
    }
    std::vector<std::vector<size_t>> after(count);
    std::vector<size_t> before(count, 0);
    for (const auto& [from, to] : edges)
    {
        after[from].push_back(to);
        ++before[to];
    }
    std::vector<long> rows(count, 0);
    std::vector<size_t> ready;
    std::vector<size_t> waiting = before;
    for (size_t node = 0; node < count; ++node)
        if (waiting[node] == 0)
            ready.push_back(node);
    std::vector<size_t> order;
    while (!ready.empty())
    {
        const size_t node = ready.back();
        ready.pop_back();
        order.push_back(node);
        for (const size_t to : after[node])
        {
            rows[to] = std::max(rows[to], rows[node] + 1);
            if (--waiting[to] == 0)
                ready.push_back(to);
        }
    }
    for (auto node = order.rbegin(); node != order.rend(); ++node)
        if (before[*node] == 0 && !after[*node].empty() && !graph.nodes[*node].entry)
        {
            long first = rows[after[*node][0]];
            for (const size_t to : after[*node])
                first = std::min(first, rows[to]);
            rows[*node] = first - 1;
        }
    return rows;
}

// Each box's number of answers from the entry (then from each box not
// reached yet, in order): with these as rows no arrow goes down more than
// one row.
std::vector<long> Levels(const MapGraph& graph)
{
    const size_t count = graph.nodes.size();
    const std::vector<std::vector<size_t>> out = Outgoing(graph);
    std::vector<long> levels(count, -1);
    std::vector<size_t> roots;
    for (size_t node = 0; node < count; ++node)
        if (graph.nodes[node].entry)
            roots.push_back(node);
    for (size_t node = 0; node < count; ++node)
        roots.push_back(node);
    for (const size_t root : roots)
    {
        if (levels[root] >= 0)
            continue;
        levels[root] = 0;
        std::vector<size_t> front{root};
        for (size_t at = 0; at < front.size(); ++at)
            for (const size_t arrow : out[front[at]])
            {
                const size_t to = graph.arrows[arrow].to;
                if (levels[to] < 0)
                {
                    levels[to] = levels[front[at]] + 1;
                    front.push_back(to);
                }
            }
    }
    return levels;
}

// The work of a layout with these rows; `rowsPerRow` is how many rows dot
// makes of each (two where arrow labels get rows of their own).
MapWork WorkWith(const MapGraph& graph, const std::vector<long>& rows, double rowsPerRow)
{
    MapWork work;
    work.boxes = graph.nodes.size();
    work.arrows = graph.arrows.size();
    work.places = double(work.boxes);
    for (const MapArrow& arrow : graph.arrows)
    {
        const double passed = rowsPerRow * double(std::labs(rows[arrow.to] - rows[arrow.from]));
        work.places += std::max(1.0, passed);
        work.routing += passed * passed;
    }
    work.placing = double(work.boxes) * work.places;
    return work;
}

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

std::vector<std::string> WrapLabel(const wxString& text, size_t lineChars)
{
    LineFiller filler(lineChars);
    std::string piece;
    size_t chars = 0;
    bool afterSpace = false;
    char32_t last = 0;
    ForEachCharacter(LabelText(text, std::string::npos), [&](char32_t c) {
        const bool space = c == ' ';
        const bool breaks = chars > 0 && !space &&
            (((IsWide(last) || IsWide(c)) && !Contains(CLOSING, c) && !Contains(OPENING, last)) ||
             (IsHyphen(last) && chars > 1 && !IsHyphen(c)));
        if (space || breaks)
        {
            filler.Add(piece, chars, afterSpace);
            piece.clear();
            chars = 0;
            afterSpace = space;
        }
        if (space)
            return;
        AppendUtf8(piece, c);
        ++chars;
        last = c;
    });
    filler.Add(piece, chars, afterSpace);
    return filler.Lines();
}

MapGraph MakeMapGraph(const QuizOutline& outline)
{
    return MakeMapGraph(outline, BalanceOf(outline));
}

MapGraph MakeMapGraph(const QuizOutline& outline, const QuizBalance& balance)
{
    return GraphBuilder(outline).Build(balance);
}

MapMarks MarkPlace(const MapGraph& graph, const wxString& current, const std::vector<wxString>& wayBack)
{
    MapMarks marks;
    std::unordered_map<wxString, size_t> nodeOf;
    for (size_t index = 0; index < graph.nodes.size(); ++index)
        if (graph.nodes[index].kind == MapNodeKind::Question)
            nodeOf.emplace(graph.nodes[index].id, index);
    const auto found = nodeOf.find(current);
    if (current.empty() || found == nodeOf.end())
        return marks;
    marks.current = found->second;
    // The way as nodes, the current one first; a question met twice (after
    // an end, Prev shows the same question first) is not walked again.
    std::vector<size_t> way{found->second};
    std::unordered_set<size_t> seen{found->second};
    for (const wxString& id : wayBack)
    {
        const auto back = nodeOf.find(id);
        if (back == nodeOf.end())
            break;
        if (back->second == way.back())
            continue;
        way.push_back(back->second);
        if (!seen.insert(back->second).second)
            break;
        marks.wayNodes.push_back(back->second);
    }
    std::set<std::pair<size_t, size_t>> steps;
    for (size_t i = 1; i < way.size(); ++i)
        steps.emplace(way[i], way[i - 1]);
    for (size_t arrow = 0; arrow < graph.arrows.size(); ++arrow)
        if (steps.count({graph.arrows[arrow].from, graph.arrows[arrow].to}))
            marks.wayArrows.push_back(arrow);
    return marks;
}

std::string MapNodeName(const MapNode& node)
{
    const char prefix = node.kind == MapNodeKind::Question ? 'q' : node.kind == MapNodeKind::Result ? 'e' : 'u';
    return prefix + std::to_string(node.number);
}

std::string MapDot(const MapGraph& graph, const MapEffort& effort)
{
    std::string dot = "digraph quiz {\n"
                      "  graph [rankdir=TB, nodesep=0.3, ranksep=0.45, fontname=" + DotString(MAP_FONT) +
                      EffortAttributes(effort) + "];\n"
                      "  node [shape=box, fontname=" + DotString(MAP_FONT) + ", fontsize=11, margin=\"0.12,0.06\"];\n"
                      "  edge [fontname=" + DotString(MAP_FONT) + ", fontsize=9, color=grey35];\n";
    // Questions first, the entry leading and heading the ranks, so that the
    // layout, which breaks loops in the order it meets nodes, flows down
    // from it. Results and unknown targets follow where first needed.
    std::vector<bool> declared(graph.nodes.size(), false);
    const auto Declare = [&](size_t index) {
        if (declared[index])
            return;
        declared[index] = true;
        const MapNode& node = graph.nodes[index];
        dot += "  " + MapNodeName(node) + " [" + NodeAttributes(node) + "];\n";
        if (node.entry)
            dot += "  {rank=min; " + MapNodeName(node) + ";}\n";
    };
    for (size_t index = 0; index < graph.nodes.size(); ++index)
        if (graph.nodes[index].kind == MapNodeKind::Question)
            Declare(index);
    // By levels, only arrows one level down set the rows.
    const std::vector<long> levels = effort.levels ? Levels(graph) : std::vector<long>();
    for (const MapArrow& arrow : graph.arrows)
    {
        Declare(arrow.to);
        dot += "  " + MapNodeName(graph.nodes[arrow.from]) + " -> " + MapNodeName(graph.nodes[arrow.to]);
        if (!effort.levels)
            dot += " [label=" + DotString(arrow.label) + "];\n";
        else
            dot += std::string(levels[arrow.to] == levels[arrow.from] + 1 ? " [" : " [constraint=false, ") +
                   "xlabel=" + DotString(arrow.label) + "];\n";
    }
    // Boxes no arrow leads to (a result no ending names) last.
    for (size_t index = 0; index < graph.nodes.size(); ++index)
        Declare(index);
    return dot + "}\n";
}

std::string MapDot(const QuizOutline& outline)
{
    const MapGraph graph = MakeMapGraph(outline);
    return MapDot(graph, EffortFor(graph));
}

MapWork WorkFor(const MapGraph& graph)
{
    // Dot's own rows unless they make the map too slow and levels do not.
    const MapWork own = WorkWith(graph, DotRows(graph), 2);
    if (FitOf(own) != MapFit::TooManyArrows)
        return own;
    MapWork levels = WorkWith(graph, Levels(graph), 1);
    levels.levels = true;
    return FitOf(levels) == MapFit::Fits ? levels : own;
}

MapFit FitOf(const MapWork& work)
{
    if (work.boxes > MAP_MAX_BOXES)
        return MapFit::TooManyBoxes;
    if (work.placing > MAP_MAX_PLACING || work.routing > MAP_MAX_ROUTING)
        return MapFit::TooManyArrows;
    return MapFit::Fits;
}

MapEffort EffortFor(const MapWork& work)
{
    // Placing the boxes across (dot's network simplex) takes nearly all of
    // a large layout's time: some six passes per box, each costing in
    // proportion to the map, so the whole grows with the square of its
    // size. Up to FULL_EFFORT_BOXES that is still well under a second.
    // Beyond, each box's arrows keep the order of its answers, which makes
    // the crossing reduction nearly free and the placing shorter (for a
    // tenth more crossings: not worth it for smaller maps), and the passes
    // are cut with the square of the size,
    // but not below two per box: under that, boxes drift far from their
    // arrows (1,000 layered questions get arrows half again as long as
    // full effort's with two passes, twice as long with one; see
    // map_trade_bench). Only near the placing budget do they go down to
    // one, so that the largest map accepted takes no longer than the budget
    // was measured for. Arrows count by the points dot places for them:
    // nine places are a box with four answers to the next row, the map the
    // limits were measured on.
    const double boxes = std::max(double(work.boxes), work.places / 9);
    MapEffort effort;
    effort.levels = work.levels;
    if (boxes <= FULL_EFFORT_BOXES)
        return effort;
    const double scale = FULL_EFFORT_BOXES / boxes;
    effort.answerOrder = true;
    const double least =
        std::floor(10 * std::clamp(MAP_MAX_PLACING / std::max(1.0, work.placing), 1.0, MAP_MIN_PASSES)) / 10;
    effort.nslimit = std::max(least, std::round(65 * scale * scale) / 10);
    effort.nslimit1 = effort.nslimit;
    return effort;
}

MapEffort EffortFor(const MapGraph& graph)
{
    return EffortFor(WorkFor(graph));
}
