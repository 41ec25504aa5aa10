#pragma once

#include <cstdint>

#include "framework/ansi_string.h"
#include "framework/file_exception.h"

// A disk file. Open reports failure through its file-error record; every
// other operation raises CFileException, naming the file.
class CFile {
public:
    enum OpenFlags : std::uint32_t {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens path; on failure fills *error (cause, system code, path) when given.
    bool Open(const char* path, std::uint32_t flags, CFileException* error = nullptr);
    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    // Reads up to count bytes; returns how many were read (fewer only at the end).
    std::uint32_t Read(void* buffer, std::uint32_t count);
    // Writes all count bytes; a short write raises diskFull.
    void Write(const void* buffer, std::uint32_t count);
    void Flush();
    // Closes the file; a failure is reported without the file's name.
    void Close();

    bool IsOpen() const { return m_hFile != hFileNull; }
    const CString& GetFilePath() const { return m_strFileName; }
    // The name that failures report from here on.
    void SetFilePath(const CString& path) { m_strFileName = path; }

private:
    static constexpr std::intptr_t hFileNull = -1;

    [[noreturn]] void ThrowLastError() const;

    std::intptr_t m_hFile = hFileNull;
    CString m_strFileName;
};
