#pragma once

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// The console table, followed by a few plain lines that set Load against the
// floor measured in the same run and the figures against their targets.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Figures {
        double cpuTime = 0;
        benchmark::UserCounters counters;
    };
    const Figures* Find(const std::string& name) const;

    // By benchmark name: the median when repeated, else the one run.
    std::map<std::string, Figures> m_figures;
};
