#include "cli/texture_list.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "model/texture_field.h"

namespace {

std::string FoldCase(std::string_view path)
{
    std::string folded(path);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

struct ListedPath {
    std::string key;
    std::string_view path;
};

}  // namespace

std::vector<std::string_view> DistinctTexturePaths(const CModelImage& image)
{
    std::vector<ListedPath> listed;
    std::unordered_set<std::string> keys;
    for (const std::string_view path : DistinctTextureTexts(image.m_textureFields)) {
        std::string key = FoldCase(path);
        if (keys.insert(key).second)
            listed.push_back({std::move(key), path});
    }
    std::sort(listed.begin(), listed.end(), [](const ListedPath& a, const ListedPath& b) { return a.key < b.key; });
    std::vector<std::string_view> paths;
    paths.reserve(listed.size());
    for (const ListedPath& entry : listed)
        paths.push_back(entry.path);
    return paths;
}
