// The writer of wxXmlDocumentEx: a buffered, non-recursive serialiser of the
// toolkit's node tree, and the destructor that frees deep trees.
#include "widgets/xml_document_ex.h"

#include <wx/string.h>
#include <wx/fontmap.h>
#include <wx/strconv.h>
#include <wx/stream.h>
#include <wx/wfstream.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The scanner below reads wxString's storage directly: UTF-32 code points,
// or UTF-16 units where wchar_t has 16 bits (Windows).
static_assert(std::is_same<wxStringCharType, wchar_t>::value,
              "the writer expects wxString to hold wide characters");

namespace
{

using TextView = std::wstring_view;

TextView View(const wxString& text)
{
    return TextView(text.wx_str(), text.length());
}

constexpr bool UTF16 = sizeof(wchar_t) == 2;

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

struct TextChar
{
    char32_t code;  // the character
    size_t units;   // how many elements of the text it takes
};

// The character at text[i]. In UTF-16 one beyond U+FFFF is a pair of
// surrogates; a lone surrogate stands for itself (and is no XML character).
TextChar CharAt(TextView text, size_t i)
{
    const char32_t c = char32_t(text[i]);
    if (UTF16 && IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(char32_t(text[i + 1])))
        return {0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00), 2};
    return {c, 1};
}

// Collects bytes and hands them to the stream in large blocks: one write call
// per piece is what made the toolkit's writer slow.
class ByteSink
{
public:
    static constexpr size_t BLOCK = 64 * 1024;

    explicit ByteSink(wxOutputStream& stream) : m_stream(stream), m_data(new char[BLOCK]) {}

    // Room for `size` (at most BLOCK) bytes; fill it and pass the end to Commit.
    char* Reserve(size_t size)
    {
        if (m_used + size > BLOCK)
            Flush();
        return m_data.get() + m_used;
    }
    void Commit(const char* end) { m_used = end - m_data.get(); }

    void Append(const char* bytes, size_t size)
    {
        if (size > BLOCK)
        {
            Flush();
            Send(bytes, size);
            return;
        }
        std::memcpy(Reserve(size), bytes, size);
        m_used += size;
    }
    void Append(const char* text) { Append(text, std::strlen(text)); }
    // Literals: the size is known here, so the copy is a few moves.
    template <size_t N>
    void AppendLiteral(const char (&text)[N])
    {
        std::memcpy(Reserve(N - 1), text, N - 1);
        m_used += N - 1;
    }

    // Sends what is pending; false once any write has failed.
    bool Flush()
    {
        Send(m_data.get(), m_used);
        m_used = 0;
        return !m_failed;
    }

private:
    void Send(const char* bytes, size_t size)
    {
        // After a failure nothing more is sent: the save is lost anyway.
        if (m_failed || size == 0)
            return;
        m_failed = !m_stream.WriteAll(bytes, size) || !m_stream.IsOk();
    }

    wxOutputStream& m_stream;
    std::unique_ptr<char[]> m_data;
    size_t m_used = 0;
    bool m_failed = false;
};

// Turns runs of valid XML characters into the file encoding's bytes.
class TextEncoder
{
public:
    virtual ~TextEncoder() = default;
    // True when the bytes are UTF-8 and no character is refused: the writer
    // then encodes while it escapes, in one pass.
    virtual bool IsUtf8() const { return false; }
    // Appends `text` to `sink`; false, appending nothing, when the encoding
    // lacks one of its characters.
    virtual bool Encode(TextView text, ByteSink& sink) const = 0;
};

