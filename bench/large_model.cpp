#include "large_model.h"

#include <iterator>
#include <random>
#include <string_view>

#include "framework/file.h"
#include "sp3x_writer.h"

namespace {

constexpr int kLodCount = 8;
constexpr int kFacesPerLod = 250'000;
constexpr std::size_t kFileHeaderSize = 12;

const std::string kTextures[] = {
    "vehicles\\m1a1\\hull_co.paa",     "vehicles\\m1a1\\turret_co.paa",
    "vehicles\\m1a1\\interior_co.paa", "vehicles\\m1a1\\track.pac",
    "data\\wheel_co.paa",              "data\\glass_ca.paa",
    "data\\metal_plate.paa",           "",
};

// Faces come in runs of one texture, as modelling tools leave them, with
// texture and run length drawn at random so that no pattern repeats.
void AddFaces(sp3x::Lod& lod, std::minstd_rand& random)
{
    std::uniform_int_distribution<std::size_t> texture(0, std::size(kTextures) - 1);
    std::uniform_int_distribution<int> runLength(1, 32);
    lod.faces.reserve(kFacesPerLod);
    while (lod.faces.size() < kFacesPerLod) {
        const std::string& path = kTextures[texture(random)];
        for (int run = runLength(random); run > 0 && lod.faces.size() < kFacesPerLod; --run)
            lod.faces.push_back({path});
    }
}

sp3x::Lod LargeLod(int index, std::minstd_rand& random)
{
    sp3x::Lod lod;
    lod.points = 250'000 + 1000 * index;
    lod.normals = 210'000;
    AddFaces(lod, random);
    lod.tags = {{"#Property#", std::string("class\0tank\0", 11)},
                {"#Mass#", std::string(4 * static_cast<std::size_t>(lod.points), '\0')}};
    lod.resolution = index + 1 < kLodCount ? static_cast<float>(index + 1) : sp3x::kGeometryResolution;
    return lod;
}

std::uint64_t FacesWithSource(const sp3x::Lod& lod)
{
    std::uint64_t count = 0;
    for (const sp3x::Face& face : lod.faces)
        count += face.texture.find(LargeModel::kSource) != std::string::npos;
    return count;
}

}  // namespace

LargeModel WriteLargeModel(const std::string& path)
{
    CFile out;
    CFileException error;
    if (!out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error))
        throw error;
    std::minstd_rand random(20030);
    LargeModel model;
    for (int index = 0; index < kLodCount; ++index) {
        const sp3x::Lod lod = LargeLod(index, random);
        // The first LOD is written with the file header, which counts all of them.
        const std::string bytes = sp3x::Build(index == 0 ? sp3x::Model{{lod}, kLodCount} : sp3x::Model{{lod}});
        const std::string_view written = std::string_view(bytes).substr(index == 0 ? 0 : kFileHeaderSize);
        out.Write(written.data(), static_cast<std::uint32_t>(written.size()));
        model.size += written.size();
        model.faces += lod.faces.size();
        model.facesWithSource += FacesWithSource(lod);
    }
    // On disk before the first benchmark, so that no write-back runs during one.
    out.Flush();
    out.Close();
    return model;
}
