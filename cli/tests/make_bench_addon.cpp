// Writes an addon of generated models for timing veltrane-cli: COUNT models
// of about 100 KB each, a hundred to a folder, every texture path under data\.
// Usage: make_bench_addon FOLDER COUNT
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "sp3x_writer.h"

namespace {

// A visual LOD whose faces come in runs of one texture, as modelling tools write them.
sp3x::Lod VisualLod(int points, int faces, int model, float resolution)
{
    sp3x::Lod lod;
    lod.points = points;
    lod.normals = points;
    for (int face = 0; face < faces; ++face)
        lod.faces.push_back({"data\\m" + std::to_string(model % 97) + "_tex" + std::to_string(face / 80) + ".paa"});
    lod.tags = {{"#Property#", std::string("class\0house\0", 12)}};
    lod.resolution = resolution;
    return lod;
}

sp3x::Model BenchModel(int model)
{
    sp3x::Lod geometry = sp3x::LodWithTextures(std::vector<std::string>(12, ""));
    geometry.tags = {{"#Mass#", std::string(32, '\0')}};
    geometry.resolution = sp3x::kGeometryResolution;
    return sp3x::Model{{VisualLod(400, 640, model, 1.0f), VisualLod(100, 160, model, 2.0f), geometry}};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_bench_addon FOLDER COUNT\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int count = std::stoi(argv[2]);
    for (int model = 0; model < count; ++model) {
        const std::filesystem::path subfolder = folder / ("models" + std::to_string(model / 100));
        std::filesystem::create_directories(subfolder);
        std::ofstream(subfolder / ("model" + std::to_string(model) + ".p3d"), std::ios::binary) << sp3x::Build(BenchModel(model));
    }
    return 0;
}