char* AppendUtf8(char* out, char32_t c)
{
    if (c < 0x80)
    {
        *out++ = char(c);
    }
    else if (c < 0x800)
    {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    else
    {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

// UTF-8 is done here in one pass, without the toolkit's converter: it is the
// encoding of nearly every file and the one that must be fast.
class Utf8Encoder : public TextEncoder
{
public:
    bool IsUtf8() const override { return true; }
    bool Encode(TextView text, ByteSink& sink) const override
    {
        constexpr size_t CHUNK = ByteSink::BLOCK / 4;
        for (size_t start = 0; start < text.size();)
        {
            size_t end = std::min(text.size(), start + CHUNK);
            // A surrogate pair stays in one chunk.
            if (UTF16 && end < text.size() && IsHighSurrogate(char32_t(text[end - 1])))
                --end;
            char* out = sink.Reserve((end - start) * 4);
            for (size_t i = start; i < end;)
            {
                const TextChar c = CharAt(text, i);
                out = AppendUtf8(out, c.code);
                i += c.units;
            }
            sink.Commit(out);
            start = end;
        }
        return true;
    }
};

// The toolkit's converter for the US-ASCII names is ISO-8859-1, which would
// put bytes above 0x7F in a file its reader rejects.
class AsciiEncoder : public Utf8Encoder
{
public:
    bool IsUtf8() const override { return false; }
    bool Encode(TextView text, ByteSink& sink) const override
    {
        const bool ascii = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
        return ascii && Utf8Encoder::Encode(text, sink);
    }
};

// Any other encoding goes through the toolkit's converter.
class ConvEncoder : public TextEncoder
{
public:
    explicit ConvEncoder(std::unique_ptr<wxCSConv> conv) : m_conv(std::move(conv)) {}

    bool Encode(TextView text, ByteSink& sink) const override
    {
        if (text.empty())
            return true;
        const size_t size = m_conv->FromWChar(nullptr, 0, text.data(), text.size());
        if (size == wxCONV_FAILED)
            return false;
        m_bytes.resize(size);
        if (m_conv->FromWChar(&m_bytes[0], size, text.data(), text.size()) == wxCONV_FAILED
            || !ReadsBackAs(text))
            return false;
        sink.Append(m_bytes.data(), size);
        return true;
    }

private:
    // Some converters substitute a character they lack instead of failing;
    // converting back shows the loss.
    bool ReadsBackAs(TextView text) const
    {
        const size_t length = m_conv->ToWChar(nullptr, 0, m_bytes.data(), m_bytes.size());
        if (length != text.size())
            return false;
        m_text.resize(length);
        return m_conv->ToWChar(&m_text[0], length, m_bytes.data(), m_bytes.size()) == length
            && TextView(m_text) == text;
    }

    std::unique_ptr<wxCSConv> m_conv;
    mutable std::string m_bytes;
    mutable std::wstring m_text;
};

// Markup is written as ASCII, so the file encoding must write ASCII as ASCII.
// Encodings with zero bytes (UTF-16, UTF-32) or shifted forms (UTF-7) would
// yield a file that is neither in their encoding nor readable.
bool KeepsAscii(const wxCSConv& conv)
{
    std::wstring probe = L"\t\n\r";
    for (wchar_t c = 0x20; c < 0x7F; ++c)
        probe += c;
    char bytes[256];
    const size_t size = conv.FromWChar(bytes, sizeof bytes, probe.data(), probe.size());
    return size == probe.size()
        && std::equal(probe.begin(), probe.end(), bytes,
                      [](wchar_t wide, char narrow) { return wide == wchar_t(narrow); });
}

// The encoder for the file encoding `name`, or null when it is unusable.
std::unique_ptr<TextEncoder> MakeEncoder(const wxString& name)
{
    if (name.IsSameAs(wxS("UTF-8"), false) || name.IsSameAs(wxS("UTF8"), false))
        return std::make_unique<Utf8Encoder>();
    // The font mapper's US-ASCII entry covers its aliases and the empty name.
    if (wxFontMapperBase::GetEncodingFromName(name) == wxFONTENCODING_DEFAULT)
        return std::make_unique<AsciiEncoder>();
    auto conv = std::make_unique<wxCSConv>(name);
    if (!conv->IsOk() || !KeepsAscii(*conv))
        return nullptr;
    return std::make_unique<ConvEncoder>(std::move(conv));
}

// Version and encoding go into the declaration unchanged; a quote, a space
// or "?>" there would break it. Empty values are written as they are.
bool IsDeclarationValue(const wxString& value)
{
    return std::all_of(value.begin(), value.end(), [](wxUniChar c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '.' || c == '_' || c == ':' || c == '-';
    });
}

bool IsXmlChar(char32_t c)
{
    return (c >= 0x20 && c <= 0xD7FF) || c == 0x9 || c == 0xA || c == 0xD
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Per ASCII character: the text written in its place, or null to keep it.
using EscapeTable = std::array<const char*, 128>;
// Marks the control characters XML cannot hold in any form.
constexpr const char INVALID_CHAR[] = "";

enum class EscapeContext { None, Text, Attribute };

constexpr EscapeTable MakeEscapes(EscapeContext context)
{
    EscapeTable table{};
    for (int c = 0; c < 0x20; ++c)
        table[c] = INVALID_CHAR;
    table['\t'] = nullptr;
    table['\n'] = nullptr;
    table['\r'] = nullptr;
    if (context == EscapeContext::None)
        return table;
    // Every "&", even one that looks like an entity already: "&amp;" in the
    // tree must read back as "&amp;", not "&".
    table['&'] = "&amp;";
    table['<'] = "&lt;";
    table['>'] = "&gt;";
    // The parser turns a literal "\r" into "\n"; a reference survives.
    table['\r'] = "&#13;";
    if (context == EscapeContext::Attribute)
    {
        table['"'] = "&quot;";
        // Attribute values read back with literal tabs and line ends turned
        // into spaces; references keep them.
        table['\t'] = "&#9;";
        table['\n'] = "&#10;";
    }
    return table;
}

constexpr EscapeTable PLAIN_ESCAPES = MakeEscapes(EscapeContext::None);
constexpr EscapeTable TEXT_ESCAPES = MakeEscapes(EscapeContext::Text);
constexpr EscapeTable ATTRIBUTE_ESCAPES = MakeEscapes(EscapeContext::Attribute);

enum EscapeFlags
{
    EscapeNone = 0,
    // Attribute values: the double quote and whitespace the parser would
    // normalise are replaced as well.
    EscapeQuotes = 1
};

class Writer
{
public:
    Writer(wxOutputStream& stream, const TextEncoder& encoder, int step)
        : m_sink(stream), m_encoder(encoder), m_utf8(encoder.IsUtf8()), m_step(step)
    {
    }

    bool WriteDocument(const wxString& version, const wxString& encoding, const wxXmlNode& root)
    {
        const wxString declaration = wxString::Format(
            wxS("<?xml version=\"%s\" encoding=\"%s\"?>\n"), version, encoding);
        const wxScopedCharBuffer utf8 = declaration.utf8_str();
        m_sink.Append(utf8.data(), utf8.length());
        WriteNode(root);
        WriteMarkup("\n");
        return m_sink.Flush() && !m_failed;
    }

private:
    template <size_t N>
    void WriteMarkup(const char (&markup)[N])
    {
        m_sink.AppendLiteral(markup);
    }
    void WriteBytes(const char* bytes) { m_sink.Append(bytes); }

    // Names, comment and CDATA content: nothing replaced, and a character the
    // encoding lacks fails the save.
    void WriteText(TextView text) { WriteChars(text, PLAIN_ESCAPES, false); }

    void WriteEscaped(const wxString& text, int flags)
    {
        WriteChars(View(text), (flags & EscapeQuotes) ? ATTRIBUTE_ESCAPES : TEXT_ESCAPES, true);
    }

    void WriteChars(TextView text, const EscapeTable& escapes, bool references)
    {
        // The one-pass path reads code points; UTF-16 text (Windows) takes the
        // encoder's path, which joins surrogate pairs.
        if (m_utf8 && !UTF16)
            WriteUtf8(text, escapes);
        else
            WriteConverted(text, escapes, references);
    }

    // Walks `text` keeping the pending run of unchanged characters, which
    // goes to the encoder in one piece at each replacement and at the end.
    // Kept out of line: inlined, it would slow every call of the UTF-8 path.
#if defined(__GNUC__)
    __attribute__((noinline))
#endif
    void WriteConverted(TextView text, const EscapeTable& escapes, bool references)
    {
        size_t run = 0;
        for (size_t i = 0; i < text.size(); ++i)
        {
            const char32_t c = char32_t(text[i]);
            const char* replacement = c < 0x80 ? escapes[c] : nullptr;
            if (replacement == nullptr)
            {
                if (c >= 0x80)
                {
                    const TextChar whole = CharAt(text, i);
                    if (!IsXmlChar(whole.code))
                        m_failed = true;
                    i += whole.units - 1;
                }
                continue;
            }
            if (replacement == INVALID_CHAR)
                m_failed = true;
            WriteRun(text.substr(run, i - run), references);
            WriteBytes(replacement);
            run = i + 1;
        }
        WriteRun(text.substr(run), references);
    }

    // The same for UTF-8, which lacks no character: escapes and encodes in one
    // pass straight into the sink. Most of a save's time is spent here.
    void WriteUtf8(TextView text, const EscapeTable& escapes)
    {
        // The longest replacement, "&quot;", is six bytes; UTF-8 needs four.
        constexpr size_t MOST_BYTES = 6;
        constexpr size_t CHUNK = ByteSink::BLOCK / MOST_BYTES;
        const wchar_t* in = text.data();
        const wchar_t* const end = in + text.size();
        do
        {
            const wchar_t* const stop = in + std::min(size_t(end - in), CHUNK);
            char* const out = m_sink.Reserve(size_t(stop - in) * MOST_BYTES);
            m_sink.Commit(EncodeUtf8(in, stop, escapes, out));
            in = stop;
        } while (in != end);
    }

    // Runs of plain ASCII go eight (or four) at a time; a block holding
    // anything else goes character by character.
    char* EncodeUtf8(const wchar_t* in, const wchar_t* end, const EscapeTable& escapes, char* out)
    {
        while (end - in >= 8)
        {
            if (CopyPlainAscii<8>(in, out))
            {
                in += 8;
                out += 8;
                continue;
            }
            for (const wchar_t* const block = in + 8; in != block; ++in)
                out = EncodeOne(char32_t(*in), escapes, out);
        }
        if (end - in >= 4 && CopyPlainAscii<4>(in, out))
        {
            in += 4;
            out += 4;
        }
        for (; in != end; ++in)
            out = EncodeOne(char32_t(*in), escapes, out);
        return out;
    }

    // Writes the N (4 or 8) characters at `in` as N bytes when each is ASCII
    // and none is a control character or one that any context replaces.
    template <int N>
    static bool CopyPlainAscii(const wchar_t* in, char* out)
    {
#if defined(__SSE2__)
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i high =
            N == 8 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4)) : low;
        // Signed saturation keeps anything outside 0..0x7FFF outside 0x20..0x7E.
        const __m128i chars = _mm_packs_epi32(low, high);
        __m128i special = _mm_or_si128(_mm_cmplt_epi16(chars, _mm_set1_epi16(0x20)),
                                       _mm_cmpgt_epi16(chars, _mm_set1_epi16(0x7E)));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(chars, _mm_set1_epi16('&')));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(chars, _mm_set1_epi16('<')));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(chars, _mm_set1_epi16('>')));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(chars, _mm_set1_epi16('"')));
        if ((_mm_movemask_epi8(special) & (N == 8 ? 0xFFFF : 0xFF)) != 0)
            return false;
        const __m128i bytes = _mm_packus_epi16(chars, chars);
        if (N == 8)
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
        else
        {
            const int four = _mm_cvtsi128_si32(bytes);
            std::memcpy(out, &four, 4);
        }
        return true;
