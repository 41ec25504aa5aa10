#include "framework/atomic_file.h"

#include <string>

#include <windows.h>

namespace {

int CauseOf(DWORD error)
{
    switch (error) {
    case ERROR_DIRECTORY:  // the target's folder is missing
        return CFileException::badPath;
    case ERROR_UNABLE_TO_REMOVE_REPLACED:  // another program holds the target open
        return CFileException::sharingViolation;
    default:
        return CFileException::OsErrorToException(static_cast<long>(error));
    }
}

CFileException WindowsException(DWORD error, const CString& path)
{
    return CFileException(CauseOf(error), static_cast<long>(error), path);
}

CFileException LastErrorException(const CString& path) { return WindowsException(::GetLastError(), path); }

// The folder part of path, keeping the separator of a root such as C:\ or \.
std::string FolderOf(const std::string& path)
{
    const std::size_t end = path.find_last_of("\\/:");
    if (end == std::string::npos)
        return ".";
    const bool root = path[end] == ':' || end == 0 || path[end - 1] == ':';
    return path.substr(0, root ? end + 1 : end);
}

// A read-only file is refused rather than replaced, and so is a folder.
void RefuseReadOnlyTarget(const CString& target)
{
    const DWORD attributes = ::GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;  // no such file yet, or a folder that the temporary file reports
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        throw WindowsException(ERROR_ACCESS_DENIED, target);
}

// A program that holds the target open without sharing its deletion keeps
// any rename from replacing it; find out before anything moves.
void RefuseTargetHeldOpen(const CString& target)
{
    const HANDLE file = ::CreateFileA(target, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return;
    }
    if (::GetLastError() == ERROR_SHARING_VIOLATION)
        throw WindowsException(ERROR_SHARING_VIOLATION, target);
}

}  // namespace

void CAtomicFile::CreateTemporary()
{
    m_strReplacedPath = m_strTargetPath;
    RefuseReadOnlyTarget(m_strTargetPath);
    char name[MAX_PATH];
    if (!::GetTempFileNameA(FolderOf(m_strTargetPath.Str()).c_str(), "vlt", 0, name))
        throw LastErrorException(m_strTargetPath);
    m_strTempPath = name;
}

// ReplaceFile keeps the target's attributes and security; with a backup name
// it either replaces the target or leaves it where it can be put back.
void CAtomicFile::ReplaceTarget()
{
    RefuseTargetHeldOpen(m_strTargetPath);
    const CString backup = m_strTempPath + ".old";
    if (::ReplaceFileA(m_strTargetPath, m_strTempPath, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        ::DeleteFileA(backup);
        return;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) {  // there is no target yet
        if (::MoveFileExA(m_strTempPath, m_strTargetPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return;
        throw LastErrorException(m_strTargetPath);
    }
    // The target was moved to the backup name but the new file not into its place.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        ::MoveFileExA(backup, m_strTargetPath, MOVEFILE_WRITE_THROUGH);
    throw WindowsException(error, m_strTargetPath);
}

void CAtomicFile::RemoveTemporary() noexcept
{
    ::DeleteFileA(m_strTempPath);
}
