#include "cli/replace_command.h"

#include <algorithm>
#include <cstdio>

#include "cli/command_failure.h"
#include "cli/exit_status.h"
#include "cli/model_batch.h"
#include "cli/model_file.h"
#include "model/texture_field.h"

namespace {

// Saving a model waits mostly for the disk to take its data. With several
// models saved at once those waits overlap and the file system commits them
// together. A 32-bit process holds fewer models at once: they share 2 GB.
constexpr unsigned kSavingThreads = sizeof(void*) >= 8 ? 16 : 4;

// "LOD l face f" of the face at index in the texture index.
std::string FaceName(const ModelLayout& layout, std::size_t index)
{
    std::size_t lod = 0;
    while (lod + 1 < layout.lods.size() && index >= layout.lods[lod].faceCount)
        index -= layout.lods[lod++].faceCount;
    return "LOD " + std::to_string(lod) + " face " + std::to_string(index);
}

std::string OverLongReason(const CModelImage& image, const TexturePathChange& change)
{
    return FaceName(image.DescribeLayout(), change.firstFace) + ": \"" + std::string(change.path) +
           "\" would become " + std::to_string(change.newPath.size()) + " bytes long, more than the " +
           std::to_string(kMaxTexturePath) + " a texture path holds; the model is not written";
}

// OLD<TAB>NEW<TAB>FACES for each path that would change.
std::string ChangeLines(const std::vector<TexturePathChange>& changes)
{
    std::string lines;
    for (const TexturePathChange& change : changes) {
        lines += change.path;
        lines += '\t';
        lines += change.newPath;
        lines += '\t';
        lines += std::to_string(change.faceCount);
        lines += '\n';
    }
    return lines;
}

class Replacement {
public:
    Replacement(const ReplaceOptions& options, const CModelBatch& batch) : m_options(options), m_batch(batch) {}

    // Edits and writes one model, or with --dry-run tells what would change.
    std::string operator()(const std::string& path, CModelImage& image) const
    {
        const std::vector<TexturePathChange> changes = image.PlanTexturePathReplacement(m_options.source, m_options.target);
        const auto overLong = std::find_if(changes.begin(), changes.end(), [](const TexturePathChange& change) {
            return change.newPath.size() > static_cast<std::size_t>(kMaxTexturePath);
        });
        if (overLong != changes.end())
            throw CCommandFailure(OverLongReason(image, *overLong));
        if (changes.empty())
            return {};
        if (m_options.dryRun)
            return m_batch.BlockHeader(path) + ChangeLines(changes);
        // The plan found no over-long path; should the run still stop, nothing half-edited is written.
        if (!image.ReplaceTexturePaths(m_options.source, m_options.target))
            throw CCommandFailure("texture path would exceed 31 chars; the model is not written");
        SaveModel(image, m_options.inPlace ? path : m_options.output);
        return {};
    }

private:
    const ReplaceOptions& m_options;
    const CModelBatch& m_batch;
};

}  // namespace

int RunReplace(const ReplaceOptions& options)
{
    const CModelBatch batch(options.paths);
    if (!options.inPlace && batch.Models().size() != 1) {
        const std::string message = "replace: --output takes exactly one model, and PATH names " +
                                    std::to_string(batch.Models().size()) + "\n";
        std::fputs(message.c_str(), stderr);
        return kBadUsage;
    }
    return batch.Run(Replacement(options, batch), options.dryRun ? 0 : kSavingThreads);
}
