#include "test_support.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "model/texture_field.h"

namespace test {

TempDir::TempDir()
{
    std::random_device random;
    do
        m_path = std::filesystem::temp_directory_path() / ("veltrane-test-" + std::to_string(random()));
    while (!std::filesystem::create_directory(m_path));
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const
{
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void LoadFile(CModelImage& image, const std::string& path)
{
    CFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error))
        throw error;
    image.Load(file);
    file.Close();
}

void SaveFile(const CModelImage& image, const std::string& path)
{
    CFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error))
        throw error;
    image.Write(file);
    file.Close();
}

std::vector<std::size_t> FieldOffsets(const CModelImage& image)
{
    std::vector<std::size_t> offsets;
    for (const char* field : image.m_textureFields)
        offsets.push_back(static_cast<std::size_t>(field - image.m_pData.get()));
    return offsets;
}

std::vector<std::string> FieldTexts(const CModelImage& image)
{
    std::vector<std::string> texts;
    for (const char* field : image.m_textureFields)
        texts.emplace_back(TextureFieldText(field));
    return texts;
}

#ifndef _WIN32
CFileException FileErrorUnderSizeLimit(std::uint64_t limit, const std::function<void()>& action)
{
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = static_cast<rlim_t>(limit);
    setrlimit(RLIMIT_FSIZE, &limited);
    CFileException error;
    try {
        action();
    } catch (const CFileException& e) {
        error = e;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return error;
}
#endif

namespace {

std::filesystem::path ConfiguredRealModelsDir()
{
    const char* configured = std::getenv("VELTRANE_REAL_MODELS");
    return configured ? std::filesystem::path(configured)
                      : std::filesystem::path(VELTRANE_SOURCE_DIR) / ".." / "shared" / "real-models";
}

// Made absolute when the program starts, as the file dialogs of the Windows
// tests change the current folder (and with it, under Wine, the drive).
const std::filesystem::path g_realModelsDir = std::filesystem::absolute(ConfiguredRealModelsDir());

}  // namespace

std::filesystem::path RealModelsDir()
{
    return std::filesystem::is_directory(g_realModelsDir) ? g_realModelsDir : std::filesystem::path();
}

}  // namespace test
