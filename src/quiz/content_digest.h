// How versions of a quiz file are told apart: by their content.
#pragma once

#include <cstddef>
#include <cstdint>

// FNV-1a over the bytes: a version is told from the one before by its
// content, not by the file's time and size, which a quick save can leave as
// they were. Fed piece by piece, it gives the digest of the whole.
class ContentDigest
{
public:
    void Add(const void* data, size_t size)
    {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i)
        {
            m_hash ^= bytes[i];
            m_hash *= 1099511628211ULL;
        }
        m_size += size;
    }
    std::uint64_t Value() const { return m_hash; }
    size_t Size() const { return m_size; }

private:
    std::uint64_t m_hash = 14695981039346656037ULL;
    size_t m_size = 0;
};

// What a file's content is recognised by: the digest and size of its bytes.
struct FileIdentity
{
    std::uint64_t digest = 0;
    size_t size = 0;
    bool known = false;  // false: no content known (never read, or no file)

    static FileIdentity Of(const void* data, size_t size)
    {
        ContentDigest digest;
        digest.Add(data, size);
        return FileIdentity{digest.Value(), digest.Size(), true};
    }
    bool operator==(const FileIdentity& other) const
    {
        return known == other.known && digest == other.digest && size == other.size;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};
