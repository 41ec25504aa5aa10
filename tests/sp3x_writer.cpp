#include "sp3x_writer.h"

#include <algorithm>
#include <cstring>

namespace sp3x {
namespace {

class ByteWriter {
public:
    void Int32(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
    void Float(float value)
    {
        std::int32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        Int32(bits);
    }
    void Bytes(const std::string& bytes) { m_bytes += bytes; }
    void Field(const std::string& bytes, std::size_t size)
    {
        m_bytes += bytes.substr(0, size);
        m_bytes.append(size - std::min(size, bytes.size()), '\0');
    }
    std::string Take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

void WritePoints(ByteWriter& out, std::int32_t count)
{
    for (std::int32_t i = 0; i < count; ++i) {
        out.Float(i & 1 ? 0.5f : -0.5f);
        out.Float(i & 2 ? 0.5f : -0.5f);
        out.Float(i & 4 ? 0.5f : -0.5f);
        out.Int32(0);  // point flags
    }
}

void WriteNormals(ByteWriter& out, std::int32_t count)
{
    for (std::int32_t i = 0; i < count; ++i) {
        out.Float(i % 3 == 0 ? 1.0f : 0.0f);
        out.Float(i % 3 == 1 ? 1.0f : 0.0f);
        out.Float(i % 3 == 2 ? 1.0f : 0.0f);
    }
}

void WriteFace(ByteWriter& out, const Face& face)
{
    static constexpr float kU[4] = {0, 1, 1, 0};
    static constexpr float kV[4] = {0, 0, 1, 1};
    out.Field(face.texture, 32);
    out.Int32(4);  // sides
    for (int corner = 0; corner < 4; ++corner) {
        out.Int32(face.vertices[corner]);
        out.Int32(0);  // normal index
        out.Float(kU[corner]);
        out.Float(kV[corner]);
    }
    out.Int32(0);  // face flags
}

void WriteTag(ByteWriter& out, const Tag& tag)
{
    out.Field(tag.name, 64);
    out.Int32(tag.size.value_or(static_cast<std::int32_t>(tag.data.size())));
    out.Bytes(tag.data);
}

void WriteLod(ByteWriter& out, const Lod& lod)
{
    out.Bytes("SP3X");
    out.Int32(28);     // header size
    out.Int32(0x100);  // version
    out.Int32(lod.pointCount.value_or(lod.points));
    out.Int32(lod.normalCount.value_or(lod.normals));
    out.Int32(lod.faceCount.value_or(static_cast<std::int32_t>(lod.faces.size())));
    out.Int32(0);  // LOD flags
    WritePoints(out, lod.points);
    WriteNormals(out, lod.normals);
    for (const Face& face : lod.faces)
        WriteFace(out, face);
    out.Bytes("TAGG");
    for (const Tag& tag : lod.tags)
        WriteTag(out, tag);
    if (lod.endTag)
        WriteTag(out, {"#EndOfFile#", lod.endTagData, std::nullopt});
    out.Float(lod.resolution);
}

}  // namespace

Lod LodWithTextures(const std::vector<std::string>& textures)
{
    Lod lod;
    lod.points = 8;
    lod.normals = 6;
    for (const std::string& texture : textures)
        lod.faces.push_back({texture});
    return lod;
}

std::string Build(const Model& model)
{
    ByteWriter out;
    out.Bytes("MLOD");
    out.Int32(0x101);
    out.Int32(model.lodCount.value_or(static_cast<std::int32_t>(model.lods.size())));
    for (const Lod& lod : model.lods)
        WriteLod(out, lod);
    out.Bytes(model.trailing);
    return out.Take();
}

}  // namespace sp3x
