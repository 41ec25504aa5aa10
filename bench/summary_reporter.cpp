#include "summary_reporter.h"

#include <iomanip>
#include <ostream>
#include <unistd.h>

#include "bench_names.h"

// Colours only on a terminal, so that the output stays plain in logs.
SummaryReporter::SummaryReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
{
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
            continue;
        m_figures[run.run_name.function_name] = {run.GetAdjustedCPUTime(), run.counters};
    }
}

const SummaryReporter::Figures* SummaryReporter::Find(const std::string& name) const
{
    const auto found = m_figures.find(name);
    return found == m_figures.end() ? nullptr : &found->second;
}

void SummaryReporter::Finalize()
{
    std::ostream& out = GetOutputStream();
    out << std::fixed << std::setprecision(3) << "\n";
    const Figures* floor = Find(bench::kReadFloor);
    const Figures* load = Find(bench::kLoad);
    const Figures* walk = Find(bench::kWalk);
    const Figures* replace = Find(bench::kReplace);
    if (floor && load)
        out << "Load / floor:              " << load->cpuTime / floor->cpuTime << "  (target: 1.3 at most)\n";
    if (floor && walk)
        out << "Walk alone / floor:        " << walk->cpuTime / floor->cpuTime << "  (what Load adds to the read)\n";
    if (load)
        out << "Load peak heap / file:     " << load->counters.at(bench::kPeakPerFile).value
            << "  (target: 1.1 at most)\n";
    if (replace)
        out << "Substitution:              " << std::setprecision(1)
            << replace->counters.at(bench::kFacesPerSecond).value / 1e6
            << " million faces per second  (target: 50 at least)\n";
    ConsoleReporter::Finalize();
}
