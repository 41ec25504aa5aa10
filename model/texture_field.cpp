#include "model/texture_field.h"

#include <unordered_set>

std::vector<std::string_view> DistinctTextureTexts(const std::vector<char*>& fields)
{
    std::unordered_set<std::string_view> seen;
    std::vector<std::string_view> texts;
    // Faces of one texture usually follow each other, so the last text is checked first.
    std::string_view lastText;
    for (const char* field : fields) {
        const std::string_view text = TextureFieldText(field);
        if (text.empty() || text == lastText)
            continue;
        lastText = text;
        if (seen.insert(text).second)
            texts.push_back(text);
    }
    return texts;
}
