#include "model/texture_path_substitution.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "model/model_image.h"
#include "model/texture_field.h"

namespace {

std::size_t FindAtCharacterStarts(std::string_view text, std::size_t start,
                                  std::string_view needle, const CLeadByteSet& leadBytes)
{
    for (std::size_t at = start; at + needle.size() <= text.size();) {
        if (text.compare(at, needle.size(), needle) == 0)
            return at;
        at += leadBytes.IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
    }
    return std::string_view::npos;
}

// The next occurrence to replace; an empty source has none.
std::size_t NextOccurrence(std::string_view text, std::size_t start, std::string_view source,
                           const CLeadByteSet& leadBytes)
{
    return source.empty() ? std::string_view::npos
                          : FindTexturePathPart(text, start, source, leadBytes);
}

std::size_t CountOccurrences(std::string_view text, std::string_view source,
                             const CLeadByteSet& leadBytes)
{
    std::size_t count = 0;
    for (std::size_t at = NextOccurrence(text, 0, source, leadBytes);
         at != std::string_view::npos;
         at = NextOccurrence(text, at + source.size(), source, leadBytes)) {
        ++count;
    }
    return count;
}

char* Append(char* out, std::string_view part) { return std::copy(part.begin(), part.end(), out); }

// Writes the replaced text to out, which must hold its whole length.
void WriteReplaced(std::string_view text, std::string_view source, std::string_view target,
                   const CLeadByteSet& leadBytes, char* out)
{
    std::size_t copied = 0;
    for (std::size_t at = NextOccurrence(text, 0, source, leadBytes);
         at != std::string_view::npos;
         at = NextOccurrence(text, copied, source, leadBytes)) {
        out = Append(Append(out, text.substr(copied, at - copied)), target);
        copied = at + source.size();
    }
    Append(out, text.substr(copied));
}

std::size_t ReplacedLength(std::string_view text, std::string_view source,
                           std::string_view target, const CLeadByteSet& leadBytes)
{
    const std::size_t count = CountOccurrences(text, source, leadBytes);
    return text.size() - count * source.size() + count * target.size();
}

// Bytes 0 to 30 get the result and zeros; byte 31 gets a zero only when the
// result fills bytes 0 to 30, so that every written field stays terminated.
void StoreTexturePath(char* field, std::string_view path)
{
    std::memcpy(field, path.data(), path.size());
    std::memset(field + path.size(), 0, kMaxTexturePath - path.size());
    if (path.size() == kMaxTexturePath)
        field[kMaxTexturePath] = 0;
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
    if (needle.empty())
        return start <= text.size() ? start : std::string_view::npos;
    if (leadBytes.IsEmpty())
        return text.find(needle, start);
    return FindAtCharacterStarts(text, start, needle, leadBytes);
}

std::string ReplaceAllOccurrences(std::string_view text, std::string_view source,
                                  std::string_view target, const CLeadByteSet& leadBytes)
{
    std::string result(ReplacedLength(text, source, target, leadBytes), '\0');
    WriteReplaced(text, source, target, leadBytes, result.data());
    return result;
}

bool CModelImage::ReplaceTexturePaths(const CString& source, const CString& target)
{
    return ReplaceTexturePaths(source, target, AfxGetAnsiLeadBytes());
}

bool CModelImage::ReplaceTexturePaths(const CString& source, const CString& target,
                                      const CLeadByteSet& leadBytes)
{
    const std::string_view from = source.View();
    const std::string_view to = target.View();
    for (char* field : m_textureFields) {
        const std::string_view text = TextureFieldText(field);
        if (FindTexturePathPart(text, 0, from, leadBytes) == std::string_view::npos)
            continue;
        const std::size_t length = ReplacedLength(text, from, to, leadBytes);
        if (length > kMaxTexturePath)
            return false;
        char result[kMaxTexturePath];
        WriteReplaced(text, from, to, leadBytes, result);
        StoreTexturePath(field, std::string_view(result, length));
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
