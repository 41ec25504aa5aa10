#include "cli/list_command.h"

#include <cstdio>

#include "cli/json_bytes.h"
#include "cli/model_batch.h"
#include "cli/resolution_text.h"
#include "cli/texture_list.h"
#include "model/texture_field.h"

namespace {

std::string PathLines(const CModelImage& image)
{
    std::string lines;
    for (const std::string_view path : DistinctTexturePaths(image))
        (lines += path) += '\n';
    return lines;
}

// LOD<TAB>FACE<TAB>TEXT for every face in file order, FACE counted within its LOD.
std::string FaceLines(const CModelImage& image)
{
    std::string lines;
    auto field = image.m_textureFields.begin();
    const std::vector<LodSummary> lods = image.DescribeLayout().lods;
    for (std::size_t lod = 0; lod < lods.size(); ++lod) {
        const std::string lodColumn = std::to_string(lod) + '\t';
        for (std::size_t face = 0; face < lods[lod].faceCount; ++face, ++field) {
            lines += lodColumn;
            lines += std::to_string(face);
            lines += '\t';
            lines += TextureFieldText(*field);
            lines += '\n';
        }
    }
    return lines;
}

nlohmann::ordered_json ModelJson(const std::string& path, const CModelImage& image)
{
    nlohmann::ordered_json lods = nlohmann::ordered_json::array();
    for (const LodSummary& lod : image.DescribeLayout().lods)
        lods.push_back({{"faces", lod.faceCount}, {"resolution", std::stod(ResolutionNumber(lod.resolution))}});
    nlohmann::ordered_json textures = nlohmann::ordered_json::array();
    for (const std::string_view texture : DistinctTexturePaths(image))
        textures.push_back(JsonBytes(texture));
    return {{"path", JsonBytes(path)}, {"size", image.m_nSize}, {"lods", lods}, {"textures", textures}};
}

int ListJson(const CModelBatch& batch)
{
    nlohmann::ordered_json models = nlohmann::ordered_json::array();
    const int status = batch.Run([&](const std::string& path, CModelImage& image) {
        models.push_back(ModelJson(path, image));
        return std::string();
    });
    const std::string document =
        nlohmann::ordered_json{{"models", models}}.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
    std::fwrite(document.data(), 1, document.size(), stdout);
    return status;
}

}  // namespace

int RunList(const ListOptions& options)
{
    const CModelBatch batch(options.paths);
    if (options.json)
        return ListJson(batch);
    return batch.Run([&](const std::string& path, CModelImage& image) {
        return batch.BlockHeader(path) + (options.faces ? FaceLines(image) : PathLines(image));
    });
}
