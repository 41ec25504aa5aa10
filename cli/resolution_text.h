#pragma once

#include <string>

// A LOD resolution as the shortest decimal that reads back as the same float,
// with a plain exponent: 1, 1.5, 1e13.
std::string ResolutionNumber(float resolution);
// The number, followed by the usual name of a special LOD: "1e13 (Geometry)".
std::string ResolutionText(float resolution);
