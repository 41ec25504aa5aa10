#include "model/texture_path_substitution.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "model/model_image.h"
#include "model/texture_field.h"

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

std::size_t FindAtCharacterStarts(std::string_view text, std::size_t start,
                                  std::string_view needle, const CLeadByteSet& leadBytes)
{
    for (std::size_t at = start; at + needle.size() <= text.size();) {
        if (text.compare(at, needle.size(), needle) == 0)
            return at;
        at += leadBytes.IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
    }
    return kNotFound;
}

// One needle searched in many texts. Whether the code page has lead bytes is
// settled once here rather than for every text.
class PathPartSearch {
public:
    PathPartSearch(std::string_view needle, const CLeadByteSet& leadBytes)
        : m_needle(needle), m_leadBytes(leadBytes.IsEmpty() ? nullptr : &leadBytes)
    {
    }

    std::size_t NeedleSize() const { return m_needle.size(); }

    std::size_t Find(std::string_view text, std::size_t start) const
    {
        if (m_needle.empty())
            return start <= text.size() ? start : kNotFound;
        return m_leadBytes ? FindAtCharacterStarts(text, start, m_needle, *m_leadBytes)
                           : text.find(m_needle, start);
    }

private:
    std::string_view m_needle;
    const CLeadByteSet* m_leadBytes;
};

// Hands the parts of the replaced text to append in order: the text between
// occurrences and the target for each occurrence, the first one being at
// first. An empty source has no occurrences.
template <class Append>
void ForEachReplacedPart(std::string_view text, std::size_t first, const PathPartSearch& source,
                         std::string_view target, Append append)
{
    std::size_t copied = 0;
    for (std::size_t at = source.NeedleSize() ? first : kNotFound; at != kNotFound;
         at = source.Find(text, copied)) {
        append(text.substr(copied, at - copied));
        append(target);
        copied = at + source.NeedleSize();
    }
    append(text.substr(copied));
}

// Up to a field's length of bytes with room for as many after them, so that a
// part starting anywhere among them can be copied as one block of a field's
// length.
class PaddedBytes {
public:
    PaddedBytes(const char* bytes, std::size_t count) { std::memcpy(m_bytes, bytes, count); }
    std::string_view View(std::size_t size) const { return {m_bytes, size}; }

private:
    char m_bytes[2 * kTextureFieldSize] = {};
};

// The text of one field after the replacement. Each part is copied as a
// block of a field's length, which costs far less than a copy of varying
// length; what a block brings in past its part is overwritten by the next
// part or cleared by StoreIn.
class FieldResult {
public:
    // part lies in PaddedBytes, or is longer than any path and so never copied.
    void Append(std::string_view part)
    {
        // Once a part does not fit, no later one does: the length only grows.
        if (m_length + part.size() <= kMaxTexturePath)
            std::memcpy(m_bytes + m_length, part.data(), kTextureFieldSize);
        m_length += part.size();
    }
    bool IsOverLong() const { return m_length > kMaxTexturePath; }

    // Bytes 0 to 30 get the result and zeros; byte 31 gets a zero only when
    // the result fills bytes 0 to 30, so that every written field stays
    // terminated.
    void StoreIn(char* field)
    {
        std::memset(m_bytes + m_length, 0, kTextureFieldSize);
        std::memcpy(field, m_bytes, kMaxTexturePath);
        if (m_length == kMaxTexturePath)
            field[kMaxTexturePath] = 0;
    }

private:
    char m_bytes[2 * kTextureFieldSize];
    std::size_t m_length = 0;
};

// One entry of the run. False when the result would exceed 31 bytes; the
// field is then left as it was.
bool ReplaceInField(char* field, const PathPartSearch& source, std::string_view paddedTarget)
{
    const std::string_view text = TextureFieldText(field);
    const std::size_t first = source.Find(text, 0);
    if (first == kNotFound)
        return true;
    const PaddedBytes padded(field, kTextureFieldSize);
    FieldResult result;
    ForEachReplacedPart(padded.View(text.size()), first, source, paddedTarget,
                        [&result](std::string_view part) { result.Append(part); });
    if (result.IsOverLong())
        return false;
    result.StoreIn(field);
    return true;
}

