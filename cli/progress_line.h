#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// One self-updating line on stderr while a batch runs: the models done, the
// total and the current file. It is redrawn at most ten times a second, and
// Clear takes it away before anything else is printed.
class CProgressLine {
public:
    explicit CProgressLine(bool enabled) : m_bEnabled(enabled) {}
    ~CProgressLine() { Clear(); }
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;

    void Show(std::size_t done, std::size_t total, const std::string& path);
    void Clear();

private:
    void Draw(const std::string& line);

    bool m_bEnabled;
    std::size_t m_nShownWidth = 0;
    std::chrono::steady_clock::time_point m_lastDrawn;
};
