// Load and substitution over a model of about 256 MB, side by side with the
// floor that any load has to pay: the file read into a new buffer in one read.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench_names.h"
#include "heap_meter.h"
#include "large_model.h"
#include "model/model_image.h"
#include "model/model_walk.h"
#include "model/texture_field.h"
#include "summary_reporter.h"

namespace {

// A path in the temporary folder whose file is removed with it.
class ScratchPath {
public:
    explicit ScratchPath(const std::string& name)
        : m_path((std::filesystem::temp_directory_path() / name).string())
    {
    }
    ~ScratchPath()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;

    const std::string& Get() const { return m_path; }

private:
    std::string m_path;
};

// The model file, written once for the whole run and removed after it, also
// when writing it fails.
class ModelFile {
public:
    ModelFile()
        : m_path("veltrane-bench-" + std::to_string(getpid()) + ".p3d"), m_model(WriteLargeModel(m_path.Get()))
    {
    }

    const std::string& Path() const { return m_path.Get(); }
    const LargeModel& Model() const { return m_model; }

private:
    ScratchPath m_path;
    LargeModel m_model;
};

void OpenForReading(CFile& file, const std::string& path)
{
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error))
        throw error;
}

void ReadFileIntoNewBuffer(benchmark::State& state, const ModelFile& model)
{
    for (auto _ : state) {
        CFile file;
        OpenForReading(file, model.Path());
        const auto size = static_cast<std::uint32_t>(file.Seek(0, CFile::end));
        file.Seek(0, CFile::begin);
        std::unique_ptr<char[]> buffer(new char[size]);
        if (file.Read(buffer.get(), size) != size)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.get());
        file.Close();
    }
}

void LoadModel(benchmark::State& state, const ModelFile& model)
{
    std::size_t peak = 0;
    for (auto _ : state) {
        CFile file;
        OpenForReading(file, model.Path());
        CModelImage image;
        const std::size_t before = heap_meter::InUse();
        heap_meter::ResetPeak();
        image.Load(file);
        peak = std::max(peak, heap_meter::Peak() - before);
        file.Close();
        if (image.m_textureFields.size() != model.Model().faces)
            state.SkipWithError("the index does not hold every face");
    }
    const auto size = static_cast<double>(model.Model().size);
    state.counters["file_bytes"] = benchmark::Counter(size, benchmark::Counter::kDefaults,
                                                      benchmark::Counter::kIs1024);
    state.counters["peak_heap_bytes"] = benchmark::Counter(static_cast<double>(peak),
                                                           benchmark::Counter::kDefaults,
                                                           benchmark::Counter::kIs1024);
    state.counters[bench::kPeakPerFile] = static_cast<double>(peak) / size;
}

void LoadInto(CModelImage& image, const std::string& path)
{
    CFile file;
    OpenForReading(file, path);
    image.Load(file);
    file.Close();
}

// What Load adds to the floor: the walk over the image, its index included.
// Unlike the two reads it is not at the mercy of the page cache.
void WalkLoadedImage(benchmark::State& state, const ModelFile& model)
{
    CModelImage image;
    LoadInto(image, model.Path());
    for (auto _ : state) {
        std::vector<char*> fields;
        CModelWalk(image.m_pData.get(), image.m_nSize, CString()).Run(fields);
        benchmark::DoNotOptimize(fields.data());
    }
}

std::size_t FieldsContaining(const CModelImage& image, std::string_view part)
{
    return static_cast<std::size_t>(std::count_if(
        image.m_textureFields.begin(), image.m_textureFields.end(),
        [part](const char* field) { return TextureFieldText(field).find(part) != std::string_view::npos; }));
}

void ReplaceTexturePaths(benchmark::State& state, const ModelFile& model)
{
    CModelImage image;
    LoadInto(image, model.Path());

    // Swapping the two paths back and forth gives every run the same work
    // instead of paths that grow from run to run.
    const CString paths[2] = {LargeModel::kSource, LargeModel::kTarget};
    std::size_t from = 0;
    for (auto _ : state) {
        if (!image.ReplaceTexturePaths(paths[from], paths[1 - from]))
            state.SkipWithError("a path became too long");
        from = 1 - from;
    }
    if (FieldsContaining(image, paths[from].View()) != model.Model().facesWithSource)
        state.SkipWithError("the substitution missed faces");
    state.counters[bench::kFacesPerSecond] = benchmark::Counter(
        static_cast<double>(model.Model().faces), benchmark::Counter::kIsIterationInvariantRate);
}

void Register(const char* name, void (*run)(benchmark::State&, const ModelFile&), const ModelFile& model)
{
    // Timed in the process's CPU time, system time included: the file is read
    // from the page cache, and other work on the machine then does not count.
    benchmark::RegisterBenchmark(name, [run, &model](benchmark::State& state) { run(state, model); })
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        std::cerr << "Writing the benchmark model...\n";
        const ModelFile model;
        std::cerr << "  " << model.Model().size << " bytes, " << model.Model().faces << " faces, "
                  << model.Model().facesWithSource << " of them with \"" << LargeModel::kSource << "\"\n";

        Register(bench::kReadFloor, ReadFileIntoNewBuffer, model);
        Register(bench::kLoad, LoadModel, model);
        Register(bench::kWalk, WalkLoadedImage, model);
        Register(bench::kReplace, ReplaceTexturePaths, model);
        SummaryReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } catch (const CException& e) {
        std::cerr << e.GetErrorMessage() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
