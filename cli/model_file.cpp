#include "cli/model_file.h"

#include "framework/atomic_file.h"
#include "model/model_format_exception.h"

void LoadModel(const std::string& path, CModelImage& image)
{
    CFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error))
        throw error;
    try {
        image.Load(file);
    } catch (const CFileException& e) {
        // The walk's seek before the start of the image carries no file name.
        if (e.m_cause == CFileException::badSeek && e.m_strFileName.IsEmpty())
            throw CModelFormatException(path, "is damaged or not an OFP model: a size in it leads before the start of the file");
        throw;
    }
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
