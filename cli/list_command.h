#pragma once

#include <string>
#include <vector>

struct ListOptions {
    bool faces = false;
    bool json = false;
    std::vector<std::string> paths;
};

// Prints the texture paths of each model; returns the exit status.
int RunList(const ListOptions& options);
