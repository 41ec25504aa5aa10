#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/model_image.h"

namespace test {

// A fresh folder below the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_path / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::string& path);

// Opens path as the Open command does and loads it into image.
void LoadFile(CModelImage& image, const std::string& path);
// Creates path as the Save command does and writes image into it.
void SaveFile(const CModelImage& image, const std::string& path);

std::vector<std::size_t> FieldOffsets(const CModelImage& image);
std::vector<std::string> FieldTexts(const CModelImage& image);

#ifndef _WIN32
// Runs action with every file limited to limit bytes (RLIMIT_FSIZE, with
// SIGXFSZ ignored, so that a write beyond it fails) and returns the
// CFileException it raised, or one with cause none.
CFileException FileErrorUnderSizeLimit(std::uint64_t limit, const std::function<void()>& action);
#endif

// The folder of real models made by other people, or empty when absent.
std::filesystem::path RealModelsDir();

}  // namespace test
