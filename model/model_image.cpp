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

    m_textureFields.clear();
    m_pData = std::move(buffer);
    m_nSize = size;
    CModelWalk(m_pData.get(), m_nSize, file.GetFilePath()).Run(m_textureFields);
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
