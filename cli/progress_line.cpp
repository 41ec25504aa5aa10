#include "cli/progress_line.h"

#include <cstdio>

namespace {

constexpr std::size_t kLineWidth = 79;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// The line for the current model, keeping the end of a path that is too long.
std::string ProgressText(std::size_t done, std::size_t total, const std::string& path)
{
    // Appended piece by piece: GCC 12 at -O3 warns wrongly about "[" + std::string.
    std::string text = "[";
    text.append(std::to_string(done)).append("/").append(std::to_string(total)).append("] ");
    const std::size_t room = kLineWidth > text.size() + 3 ? kLineWidth - text.size() : 3;
    if (path.size() <= room)
        return text += path;
    return text.append("...").append(path, path.size() - (room - 3));
}

}  // namespace

void CProgressLine::Show(std::size_t done, std::size_t total, const std::string& path)
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_bEnabled || now - m_lastDrawn < kRedrawInterval)
        return;
    m_lastDrawn = now;
    Draw(ProgressText(done, total, path));
}

void CProgressLine::Clear()
{
    if (m_nShownWidth == 0)
        return;
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(m_nShownWidth), "");
    std::fflush(stderr);
    m_nShownWidth = 0;
}

void CProgressLine::Draw(const std::string& line)
{
    // Spaces wipe what is left of a longer line before.
    const std::size_t padding = m_nShownWidth > line.size() ? m_nShownWidth - line.size() : 0;
    std::fprintf(stderr, "\r%s%*s", line.c_str(), static_cast<int>(padding), "");
    std::fflush(stderr);
    m_nShownWidth = line.size() + padding;
}
