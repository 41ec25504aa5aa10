#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/model_finder.h"
#include "model/model_image.h"

// Runs one step over each model that the PATH arguments name, loaded. It prints what
// the step returns for each model in order on stdout and each failure as one
// line "PATH: reason" on stderr, going on with the other models, and shows a
// progress line when there is more than one model and stderr is a terminal.
class CModelBatch {
public:
    // Returns the text to print for the model at path.
    using Step = std::function<std::string(const std::string& path, CModelImage& image)>;

    explicit CModelBatch(const std::vector<std::string>& arguments) : m_found(FindModels(arguments)) {}

    const std::vector<std::string>& Models() const { return m_found.paths; }
    bool HasSeveralModels() const { return m_found.paths.size() > 1; }
    // The line that starts a model's block of output when there are several.
    std::string BlockHeader(const std::string& path) const;

    // With threads, the step runs on that many models at once, and may then
    // change nothing but its model; the output keeps the order of the models.
    // Returns the exit status: 0 when every model was done, 1 when any failed.
    int Run(const Step& step, unsigned threads = 0) const;

private:
    FoundModels m_found;
};
