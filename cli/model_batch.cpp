#include "cli/model_batch.h"

#include <cstdio>
#include <new>

#include "cli/exit_status.h"
#include "cli/model_file.h"
#include "cli/ordered_workers.h"
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

// What the step made of one model: the text to print, or why it failed.
struct StepOutcome {
    bool done = false;
    std::string text;
};

StepOutcome RunStep(const CModelBatch::Step& step, const std::string& path)
{
    try {
        CModelImage image;
        LoadModel(path, image);
        return {true, step(path, image)};
    } catch (const CModelFormatException& e) {
        return {false, e.GetProblem()};  // the message names the file, which the line starts with
    } catch (const CException& e) {
        return {false, e.GetErrorMessage().Str()};
    } catch (const std::bad_alloc&) {
        return {false, CMemoryException().GetErrorMessage().Str()};
    } catch (const std::exception& e) {
        return {false, e.what()};
    }
}

void PrintOutcome(const std::string& path, const StepOutcome& outcome)
{
    if (outcome.done)
        std::fwrite(outcome.text.data(), 1, outcome.text.size(), stdout);
    else
        PrintFailure(path, outcome.text);
}

}  // namespace

std::string CModelBatch::BlockHeader(const std::string& path) const
{
    return HasSeveralModels() ? "== " + path + "\n" : std::string();
}

int CModelBatch::Run(const Step& step, unsigned threads) const
{
    for (const FoundModels::Failure& failure : m_found.failures)
        PrintFailure(failure.path, failure.reason);
    bool allDone = m_found.failures.empty();
    const std::vector<std::string>& models = m_found.paths;
    CProgressLine progress(HasSeveralModels() && StderrIsTerminal());
    COrderedWorkers<StepOutcome> outcomes(models.size(), threads, [&](std::size_t index) { return RunStep(step, models[index]); });
    for (std::size_t done = 0; done < models.size(); ++done) {
        progress.Show(done, models.size(), models[done]);
        const StepOutcome outcome = outcomes.Take(done);
        progress.Clear();
        PrintOutcome(models[done], outcome);
        allDone = outcome.done && allDone;
    }
    return allDone ? kAllDone : kSomeFailed;
}
