#pragma once

#include <string>
#include <vector>

// Prints the size, LODs and distinct textures of each model; returns the exit status.
int RunInfo(const std::vector<std::string>& paths);
