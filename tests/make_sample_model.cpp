// Writes the sample model of the repository: a crate with a visual LOD of
// three textures and a geometry LOD. Usage: make_sample_model OUT.p3d
#include <fstream>
#include <iostream>

#include "sp3x_writer.h"

namespace {

sp3x::Model SampleCrate()
{
    // The six sides of the unit cube that the writer's eight points form.
    const std::array<std::int32_t, 4> sides[] = {
        {0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3},
    };
    const char* textures[] = {
        "data\\crate_side.paa", "data\\crate_side.paa", "data\\crate_side.paa",
        "data\\crate_side.paa", "data\\crate_top.paa", "data\\Crate_Top.paa",
    };
    sp3x::Lod visual;
    visual.points = 8;
    visual.normals = 6;
    for (int i = 0; i < 6; ++i)
        visual.faces.push_back({textures[i], sides[i]});
    visual.faces.push_back({"data\\crate_label.paa", {0, 1, 3, 2}});
    visual.tags = {{"#Property#", std::string("class\0house\0", 12)}};
    visual.resolution = 1.0f;

    sp3x::Lod geometry;
    geometry.points = 8;
    geometry.normals = 6;
    for (const auto& side : sides)
        geometry.faces.push_back({"", side});
    geometry.tags = {{"#Mass#", std::string(32, '\0')}};
    geometry.resolution = sp3x::kGeometryResolution;
    return sp3x::Model{{visual, geometry}};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_sample_model OUT.p3d\n";
        return 2;
    }
    std::ofstream(argv[1], std::ios::binary) << sp3x::Build(SampleCrate());
    return 0;
}
