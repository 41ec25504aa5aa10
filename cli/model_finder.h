#pragma once

#include <string>
#include <vector>

// The models that PATH arguments name. A file is taken as given; a folder
// gives every file below it whose name ends in .p3d, in any letter case, in
// sorted path order (links to folders are not followed). A file reached twice,
// also through a link, is taken the first time only.
struct FoundModels {
    struct Failure {
        std::string path;
        std::string reason;
    };
    std::vector<std::string> paths;
    std::vector<Failure> failures;  // folders that could not be read
};

FoundModels FindModels(const std::vector<std::string>& arguments);
