#include "cli/info_command.h"

#include "cli/model_batch.h"
#include "cli/resolution_text.h"
#include "cli/texture_list.h"

namespace {

std::string Counted(std::size_t count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string InfoLines(const CModelImage& image)
{
    const ModelLayout layout = image.DescribeLayout();
    std::string lines = "size: " + Counted(static_cast<std::size_t>(image.m_nSize), "byte") + "\n";
    lines += "LODs: " + std::to_string(layout.lods.size()) + "\n";
    for (std::size_t lod = 0; lod < layout.lods.size(); ++lod) {
        lines += "  LOD " + std::to_string(lod) + ": " + Counted(layout.lods[lod].faceCount, "face") +
                 ", resolution " + ResolutionText(layout.lods[lod].resolution) + "\n";
    }
    lines += "distinct textures: " + std::to_string(DistinctTexturePaths(image).size()) + "\n";
    lines += "bytes after the last LOD: " + std::to_string(static_cast<std::uint32_t>(image.m_nSize) - layout.endOfLods) + "\n";
    return lines;
}

}  // namespace

int RunInfo(const std::vector<std::string>& paths)
{
    const CModelBatch batch(paths);
    return batch.Run([&](const std::string& path, CModelImage& image) { return batch.BlockHeader(path) + InfoLines(image); });
}
