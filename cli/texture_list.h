#pragma once

#include <string_view>
#include <vector>

#include "model/model_image.h"

// The distinct non-empty texture paths of image, as the dialog's list shows
// them, in portable terms: paths that are equal once A to Z are mapped onto
// a to z are one, spelled as on its first face in file order, and sorted byte
// by byte after the same mapping, as strcasecmp compares in the C locale.
std::vector<std::string_view> DistinctTexturePaths(const CModelImage& image);
