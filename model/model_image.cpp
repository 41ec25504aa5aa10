#include "model/model_image.h"

#include <limits>
#include <new>
#include <string>

#include "model/model_format_exception.h"
#include "model/model_walk.h"

namespace {

std::int32_t CheckedImageSize(std::uint64_t length, const CString& fileName)
{
    if (length > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        throw CModelFormatException(
            fileName, "is too large to be an OFP model: " + std::to_string(length) +
                          " bytes, and this tool opens files below 2 GB only");
    }
    return static_cast<std::int32_t>(length);
}

std::unique_ptr<char[]> AllocateImage(std::int32_t size)
{
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[static_cast<std::size_t>(size)]);
    if (!buffer)
        AfxThrowMemoryException();
    return buffer;
}

void ReadWholeFile(CFile& file, char* buffer, std::int32_t size)
{
    const auto wanted = static_cast<std::uint32_t>(size);
    if (file.Read(buffer, wanted) != wanted)
        AfxThrowFileException(CFileException::endOfFile, -1, file.GetFilePath());
}

}  // namespace

void CModelImage::Load(CFile& file)
{
    const std::uint64_t length = file.Seek(0, CFile::end);
    file.Seek(0, CFile::begin);
    if (length == 0) {
        m_nSize = 0;
        return;
    }
    const std::int32_t size = CheckedImageSize(length, file.GetFilePath());
    std::unique_ptr<char[]> buffer = AllocateImage(size);
    ReadWholeFile(file, buffer.get(), size);

    std::vector<char*> fields;
    try {
        CModelWalk(buffer.get(), size, file.GetFilePath()).Run(fields);
    } catch (const CFileException&) {
        // A seek before the start of the image: the image takes the new file
        // with the faces found before it.
        Adopt(std::move(buffer), size, std::move(fields));
        throw;
    }
    // Any other refusal leaves the previous image as it was.
    Adopt(std::move(buffer), size, std::move(fields));
}

void CModelImage::Adopt(std::unique_ptr<char[]> data, std::int32_t size, std::vector<char*> fields)
{
    m_textureFields = std::move(fields);
    m_pData = std::move(data);
    m_nSize = size;
}

void CModelImage::Write(CFile& file) const
{
    if (m_nSize >= 1 && m_pData)
        file.Write(m_pData.get(), static_cast<std::uint32_t>(m_nSize));
}

ModelLayout CModelImage::DescribeLayout() const
{
    if (m_nSize < 1 || !m_pData)
        return {};
    std::vector<char*> fields;
    CModelWalk walk(m_pData.get(), m_nSize, CString());
    walk.Run(fields);
    return walk.Layout();
}
