#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Builds SP3X models (the OFP MLOD format) in memory for tests and samples,
// so that each test states only what it is about.
namespace sp3x {

struct Tag {
    std::string name;                 // raw bytes of the 64-byte name field, zero-padded
    std::string data{};
    std::optional<std::int32_t> size{};  // the stored size when it must differ from data.size()
};

struct Face {
    std::string texture;                            // raw bytes of the 32-byte field, zero-padded
    std::array<std::int32_t, 4> vertices{0, 1, 2, 3};  // point indices of a quad
};

struct Lod {
    std::int32_t points = 0;   // 16-byte records
    std::int32_t normals = 0;  // 12-byte records
    std::vector<Face> faces;
    // The stored counts, when they must differ from what is written.
    std::optional<std::int32_t> pointCount;
    std::optional<std::int32_t> normalCount;
    std::optional<std::int32_t> faceCount;
    std::vector<Tag> tags;                  // before the end tag
    bool endTag = true;
    std::string endTagData;
    float resolution = 1.0f;
};

struct Model {
    std::vector<Lod> lods;
    std::optional<std::int32_t> lodCount{};  // the stored count when it must differ from lods.size()
    std::string trailing{};                  // bytes after the last LOD
};

inline constexpr float kGeometryResolution = 1e13f;
inline constexpr float kMemoryResolution = 1e15f;

// A LOD with one face per texture text, on a unit cube of 8 points.
Lod LodWithTextures(const std::vector<std::string>& textures);

std::string Build(const Model& model);

// Image offsets of a model whose first LOD has this many points and normals.
constexpr std::size_t FirstFaceOffset(std::size_t points, std::size_t normals)
{
    return 12 + 28 + 16 * points + 12 * normals;
}
inline constexpr std::size_t kFaceSize = 104;
inline constexpr std::size_t kTagHeadSize = 68;

}  // namespace sp3x
