// The map of a quiz: its outline as a graph of boxes and arrows, with the
// problems the analysis found marked on it, and that graph in DOT form for
// Graphviz. GUI-free, so that the checker and the window share it.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct QuizBalance;
struct QuizOutline;

// Characters of each text a map shows; longer ones are cut and end in "…".
constexpr size_t MAP_QUESTION_CHARS = 16;
constexpr size_t MAP_ANSWER_CHARS = 12;
constexpr size_t MAP_ID_CHARS = 24;
// A result's name is never cut: it is wrapped into lines of about this many
// characters, as many as it takes.
constexpr size_t MAP_RESULT_LINE_CHARS = 16;

// Families the labels are drawn with: one that has the Chinese characters
// first, then the viewer's own sans-serif.
extern const char MAP_FONT[];
// Label sizes in points, as the layout measured them.
constexpr double MAP_BOX_FONT_SIZE = 11;
constexpr double MAP_ARROW_FONT_SIZE = 9;
// Gap between the two borders of the entry question's box, in points.
constexpr double MAP_ENTRY_BORDER_GAP = 4;

enum class MapNodeKind
{
    Question,  // a question the application keeps
    Result,    // one box per result (see ResultOf); its last line is its share of players
    Unknown    // a target that names no question
};

struct MapNode
{
    MapNodeKind kind = MapNodeKind::Question;
    // Question: its index in the outline's boxes; the others: their number
    // among the boxes of their kind.
    size_t number = 0;
    wxString id;                     // a question's ID
    std::vector<std::string> lines;  // the label, line by line, UTF-8, none empty
    bool entry = false;              // the question the quiz starts with
    bool unreachable = false;        // no way leads to it from the entry (a result: no ending names it)
    bool trapped = false;            // no way leads from it to an end
};

struct MapArrow
{
    size_t from = 0;     // node indices
    size_t to = 0;
    size_t answer = 0;   // index of the answer among the question's answers
    std::string label;   // UTF-8, may be empty
};

// The boxes in the order the DOT declares them (the entry first) and the
// arrows question by question, answer by answer.
struct MapGraph
{
    std::vector<MapNode> nodes;
    std::vector<MapArrow> arrows;
};

// How hard Graphviz's dot works at a layout (its graph attributes of the
// same names); zero leaves dot's own default, which is its full effort.
struct MapEffort
{
    double nslimit = 0;    // network simplex passes for ranking and placing, per node
    double nslimit1 = 0;
    double mclimit = 0;    // scale of the crossing reduction's passes
    int searchsize = 0;    // edges searched for one simplex step
    // Each box's arrows left to right in the order of its answers (dot's
    // ordering=out): the crossing reduction then only orders the boxes,
    // and the placing that follows needs fewer passes.
    bool answerOrder = false;
    // Rows by the answers from the entry instead of dot's own ranking, with
    // the arrows' labels placed beside them after the layout rather than
    // given rows of their own: for densely linked maps, whose arrows dot's
    // own rows would draw across dozens of rows.
    bool levels = false;

    bool Full() const
    {
        return nslimit == 0 && nslimit1 == 0 && mclimit == 0 && searchsize == 0 && !answerOrder && !levels;
    }
};

MapGraph MakeMapGraph(const QuizOutline& outline);
// The same with the outline's balance already worked out (BalanceOf).
MapGraph MakeMapGraph(const QuizOutline& outline, const QuizBalance& balance);

// What a map marks of where the player stands: the box of the question on
// screen, and the way taken to it (the boxes before it and every arrow
// from one to the next).
struct MapMarks
{
    std::optional<size_t> current;  // node index
    std::vector<size_t> wayNodes;   // nearest first, without the current one
    std::vector<size_t> wayArrows;  // arrow indices
};

// The marks of a place given by question IDs: `current` and the questions
// Prev would show, nearest first. Where a question is not on the map the
// way stops, and where the way meets a question again it closes there.
MapMarks MarkPlace(const MapGraph& graph, const wxString& current, const std::vector<wxString>& wayBack);

// Maps with more boxes are not laid out for the window: it would take
// minutes.
constexpr size_t MAP_MAX_BOXES = 3000;

// What a layout will cost, estimated from the rows dot will give the boxes
// (see bench/map for the measurements behind it). Dot works on every box
// and on a point of each arrow in every row it passes; placing them takes
// a pass per box over all of them, and each arrow's route costs about the
// square of its rows.
struct MapWork
{
    size_t boxes = 0;
    size_t arrows = 0;
    double places = 0;   // boxes and arrow points in the rows
    double placing = 0;  // boxes times places
    double routing = 0;  // the sum of the squares of the arrows' rows
    bool levels = false; // laid out by levels from the entry (see MapEffort)
};
MapWork WorkFor(const MapGraph& graph);

// The arrow budget: beyond it a map takes more than a few seconds to lay
// out, so the window refuses it, as it refuses one of too many boxes.
constexpr double MAP_MAX_PLACING = 25e6;
constexpr double MAP_MAX_ROUTING = 3e5;

enum class MapFit
{
    Fits,
    TooManyBoxes,
    TooManyArrows  // too many, or too long, for the arrow budget
};
MapFit FitOf(const MapWork& work);

// The effort a map of this size gets: full up to FULL_EFFORT_BOXES boxes
// with up to four short arrows each, then less as the map grows, so that a
// large one lays out in about a second instead of several.
constexpr size_t FULL_EFFORT_BOXES = 400;
constexpr double MAP_MIN_PASSES = 2;  // placing passes per box, at the least, within the budget
MapEffort EffortFor(const MapWork& work);
MapEffort EffortFor(const MapGraph& graph);

// The map's node name in DOT (q0, e0, u0...): IDs and texts only ever
// appear inside escaped labels.
std::string MapNodeName(const MapNode& node);

// The graph as DOT, UTF-8, laid out with `effort`.
std::string MapDot(const MapGraph& graph, const MapEffort& effort);
// The outline's map as DOT, with the effort its size gets.
std::string MapDot(const QuizOutline& outline);

// `text` as a label line: runs of blanks and control characters become one
// space, the ends are trimmed, and at most `chars` characters are kept, with
// "…" after a cut. UTF-8.
std::string LabelText(const wxString& text, size_t chars);
// `text` as lines of a label, blanks collapsed as LabelText does, none cut:
// lines break at spaces, after a hyphen inside a word, and beside the
// characters of scripts written without spaces (Chinese, Japanese), but
// never before closing punctuation or after opening punctuation; each
// line holds as many words as fit in `lineChars` characters, and a longer
// word a line of its own. UTF-8.
std::vector<std::string> WrapLabel(const wxString& text, size_t lineChars);
