#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One level of detail as the walk steps over it.
struct LodSummary {
    std::size_t faceCount = 0;  // its entries in the texture index
    float resolution = 0;       // the 4 bytes that end it
};

// The levels of detail of an image in file order, and where the last one ends.
struct ModelLayout {
    std::vector<LodSummary> lods;
    std::uint32_t endOfLods = 0;  // the offset just past the last LOD; 12 without LODs
};
