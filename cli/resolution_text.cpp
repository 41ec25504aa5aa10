#include "cli/resolution_text.h"

#include <charconv>

namespace {

struct NamedResolution {
    float resolution;
    const char* name;
};

constexpr NamedResolution kNamedResolutions[] = {
    {1e3f, "View Gunner"},
    {1.1e3f, "View Pilot"},
    {1.2e3f, "View Cargo"},
    {1e13f, "Geometry"},
    {1e15f, "Memory"},
    {2e15f, "LandContact"},
    {3e15f, "Roadway"},
    {4e15f, "Paths"},
    {5e15f, "HitPoints"},
    {6e15f, "View Geometry"},
    {7e15f, "Fire Geometry"},
    {8e15f, "View Cargo Geometry"},
    {9e15f, "View Cargo Fire Geometry"},
    {1e16f, "View Commander"},
    {1.1e16f, "View Commander Geometry"},
    {1.2e16f, "View Commander Fire Geometry"},
    {1.3e16f, "View Pilot Geometry"},
    {1.4e16f, "View Pilot Fire Geometry"},
    {1.5e16f, "View Gunner Geometry"},
    {1.6e16f, "View Gunner Fire Geometry"},
};

}  // namespace

std::string ResolutionNumber(float resolution)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, resolution);
    std::string number(text, result.ptr);
    if (const std::size_t plus = number.find("e+"); plus != std::string::npos)
        number.erase(plus + 1, 1);
    return number;
}

std::string ResolutionText(float resolution)
{
    for (const NamedResolution& named : kNamedResolutions) {
        if (named.resolution == resolution)
            return ResolutionNumber(resolution) + " (" + named.name + ")";
    }
    return ResolutionNumber(resolution);
}
