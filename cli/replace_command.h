#pragma once

#include <string>
#include <vector>

struct ReplaceOptions {
    std::string source;
    std::string target;
    bool dryRun = false;
    bool inPlace = false;
    std::string output;  // the file to write when not in place
    std::vector<std::string> paths;
};

// Replaces source by target in the texture paths of each model, all or
// nothing per model; returns the exit status.
int RunReplace(const ReplaceOptions& options);