#else
        for (int i = 0; i < N; ++i)
        {
            const wchar_t c = in[i];
            if (c < 0x20 || c > 0x7E || c == '&' || c == '<' || c == '>' || c == '"')
                return false;
        }
        for (int i = 0; i < N; ++i)
            out[i] = char(in[i]);
        return true;
#endif
    }

    char* EncodeOne(char32_t c, const EscapeTable& escapes, char* out)
    {
        if (c < 0x80)
        {
            const char* replacement = escapes[c];
            if (replacement == nullptr)
            {
                *out++ = char(c);
            }
            else if (replacement == INVALID_CHAR)
            {
                m_failed = true;
            }
            else
            {
                const size_t size = std::strlen(replacement);
                std::memcpy(out, replacement, size);
                out += size;
            }
            return out;
        }
        // Chinese and most other scripts: three bytes, always allowed.
        if (c >= 0x800 && c < 0xD800)
        {
            out[0] = char(0xE0 | (c >> 12));
            out[1] = char(0x80 | ((c >> 6) & 0x3F));
            out[2] = char(0x80 | (c & 0x3F));
            return out + 3;
        }
        if (c >= 0xD800 && !IsXmlChar(c))
            m_failed = true;
        return AppendUtf8(out, c);
    }

    void WriteRun(TextView run, bool references)
    {
        if (m_encoder.Encode(run, m_sink))
            return;
        if (!references)
        {
            m_failed = true;
            return;
        }
        // Again one character at a time, so only those the encoding lacks
        // become references.
        for (size_t i = 0; i < run.size();)
        {
            const TextChar c = CharAt(run, i);
            if (!m_encoder.Encode(run.substr(i, c.units), m_sink))
                WriteBytes(wxString::Format(wxS("&#%u;"), unsigned(c.code)).utf8_str());
            i += c.units;
        }
    }

    void WriteIndent(size_t depth)
    {
        const size_t size = 1 + 2 * depth * size_t(m_step);
        if (size <= SHORT_INDENT)
        {
            // A copy of fixed size is a few moves; the bytes after `size`
            // are overwritten by what follows.
            char* const out = m_sink.Reserve(SHORT_INDENT);
            std::memcpy(out, m_indent.data(), SHORT_INDENT);
            m_sink.Commit(out + size);
            return;
        }
        if (m_indent.size() < size)
            m_indent.resize(size, ' ');
        m_sink.Append(m_indent.data(), size);
    }

    // Indentation goes between two nodes (a tag counting as a node) neither
    // of which is text, so text stays on the line of its tags and never
    // gains blanks: in mixed content they would read back as part of it.
    // `before` or `after` is null for the parent's start or end tag.
    void WriteIndentBetween(const wxXmlNode* before, const wxXmlNode* after, size_t depth)
    {
        const auto isText = [](const wxXmlNode* node) {
            return node != nullptr && node->GetType() == wxXML_TEXT_NODE;
        };
        if (m_step >= 0 && !isText(before) && !isText(after))
            WriteIndent(depth);
    }

    // Writes `root` and its subtree with an explicit stack of open elements:
    // files can nest deeper than the call stack allows recursion.
    void WriteNode(const wxXmlNode& root)
    {
        std::vector<const wxXmlNode*> open;
        const wxXmlNode* node = &root;
        while (!m_failed)
        {
            if (WriteOpening(*node))
            {
                open.push_back(node);
                node = node->GetChildren();
                WriteIndentBetween(nullptr, node, open.size());
                continue;
            }
            while (!open.empty() && node->GetNext() == nullptr)
            {
                const wxXmlNode* lastChild = node;
                node = open.back();
                open.pop_back();
                WriteIndentBetween(lastChild, nullptr, open.size());
                WriteMarkup("</");
                WriteText(View(node->GetName()));
                WriteMarkup(">");
            }
            if (open.empty())
                return;
            WriteIndentBetween(node, node->GetNext(), open.size());
            node = node->GetNext();
        }
    }

    // Writes a node, or just the start tag of an element with children, in
    // which case it returns true and the children come next. Node types that
    // are not written (processing instructions, ...) are skipped whole.
    bool WriteOpening(const wxXmlNode& node)
    {
        switch (node.GetType())
        {
        case wxXML_TEXT_NODE:
            WriteEscaped(node.GetContent(), EscapeNone);
            return false;
        case wxXML_CDATA_SECTION_NODE:
            WriteCData(View(node.GetContent()));
            return false;
        case wxXML_COMMENT_NODE:
            WriteComment(View(node.GetContent()));
            return false;
        case wxXML_ELEMENT_NODE:
            return WriteStartTag(node);
        default:
            return false;
        }
    }

    bool WriteStartTag(const wxXmlNode& element)
    {
        WriteMarkup("<");
        WriteText(View(element.GetName()));
        for (const wxXmlAttribute* attr = element.GetAttributes(); attr; attr = attr->GetNext())
        {
            WriteMarkup(" ");
            WriteText(View(attr->GetName()));
            WriteMarkup("=\"");
            WriteEscaped(attr->GetValue(), EscapeQuotes);
            WriteMarkup("\"");
        }
        const bool hasChildren = element.GetChildren() != nullptr;
        if (hasChildren)
            WriteMarkup(">");
        else
            WriteMarkup("/>");
        return hasChildren;
    }

    // "]]>" would end the section early: it is split between "]]" and ">"
    // into consecutive sections, which read back as the same text.
    void WriteCData(TextView content)
    {
        WriteMarkup("<![CDATA[");
        size_t start = 0;
        for (size_t at = content.find(L"]]>"); at != TextView::npos;
             at = content.find(L"]]>", at + 1))
        {
            WriteText(content.substr(start, at + 2 - start));
            WriteMarkup("]]><![CDATA[");
            start = at + 2;
        }
        WriteText(content.substr(start));
        WriteMarkup("]]>");
    }

    // A comment may hold neither "--" nor a final "-", and has no escapes: a
    // space follows each hyphen that precedes another or ends the content.
    // The comment reads back with those spaces.
    void WriteComment(TextView content)
    {
        WriteMarkup("<!--");
        size_t start = 0;
        for (size_t i = 0; i < content.size(); ++i)
        {
            if (content[i] == L'-' && (i + 1 == content.size() || content[i + 1] == L'-'))
            {
                WriteText(content.substr(start, i + 1 - start));
                WriteMarkup(" ");
                start = i + 1;
            }
        }
        WriteText(content.substr(start));
        WriteMarkup("-->");
    }

    ByteSink m_sink;
    const TextEncoder& m_encoder;
    const bool m_utf8;
    const int m_step;
    // A line end and the deepest indentation so far; each indent is a prefix.
    static constexpr size_t SHORT_INDENT = 16;
    std::string m_indent = std::string("\n") + std::string(SHORT_INDENT - 1, ' ');
    // Set when the tree holds something this encoding or XML cannot express.
    bool m_failed = false;
};