// Gathers the faces of a planned substitution path by path.
class ReplacementPlanner {
public:
    ReplacementPlanner(std::string_view source, std::string_view target, const CLeadByteSet& leadBytes)
        : m_source(source), m_target(target), m_leadBytes(leadBytes)
    {
    }

    void AddFace(std::string_view path, std::size_t face)
    {
        // Faces of one texture usually follow each other, so the last path is
        // checked first. An empty path, the first one assumed, never changes.
        if (path != m_lastPath) {
            m_lastChange = ChangeOf(path, face);
            m_lastPath = path;
        }
        if (m_lastChange != kUnchanged)
            ++m_changes[m_lastChange].faceCount;
    }

    std::vector<TexturePathChange> Take() { return std::move(m_changes); }

private:
    static constexpr std::size_t kUnchanged = static_cast<std::size_t>(-1);

    // The index of path's change, added at its first face; kUnchanged for a path that stays.
    std::size_t ChangeOf(std::string_view path, std::size_t face)
    {
        if (FindTexturePathPart(path, 0, m_source, m_leadBytes) == std::string_view::npos)
            return kUnchanged;
        const auto [entry, added] = m_changeOfPath.try_emplace(path, kUnchanged);
        if (added) {
            std::string replaced = ReplaceAllOccurrences(path, m_source, m_target, m_leadBytes);
            if (replaced != path) {
                entry->second = m_changes.size();
                m_changes.push_back({path, std::move(replaced), face, 0});
            }
        }
        return entry->second;
    }

    std::string_view m_source;
    std::string_view m_target;
    const CLeadByteSet& m_leadBytes;
    std::vector<TexturePathChange> m_changes;
    std::unordered_map<std::string_view, std::size_t> m_changeOfPath;
    std::string_view m_lastPath;
    std::size_t m_lastChange = kUnchanged;
};

}  // namespace

std::size_t FindTexturePathPart(std::string_view text, std::size_t start, std::string_view needle,
                                const CLeadByteSet& leadBytes)
{
    return PathPartSearch(needle, leadBytes).Find(text, start);
}

std::string ReplaceAllOccurrences(std::string_view text, std::string_view source,
                                  std::string_view target, const CLeadByteSet& leadBytes)
{
    const PathPartSearch search(source, leadBytes);
    std::string result;
    ForEachReplacedPart(text, search.Find(text, 0), search, target,
                        [&result](std::string_view part) { result += part; });
    return result;
}

bool CModelImage::ReplaceTexturePaths(const CString& source, const CString& target)
{
    return ReplaceTexturePaths(source, target, AfxGetAnsiLeadBytes());
}

bool CModelImage::ReplaceTexturePaths(const CString& source, const CString& target,
                                      const CLeadByteSet& leadBytes)
{
    const PathPartSearch search(source.View(), leadBytes);
    const std::string_view to = target.View();
    const PaddedBytes padded(to.data(), std::min<std::size_t>(to.size(), kTextureFieldSize));
    const std::string_view paddedTarget = to.size() <= kMaxTexturePath ? padded.View(to.size()) : to;
    for (char* field : m_textureFields) {
        if (!ReplaceInField(field, search, paddedTarget))
            return false;
    }
    return true;
}

std::vector<TexturePathChange> CModelImage::PlanTexturePathReplacement(const CString& source,
                                                                       const CString& target,
                                                                       const CLeadByteSet& leadBytes) const
{
    ReplacementPlanner planner(source.View(), target.View(), leadBytes);
    for (std::size_t face = 0; face < m_textureFields.size(); ++face)
        planner.AddFace(TextureFieldText(m_textureFields[face]), face);
    return planner.Take();
}
