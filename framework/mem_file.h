#pragma once

#include <cstdint>

#include "framework/file.h"

// A read-only view of a caller's buffer: it never grows and never frees it.
class CMemFile {
public:
    CMemFile(char* buffer, std::uint32_t size) : m_buffer(buffer), m_size(size) {}

    // Copies min(count, size - position) bytes, none at or past the end; the
    // rest of the record keeps its previous contents. Never raises.
    std::uint32_t Read(void* record, std::uint32_t count);
    // Moves to a target in [0, 2^31 - 1], also beyond the end; any other target
    // raises badSeek (no file name) and leaves the position unchanged.
    std::uint64_t Seek(std::int64_t offset, CFile::SeekPosition from);
    std::uint64_t GetPosition() const { return m_position; }

private:
    char* m_buffer;
    std::uint64_t m_size;
    std::uint64_t m_position = 0;
};
