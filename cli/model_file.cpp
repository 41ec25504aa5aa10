#include "cli/model_file.h"

#include "framework/atomic_file.h"
#include "model/model_format_exception.h"

void LoadModel(const std::string& path, CModelImage& image)
{
    CFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error))
        throw error;
    image.Load(file);
    file.Close();
    if (image.m_nSize == 0)
        throw CModelFormatException(path, "is empty, not an OFP model");
}

void SaveModel(const CModelImage& image, const std::string& target)
{
    CAtomicFile file(target.c_str());
    image.Write(file.GetFile());
    file.Commit();
}
