#include "model/texture_path_substitution.h"

#include <algorithm>
#include <cstring>

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

// Writes text with every occurrence of the source replaced by target, the
// first one being at first, into out as far as capacity allows, and returns
// the result's whole length, also when it did not fit. An empty source has no
// occurrences.
std::size_t WriteReplaced(std::string_view text, std::size_t first, const PathPartSearch& source,
                          std::string_view target, char* out, std::size_t capacity)
{
    std::size_t length = 0;
    const auto append = [&](std::string_view part) {
        // Once a part does not fit, no later one does: the length only grows.
        if (length + part.size() <= capacity)
            std::copy(part.begin(), part.end(), out + length);
        length += part.size();
    };
    std::size_t copied = 0;
    for (std::size_t at = source.NeedleSize() ? first : kNotFound; at != kNotFound;
         at = source.Find(text, copied)) {
        append(text.substr(copied, at - copied));
        append(target);
        copied = at + source.NeedleSize();
    }
    append(text.substr(copied));
    return length;
}

// Bytes 0 to 30 get the result and the zeros after it, copied in one piece;
// byte 31 gets a zero only when the result fills bytes 0 to 30, so that every
// written field stays terminated.
void StoreTexturePath(char* field, const char (&path)[kMaxTexturePath], std::size_t length)
{
    std::memcpy(field, path, kMaxTexturePath);
    if (length == kMaxTexturePath)
        field[kMaxTexturePath] = 0;
}

// One entry of the run. False when the result would exceed 31 bytes; the
// field is then left as it was.
bool ReplaceInField(char* field, const PathPartSearch& source, std::string_view target)
{
    const std::string_view text = TextureFieldText(field);
    const std::size_t first = source.Find(text, 0);
    if (first == kNotFound)
        return true;
    char result[kMaxTexturePath] = {};
    const std::size_t length = WriteReplaced(text, first, source, target, result, sizeof result);
    if (length > kMaxTexturePath)
        return false;
    StoreTexturePath(field, result, length);
    return true;
}

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
    const std::size_t first = search.Find(text, 0);
    std::string result(WriteReplaced(text, first, search, target, nullptr, 0), '\0');
    WriteReplaced(text, first, search, target, result.data(), result.size());
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
    for (char* field : m_textureFields) {
        if (!ReplaceInField(field, search, target.View()))
            return false;
    }
    return true;
}
