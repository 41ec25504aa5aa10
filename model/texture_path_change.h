#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A texture path that a substitution would rewrite, and on how many faces.
struct TexturePathChange {
    std::string_view path;   // as the faces hold it, inside the image
    std::string newPath;     // what it would become; may exceed kMaxTexturePath
    std::size_t firstFace;   // index of its first face in the texture index
    std::size_t faceCount;
};
