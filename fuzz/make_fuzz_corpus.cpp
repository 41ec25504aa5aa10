// Writes the seed corpus of the model image fuzzer: small models that reach
// every part of the walk, sound ones and damaged ones.
// Usage: make_fuzz_corpus OUT_DIR
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "sp3x_writer.h"

namespace {

using namespace std::string_literals;

sp3x::Lod Crate()
{
    sp3x::Lod lod = sp3x::LodWithTextures({"data\\crate_side.paa", "data\\crate_side.paa", "data\\Crate_Top.paa", ""});
    lod.tags = {{"#Property#", "class\0house\0"s}, {"#Mass#", std::string(32, '\0')}};
    return lod;
}

sp3x::Lod Edited(sp3x::Lod lod, void (*edit)(sp3x::Lod&))
{
    edit(lod);
    return lod;
}

std::string Cut(const sp3x::Model& model, std::size_t dropped)
{
    const std::string bytes = sp3x::Build(model);
    return bytes.substr(0, bytes.size() - dropped);
}

std::string LaterFormat()
{
    std::string bytes = sp3x::Build(sp3x::Model{{Crate()}});
    bytes.replace(12, 4, "P3DM");
    return bytes;
}

std::map<std::string, std::string> Seeds()
{
    const sp3x::Lod crate = Crate();
    const sp3x::Lod texts = sp3x::LodWithTextures({
        "data\\tex\\a.paa", "banana", std::string(31, 'p'), std::string(32, 'q'),
        "data\\a.paa\0stale\x01"s, "\x95\x5C\\data\\x.paa", "aaaa", "",
    });
    return {
        {"crate.p3d", sp3x::Build(sp3x::Model{{crate, Edited(crate, [](sp3x::Lod& l) { l.resolution = sp3x::kGeometryResolution; })}})},
        {"texts.p3d", sp3x::Build(sp3x::Model{{texts}})},
        {"trailing_bytes.p3d", sp3x::Build(sp3x::Model{{crate}, std::nullopt, "data\\\0trailing"s})},
        {"end_tag_data.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.endTagData = "8 bytes!"; })}})},
        {"end_tag_names.p3d",
         sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) {
             l.tags = {{"#endoffile#", "x"}, {"#EndOfFile", ""}, {"#EndOfFile#x", ""}, {"#EndOfFile#\0junk"s, "y"}};
         })}})},
        {"no_faces.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.faces.clear(); }), crate}})},
        {"no_lods.p3d", sp3x::Build(sp3x::Model{{}})},
        {"negative_lod_count.p3d", sp3x::Build(sp3x::Model{{crate}, -1})},
        {"missing_lod.p3d", sp3x::Build(sp3x::Model{{crate}, 2})},
        {"negative_face_count.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.faceCount = -3; })}})},
        {"extra_face_count.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.faceCount = 9; })}})},
        {"wrapping_vertex_counts.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) {
             l.points = l.normals = 0;
             l.pointCount = 0x10000000;
             l.normalCount = 0x7FFFFFFF;
         })}})},
        {"huge_vertex_count.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.pointCount = 0x01000000; })}})},
        {"negative_tag_size.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.tags[0].size = -8; })}})},
        {"tag_before_start.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.tags[0].size = -100000; })}})},
        {"tag_past_end.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.tags[1].size = 1000; })}})},
        {"no_end_tag.p3d", sp3x::Build(sp3x::Model{{Edited(crate, [](sp3x::Lod& l) { l.endTag = false; })}})},
        {"faces_cut_short.p3d", Cut(sp3x::Model{{crate}}, 400)},
        {"resolution_cut_short.p3d", Cut(sp3x::Model{{crate}}, 2)},
        {"header_only.p3d", sp3x::Build(sp3x::Model{{}}).substr(0, 6)},
        {"later_format.p3d", LaterFormat()},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_corpus OUT_DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : Seeds())
        std::ofstream(dir / name, std::ios::binary) << bytes;
    return 0;
}
