#include "model/model_walk.h"

#include <cstring>
#include <new>

#include "model/model_format_exception.h"
#include "model/texture_field.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 12;
constexpr std::uint32_t kLodHeaderSize = 28;
constexpr std::uint32_t kFaceRecordSize = 104;
constexpr std::uint32_t kTagHeadSize = 68;
constexpr std::int64_t kLodGapSize = 4;
constexpr char kEndTag[] = "#EndOfFile#";  // compared with its zero byte

std::int32_t Int32At(const unsigned char* bytes)
{
    const std::uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

float FloatAt(const char* bytes)
{
    const auto bits = static_cast<std::uint32_t>(Int32At(reinterpret_cast<const unsigned char*>(bytes)));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// 16 bytes per point and 12 per normal, wrapping in 32 bits as the format's
// own tools compute it.
std::int64_t VertexBlockSize(std::int32_t points, std::int32_t normals)
{
    const std::uint32_t size =
        static_cast<std::uint32_t>(points) * 16u + static_cast<std::uint32_t>(normals) * 12u;
    return static_cast<std::int32_t>(size);
}

std::string LodName(std::int32_t lod) { return "LOD " + std::to_string(lod); }

std::string TagLabel(const unsigned char* name, std::int32_t lod)
{
    const std::string lodName = LodName(lod);
    std::string text(reinterpret_cast<const char*>(name), strnlen(reinterpret_cast<const char*>(name), 63));
    for (char c : text) {
        if (c < 0x20 || c > 0x7E)
            return "a tag of " + lodName;
    }
    return text.empty() ? "a tag of " + lodName : "tag \"" + text + "\" of " + lodName;
}

}  // namespace

CModelWalk::CModelWalk(char* data, std::int32_t size, CString fileName)
    : m_data(data), m_size(size), m_fileName(std::move(fileName)),
      m_view(data, static_cast<std::uint32_t>(size))
{
}

template <class Describe>
void CModelWalk::ReadRecord(void* record, std::uint32_t size, Describe what)
{
    if (Position() + size > static_cast<std::uint64_t>(m_size))
        Fail(what() + " is cut off by the end of the file", Position());
    m_view.Read(record, size);
}

template <class Describe>
void CModelWalk::SkipForward(std::int64_t distance, std::uint64_t recordOffset, Describe what)
{
    if (static_cast<std::int64_t>(Position()) + distance > m_size)
        Fail(what() + " runs past the end of the file", recordOffset);
    // A target before the start of the image raises badSeek from the view.
    m_view.Seek(distance, CFile::current);
    if (distance < 0)
        Fail(what() + " has a negative size", recordOffset);
}

void CModelWalk::Run(std::vector<char*>& fields)
{
    ReserveIndex(fields);
    unsigned char header[kFileHeaderSize] = {};
    ReadRecord(header, kFileHeaderSize, [] { return std::string("the file header"); });
    const std::int32_t lodCount = Int32At(header + 8);
    for (std::int32_t lod = 0; lod < lodCount; ++lod)
        WalkLod(lod, fields);
    m_layout.endOfLods = static_cast<std::uint32_t>(Position());
}

// No model holds more faces than fit in the file, so the index never grows
// past this one allocation, which stays below a tenth of the image's size.
void CModelWalk::ReserveIndex(std::vector<char*>& fields) const
{
    try {
        fields.reserve(static_cast<std::size_t>(m_size) / kFaceRecordSize);
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

void CModelWalk::WalkLod(std::int32_t lod, std::vector<char*>& fields)
{
    const std::uint64_t headerOffset = Position();
    unsigned char header[kLodHeaderSize] = {};
    ReadRecord(header, kLodHeaderSize, [lod] { return "the header of " + LodName(lod); });
    SkipForward(VertexBlockSize(Int32At(header + 12), Int32At(header + 16)), headerOffset,
                [lod] { return "the points and normals block of " + LodName(lod); });
    const std::size_t faces = IndexFaces(lod, Int32At(header + 20), fields);
    SkipForward(kLodGapSize, Position(), [lod] { return "the face list of " + LodName(lod); });
    SkipTags(lod);
    const std::uint64_t resolutionOffset = Position();
    SkipForward(kLodGapSize, resolutionOffset, [lod] { return LodName(lod); });
    m_layout.lods.push_back({faces, FloatAt(m_data + resolutionOffset)});
}

// Returns the number of faces indexed.
std::size_t CModelWalk::IndexFaces(std::int32_t lod, std::int32_t faceCount, std::vector<char*>& fields)
{
    for (std::int32_t face = 0; face < faceCount; ++face) {
        if (Position() + kFaceRecordSize > static_cast<std::uint64_t>(m_size)) {
            Fail("face " + std::to_string(face) + " of " + LodName(lod) + " is cut off by the end of the file",
                 Position());
        }
        fields.push_back(m_data + Position());
        m_view.Seek(kFaceRecordSize, CFile::current);
    }
    return faceCount > 0 ? static_cast<std::size_t>(faceCount) : 0;
}

void CModelWalk::SkipTags(std::int32_t lod)
{
    unsigned char head[kTagHeadSize] = {};
    do {
        const std::uint64_t tagOffset = Position();
        ReadRecord(head, kTagHeadSize, [lod] { return "the tag list of " + LodName(lod); });
        SkipForward(Int32At(head + 64), tagOffset, [&head, lod] { return TagLabel(head, lod); });
    } while (std::memcmp(head, kEndTag, sizeof kEndTag) != 0);
}

void CModelWalk::Fail(const std::string& problem, std::uint64_t offset) const
{
    constexpr std::uint32_t kFirstLodSignature = kFileHeaderSize;
    const bool laterFormat = m_size >= static_cast<std::int32_t>(kFirstLodSignature + 4) &&
                             std::memcmp(m_data + kFirstLodSignature, "P3DM", 4) == 0;
    if (laterFormat) {
        throw CModelFormatException(
            m_fileName, "is in the later MLOD format (its LODs begin with P3DM), which this "
                        "tool does not edit; only OFP models with SP3X LODs can be opened");
    }
    throw CModelFormatException(m_fileName, "is damaged or not an OFP model: " + problem +
                                                " (offset " + std::to_string(offset) + ")");
}
