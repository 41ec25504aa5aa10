#pragma once

#include <cstdint>
#include <string>

// The model the benchmarks run on: about 256 MB in several LODs of realistic
// texture paths, of which about half contain kSource.
struct LargeModel {
    static constexpr const char* kSource = "m1a1\\";
    static constexpr const char* kTarget = "m60a3\\";

    std::uint64_t size = 0;
    std::uint64_t faces = 0;
    std::uint64_t facesWithSource = 0;
};

// Writes the model to path one LOD at a time, so that only one LOD is ever
// held in memory, and says what it wrote.
LargeModel WriteLargeModel(const std::string& path);
