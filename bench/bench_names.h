#pragma once

// Names shared by the benchmarks and the summary that compares them.
namespace bench {

inline constexpr const char* kReadFloor = "ReadFileIntoNewBuffer";
inline constexpr const char* kLoad = "CModelImage_Load";
inline constexpr const char* kWalk = "CModelWalk_OfTheLoadedImage";
inline constexpr const char* kReplace = "CModelImage_ReplaceTexturePaths";

inline constexpr const char* kPeakPerFile = "peak_per_file";
inline constexpr const char* kFacesPerSecond = "faces_per_second";

}  // namespace bench
