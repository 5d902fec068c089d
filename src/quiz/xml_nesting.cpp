// Shape scan of XML text: nesting depth and the cost of long texts.
#include "quiz/xml_nesting.h"

#include <cstring>

namespace
{

class Scanner
{
public:
    Scanner(const char* data, size_t size) : m_p(data), m_end(data + size) {}

    bool AtEnd() const { return m_p >= m_end; }

    bool StartsWith(const char* prefix) const
    {
        const size_t n = std::strlen(prefix);
        return static_cast<size_t>(m_end - m_p) >= n && std::memcmp(m_p, prefix, n) == 0;
    }

    // Moves past the next occurrence of `terminator`, or to the end.
    void SkipPast(const char* terminator)
    {
        const size_t n = std::strlen(terminator);
        while (m_p < m_end)
        {
            const void* hit = std::memchr(m_p, terminator[0], m_end - m_p);
            if (!hit)
                break;
            m_p = static_cast<const char*>(hit);
            if (StartsWith(terminator))
            {
                m_p += n;
                return;
            }
            ++m_p;
        }
        m_p = m_end;
    }

    // Moves to the next '<' outside markup; returns the work of joining
    // the text passed over.
    unsigned long long SkipText()
    {
        const void* hit = std::memchr(m_p, '<', m_end - m_p);
        const char* end = hit ? static_cast<const char*>(hit) : m_end;
        const unsigned long long work = TextWork(m_p, end, false);
        m_p = end;
        return work;
    }

    // Moves past the end of a CDATA section whose content starts here;
    // returns the work of joining that content.
    unsigned long long SkipCdata()
    {
        const char* start = m_p;
        SkipPast("]]>");
        return TextWork(start, m_p, true);
    }

    // Skips a tag body up to and past its '>', honouring quoted values.
    // Returns the character before the '>' (to tell "<a/>" from "<a>").
    char SkipTag()
    {
        char last = 0;
        char quote = 0;
        for (; m_p < m_end; ++m_p)
        {
            const char c = *m_p;
            if (quote)
            {
                if (c == quote)
                    quote = 0;
            }
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
            {
                ++m_p;
                return last;
            }
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                last = c;
        }
        return last;
    }

    // Skips "<!DOCTYPE ...>" including an internal subset, whose entity
    // values, comments and processing instructions may hold '>' and quotes.
    void SkipDeclaration()
    {
        int brackets = 0;
        char quote = 0;
        while (m_p < m_end)
        {
            if (!quote && StartsWith("<!--"))
            {
                SkipPast("-->");
                continue;
            }
            if (!quote && StartsWith("<?"))
            {
                SkipPast("?>");
                continue;
            }
            const char c = *m_p++;
            if (quote)
            {
                if (c == quote)
                    quote = 0;
            }
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '[')
                ++brackets;
            else if (c == ']')
                --brackets;
            else if (c == '>' && brackets <= 0)
                return;
        }
    }

    void Advance(size_t n) { m_p += n; }
    const char* Position() const { return m_p; }

private:
    static unsigned long long TextWork(const char* begin, const char* end, bool cdata)
    {
        const size_t length = end - begin;
        unsigned long long pieces = length / 1024;
        bool blank = !cdata;
        for (const char* p = begin; p < end; ++p)
        {
            const char c = *p;
            if (c == '\n' || c == '&')
                pieces += 2;
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                blank = false;
        }
        return blank ? 0 : pieces * length;
    }

    const char* m_p;
    const char* m_end;
};

} // namespace

XmlShape MeasureXmlShape(const char* data, size_t size, unsigned depthLimit)
{
    Scanner scan(data, size);
    XmlShape shape;
    unsigned depth = 0;
    while (!scan.AtEnd())
    {
        shape.textWork += scan.SkipText();
        if (scan.AtEnd())
            break;
        const char* token = scan.Position();
        if (scan.StartsWith("<![CDATA["))
        {
            scan.Advance(9);
            shape.textWork += scan.SkipCdata();
            continue;  // handed over in pieces as it is read, never rescanned
        }
        if (scan.StartsWith("<!--"))
            scan.SkipPast("-->");
        else if (scan.StartsWith("<?"))
            scan.SkipPast("?>");
        else if (scan.StartsWith("<!"))
            scan.SkipDeclaration();
        else if (scan.StartsWith("</"))
        {
            scan.SkipTag();
            if (depth > 0)
                --depth;
        }
        else
        {
            scan.Advance(1);
            if (scan.SkipTag() != '/' && ++depth > shape.depth)
            {
                shape.depth = depth;
                if (depth > depthLimit)
                    break;
            }
        }
        const unsigned long long length = scan.Position() - token;
        shape.markupWork += length / 1024 * length / 2;
    }
    return shape;
}

bool XmlNestingExceeds(const char* data, size_t size, unsigned limit)
{
    return MeasureXmlShape(data, size, limit).depth > limit;
}
