// Element-depth scan of XML text.
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

    // Moves to the next '<' outside markup.
    void SkipText()
    {
        const void* hit = std::memchr(m_p, '<', m_end - m_p);
        m_p = hit ? static_cast<const char*>(hit) : m_end;
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

private:
    const char* m_p;
    const char* m_end;
};

} // namespace

bool XmlNestingExceeds(const char* data, size_t size, unsigned limit)
{
    Scanner scan(data, size);
    unsigned depth = 0;
    while (!scan.AtEnd())
    {
        scan.SkipText();
        if (scan.AtEnd())
            break;
        if (scan.StartsWith("<!--"))
            scan.SkipPast("-->");
        else if (scan.StartsWith("<![CDATA["))
            scan.SkipPast("]]>");
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
            if (scan.SkipTag() != '/' && ++depth > limit)
                return true;
        }
    }
    return false;
}
