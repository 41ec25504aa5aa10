// Times the refill of the main dialog's texture list, in the real dialog,
// on generated models: the list box is asked about each distinct text once,
// so the refill grows with the faces plus the paths times the entries.
// Prints the figures against their targets; exits with 1 if one is missed.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "framework/win_app.h"
#include "sp3x_writer.h"
#include "test_support.h"

namespace {

constexpr UINT WM_RUN_TIMING = WM_APP;
constexpr int kRepetitions = 5;
constexpr std::size_t kFacesPerLod = 250'000;

struct RefillCase {
    std::size_t faces;
    std::size_t paths;
    double targetSeconds;
};

constexpr RefillCase kCases[] = {{1'000'000, 2'000, 1.0}, {100'000, 50, 0.1}};

std::string PathNumber(std::size_t path)
{
    char text[32];
    std::snprintf(text, sizeof text, "vehicles\\set%02zu\\part%04zu_co.paa", path / 100, path);
    return text;
}

// Each path once in random order, then runs of one path, as modelling tools
// leave them, with path and run length drawn at random.
std::vector<std::string> FaceTextures(const RefillCase& c)
{
    std::minstd_rand random(20030);
    std::vector<std::size_t> order(c.paths);
    for (std::size_t i = 0; i < c.paths; ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::string> textures;
    textures.reserve(c.faces);
    for (std::size_t path : order)
        textures.push_back(PathNumber(path));
    std::uniform_int_distribution<std::size_t> pathOf(0, c.paths - 1);
    std::uniform_int_distribution<int> runLength(1, 32);
    while (textures.size() < c.faces) {
        const std::string path = PathNumber(pathOf(random));
        for (int run = runLength(random); run > 0 && textures.size() < c.faces; --run)
            textures.push_back(path);
    }
    return textures;
}

std::string ModelBytes(const RefillCase& c)
{
    const std::vector<std::string> textures = FaceTextures(c);
    sp3x::Model model;
    for (std::size_t first = 0; first < textures.size(); first += kFacesPerLod) {
        const auto begin = textures.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = textures.begin() + static_cast<std::ptrdiff_t>(std::min(first + kFacesPerLod, textures.size()));
        model.lods.push_back(sp3x::LodWithTextures(std::vector<std::string>(begin, end)));
    }
    return sp3x::Build(model);
}

double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

struct Timing {
    double wall;
    double cpu;
};

// The main dialog, shown, with a command that loads each case's model and
// refills its list again and again.
class CRefillTimingDialog : public CMainDialog {
public:
    bool m_bAllMet = true;

protected:
    const AFX_MSGMAP* GetMessageMap() const override
    {
        static constexpr AFX_MSGMAP_ENTRY entries[] = {
            MessageEntry<&CRefillTimingDialog::OnRunTiming>(WM_RUN_TIMING),
        };
        static const AFX_MSGMAP map{CMainDialog::GetMessageMap(), entries};
        return &map;
    }

    BOOL OnInitDialog() override
    {
        CMainDialog::OnInitDialog();
        PostMessageW(m_hWnd, WM_RUN_TIMING, 0, 0);  // once the dialog is on screen
        return TRUE;
    }

    LRESULT OnRunTiming(WPARAM, LPARAM)
    {
        for (const RefillCase& c : kCases)
            TimeCase(c);
        EndDialog(IDOK);
        return 0;
    }

private:
    void LoadModel(const RefillCase& c)
    {
        const test::TempDir dir;
        test::LoadFile(m_image, dir.Write("model.p3d", ModelBytes(c)));
    }

    Timing TimeRefill()
    {
        const double cpuStart = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        RefreshTextureList();
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        return {wall.count(), ProcessCpuSeconds() - cpuStart};
    }

    void TimeCase(const RefillCase& c)
    {
        LoadModel(c);
        std::vector<Timing> timings;
        for (int i = 0; i < kRepetitions; ++i)
            timings.push_back(TimeRefill());
        std::sort(timings.begin(), timings.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
        const Timing& median = timings[timings.size() / 2];
        const std::size_t entries = static_cast<std::size_t>(m_listTextures.GetCount());
        const bool met = median.wall < c.targetSeconds && entries == c.paths;
        m_bAllMet = m_bAllMet && met;
        std::printf("%9zu faces, %5zu paths: refill %.3f s median, %.3f s best (%.3f s CPU), %zu entries"
                    "  (target: under %.1f s)  %s\n",
                    m_image.m_textureFields.size(), c.paths, median.wall, timings.front().wall, median.cpu, entries,
                    c.targetSeconds, met ? "met" : "MISSED");
        std::fflush(stdout);
    }
};

}  // namespace

int main()
{
    AfxWinInit(::GetModuleHandleW(nullptr));
    CRefillTimingDialog dialog;
    AfxGetApp()->m_pMainWnd = &dialog;
    dialog.DoModal();
    return dialog.m_bAllMet ? 0 : 1;
}
