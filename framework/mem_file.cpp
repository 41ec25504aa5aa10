#include "framework/mem_file.h"

#include <cstring>

std::uint32_t CMemFile::Read(void* record, std::uint32_t count)
{
    if (m_position >= m_size)
        return 0;
    const std::uint64_t available = m_size - m_position;
    const auto copied = static_cast<std::uint32_t>(count < available ? count : available);
    std::memcpy(record, m_buffer + m_position, copied);
    m_position += copied;
    return copied;
}

std::uint64_t CMemFile::Seek(std::int64_t offset, CFile::SeekPosition from)
{
    constexpr std::int64_t kLimit = 0x7FFFFFFF;
    const std::int64_t origin = from == CFile::begin     ? 0
                                : from == CFile::current ? static_cast<std::int64_t>(m_position)
                                                         : static_cast<std::int64_t>(m_size);
    // Offsets beyond the limit are refused before adding, so the sum cannot overflow.
    if (offset > kLimit || offset < -kLimit || origin + offset < 0 || origin + offset > kLimit)
        AfxThrowFileException(CFileException::badSeek);
    m_position = static_cast<std::uint64_t>(origin + offset);
    return m_position;
}
