#include "framework/file.h"

#include <windows.h>

namespace {

DWORD AccessFor(std::uint32_t flags)
{
    return (flags & CFile::modeWrite) ? GENERIC_WRITE : GENERIC_READ;
}

// Exclusive, or others may read but not write.
DWORD ShareFor(std::uint32_t flags)
{
    return (flags & CFile::shareDenyWrite) ? FILE_SHARE_READ : 0;
}

DWORD DispositionFor(std::uint32_t flags)
{
    return (flags & CFile::modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
}

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

CFile::~CFile()
{
    if (IsOpen())
        ::CloseHandle(AsHandle(m_hFile));
}

bool CFile::Open(const char* path, std::uint32_t flags, CFileException* error)
{
    const HANDLE file = ::CreateFileA(path, AccessFor(flags), ShareFor(flags), nullptr,
                                      DispositionFor(flags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const long osError = static_cast<long>(::GetLastError());
        if (error)
            *error = CFileException(CFileException::OsErrorToException(osError), osError, path);
        return false;
    }
    m_hFile = reinterpret_cast<std::intptr_t>(file);
    m_strFileName = path;
    return true;
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    const DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(AsHandle(m_hFile), distance, &position, method))
        ThrowLastError();
    return static_cast<std::uint64_t>(position.QuadPart);
}

std::uint32_t CFile::Read(void* buffer, std::uint32_t count)
{
    DWORD got = 0;
    if (!::ReadFile(AsHandle(m_hFile), buffer, count, &got, nullptr))
        ThrowLastError();
    return got;
}

void CFile::Write(const void* buffer, std::uint32_t count)
{
    DWORD put = 0;
    if (!::WriteFile(AsHandle(m_hFile), buffer, count, &put, nullptr))
        ThrowLastError();
    if (put < count)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush()
{
    if (!::FlushFileBuffers(AsHandle(m_hFile)))
        ThrowLastError();
}

void CFile::Close()
{
    const HANDLE file = AsHandle(m_hFile);
    m_hFile = hFileNull;
    m_strFileName = CString();
    if (file != INVALID_HANDLE_VALUE && !::CloseHandle(file)) {
        const long osError = static_cast<long>(::GetLastError());
        AfxThrowFileException(CFileException::OsErrorToException(osError), osError);
    }
}

void CFile::ThrowLastError() const
{
    const long osError = static_cast<long>(::GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(osError), osError, m_strFileName);
}
