#include "framework/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/errno_cause.h"

int ErrnoToCause(int error)
{
    switch (error) {
    case ENOENT:
        return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return CFileException::badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR:
        return CFileException::accessDenied;
    case EMFILE:
    case ENFILE:
        return CFileException::tooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return CFileException::diskFull;
    case EIO:
        return CFileException::hardIO;
    default:
        return CFileException::genericException;
    }
}

namespace {

int OpenFlagsFor(std::uint32_t flags)
{
    const int access = (flags & CFile::modeWrite) ? O_WRONLY : O_RDONLY;
    return O_CLOEXEC | access | ((flags & CFile::modeCreate) ? O_CREAT | O_TRUNC : 0);
}

// A directory opens for reading on POSIX; refuse it as Windows does.
bool IsDirectory(int fd)
{
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

CFile::~CFile()
{
    if (IsOpen())
        ::close(static_cast<int>(m_hFile));
}

bool CFile::Open(const char* path, std::uint32_t flags, CFileException* error)
{
    // Sharing modes have no POSIX counterpart; they are honoured on Windows only.
    int fd = ::open(path, OpenFlagsFor(flags), 0666);
    int openError = errno;
    if (fd >= 0 && IsDirectory(fd)) {
        ::close(fd);
        fd = -1;
        openError = EISDIR;
    }
    if (fd < 0) {
        if (error)
            *error = CFileException(ErrnoToCause(openError), openError, path);
        return false;
    }
    m_hFile = fd;
    m_strFileName = path;
    return true;
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    const off_t position = ::lseek(static_cast<int>(m_hFile), static_cast<off_t>(offset), whence);
    if (position < 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(position);
}

std::uint32_t CFile::Read(void* buffer, std::uint32_t count)
{
    auto* bytes = static_cast<char*>(buffer);
    std::uint32_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(static_cast<int>(m_hFile), bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowLastError();
        if (got == 0)
            break;
        done += static_cast<std::uint32_t>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, std::uint32_t count)
{
    const auto* bytes = static_cast<const char*>(buffer);
    std::uint32_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(static_cast<int>(m_hFile), bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            ThrowLastError();
        if (put == 0)
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
        done += static_cast<std::uint32_t>(put);
    }
}

void CFile::Flush()
{
    if (::fsync(static_cast<int>(m_hFile)) != 0)
        ThrowLastError();
}

void CFile::Close()
{
    const int fd = static_cast<int>(m_hFile);
    m_hFile = hFileNull;
    m_strFileName = CString();
    if (fd >= 0 && ::close(fd) != 0)
        AfxThrowFileException(ErrnoToCause(errno), errno);
}

void CFile::ThrowLastError() const
{
    const int error = errno;
    AfxThrowFileException(ErrnoToCause(error), error, m_strFileName);
}
