#include "cli/model_batch.h"

#include <cstdio>
#include <new>

#include "cli/exit_status.h"
#include "cli/model_file.h"
#include "cli/progress_line.h"
#include "cli/terminal.h"
#include "framework/exception.h"
#include "model/model_format_exception.h"

namespace {

void PrintFailure(const std::string& path, const std::string& reason)
{
    const std::string line = path + ": " + reason + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

// Runs step on the model at path; returns false, after reporting why, when it failed.
bool RunStep(const CModelBatch::Step& step, const std::string& path, CProgressLine& progress)
{
    std::string reason;
    try {
        CModelImage image;
        LoadModel(path, image);
        const std::string output = step(path, image);
        progress.Clear();
        std::fwrite(output.data(), 1, output.size(), stdout);
        return true;
    } catch (const CModelFormatException& e) {
        reason = e.GetProblem();  // the message names the file, which the line starts with
    } catch (const CException& e) {
        reason = e.GetErrorMessage().Str();
    } catch (const std::bad_alloc&) {
        reason = CMemoryException().GetErrorMessage().Str();
    }
    progress.Clear();
    PrintFailure(path, reason);
    return false;
}

}  // namespace

std::string CModelBatch::BlockHeader(const std::string& path) const
{
    return HasSeveralModels() ? "== " + path + "\n" : std::string();
}

int CModelBatch::Run(const Step& step) const
{
    for (const FoundModels::Failure& failure : m_found.failures)
        PrintFailure(failure.path, failure.reason);
    bool allDone = m_found.failures.empty();
    const std::vector<std::string>& models = m_found.paths;
    CProgressLine progress(HasSeveralModels() && StderrIsTerminal());
    for (std::size_t done = 0; done < models.size(); ++done) {
        progress.Show(done, models.size(), models[done]);
        allDone = RunStep(step, models[done], progress) && allDone;
    }
    return allDone ? kAllDone : kSomeFailed;
}