// Moves the children of `node` to `pending`, leaving it childless.
void DetachChildren(wxXmlNode& node, std::vector<wxXmlNode*>& pending)
{
    for (wxXmlNode* child = node.GetChildren(); child; child = child->GetNext())
        pending.push_back(child);
    node.SetChildren(nullptr);
}

} // namespace

wxXmlDocumentEx::~wxXmlDocumentEx()
{
    // A node's destructor frees its children recursively, which overflows the
    // stack on deep trees: take the tree apart so each node dies childless.
    wxXmlNode* top = GetDocumentNode();
    if (top == nullptr)
        return;
    std::vector<wxXmlNode*> pending;
    DetachChildren(*top, pending);
    while (!pending.empty())
    {
        wxXmlNode* node = pending.back();
        pending.pop_back();
        DetachChildren(*node, pending);
        delete node;
    }
}

bool wxXmlDocumentEx::Save(const wxString& filename, int indentstep) const
{
    wxFileOutputStream stream(filename);
    if (!stream.IsOk())
        return false;
    const bool written = Save(static_cast<wxOutputStream&>(stream), indentstep);
    // Closing can report a failure of its own (a full disk on some systems).
    const bool closed = stream.Close();
    return written && closed;
}

bool wxXmlDocumentEx::Save(wxOutputStream& stream, int indentstep) const
{
    const wxXmlNode* root = GetRoot();
    if (root == nullptr || !IsDeclarationValue(GetVersion())
        || !IsDeclarationValue(GetFileEncoding()))
        return false;
    const std::unique_ptr<TextEncoder> encoder = MakeEncoder(GetFileEncoding());
    if (!encoder)
        return false;
    Writer writer(stream, *encoder, indentstep);
    return writer.WriteDocument(GetVersion(), GetFileEncoding(), *root);
}
