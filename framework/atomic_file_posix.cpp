#include "framework/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/types.h>
#include <optional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/errno_cause.h"

namespace {

CFileException ErrnoException(int error, const CString& path)
{
    return CFileException(ErrnoToCause(error), error, path);
}

// A symbolic link stays a link: the file it leads to is the one replaced.
CString ResolvedTarget(const CString& target)
{
    struct stat info {};
    if (::lstat(target, &info) != 0 || !S_ISLNK(info.st_mode))
        return target;
    char* resolved = ::realpath(target, nullptr);
    if (!resolved)
        return target;
    const CString result(resolved);
    std::free(resolved);
    return result;
}

// The file that will be replaced, if there is one. Only a regular file is
// ever replaced: never a folder, a device or a pipe.
std::optional<struct stat> ExistingFile(const CString& path, const CString& target)
{
    struct stat info {};
    if (::stat(path, &info) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw ErrnoException(errno, target);
    }
    if (!S_ISREG(info.st_mode))
        throw ErrnoException(EISDIR, target);
    return info;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RandomName()
{
    // A generator per thread, so that several threads may save files at once.
    thread_local std::mt19937_64 generator{std::random_device{}()};
    char name[40];
    std::snprintf(name, sizeof name, ".veltrane-%016llx.tmp", static_cast<unsigned long long>(generator()));
    return name;
}

// Creates a new empty file with a name of its own in folder and stores that
// name. Only its writer may read it until it takes over the replaced file's mode.
void CreateUniqueFile(const std::string& folder, mode_t mode, CString& name, const CString& target)
{
    for (;;) {
        name = folder + "/" + RandomName();
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            ::close(fd);
            return;
        }
        if (errno == ENOENT || errno == ENOTDIR)  // the folder itself is missing
            throw CFileException(CFileException::badPath, errno, target);
        if (errno != EEXIST)
            throw ErrnoException(errno, target);
    }
}

// Gives path the owner, where allowed, and the permission bits of the
// replaced file. Set last, so that even a read-only mode can be kept.
void TakeOverOwnerAndMode(const CString& path, const struct stat& replaced, const CString& target)
{
    // Only root may give a file away, and only to a group of its owner's;
    // where neither is allowed the file stays the writer's, as a new one would.
    [[maybe_unused]] const bool owned = ::chown(path, replaced.st_uid, replaced.st_gid) == 0 ||
                                        ::chown(path, static_cast<uid_t>(-1), replaced.st_gid) == 0;
    if (::chmod(path, replaced.st_mode & 07777) != 0)
        throw ErrnoException(errno, target);
}

}  // namespace

void CAtomicFile::CreateTemporary()
{
    m_strReplacedPath = ResolvedTarget(m_strTargetPath);
    const bool replacing = ExistingFile(m_strReplacedPath, m_strTargetPath).has_value();
    CreateUniqueFile(FolderOf(m_strReplacedPath.Str()), replacing ? 0600 : 0666, m_strTempPath, m_strTargetPath);
}

void CAtomicFile::ReplaceTarget()
{
    if (const std::optional<struct stat> replaced = ExistingFile(m_strReplacedPath, m_strTargetPath))
        TakeOverOwnerAndMode(m_strTempPath, *replaced, m_strTargetPath);
    if (::rename(m_strTempPath, m_strReplacedPath) != 0)
        throw ErrnoException(errno, m_strTargetPath);
}

void CAtomicFile::RemoveTemporary() noexcept
{
    ::unlink(m_strTempPath);
}
