#pragma once

#include "framework/ansi_string.h"
#include "framework/file.h"

// Replaces a file all or nothing. Open (or the constructor) creates a
// temporary file in the target's folder, and the caller writes the new
// content to GetFile(). Commit flushes and closes it and renames it over the
// target, which keeps its permissions. Until Commit succeeds the target stays
// exactly as it was; without it the destructor removes the temporary file.
// Every failure raises CFileException naming the target, except that of Open,
// which fills the file-error record as CFile::Open does.
class CAtomicFile {
public:
    CAtomicFile() = default;
    explicit CAtomicFile(const char* targetPath);
    // Creates the temporary file for targetPath; false, with *pError filled
    // when given, and nothing left behind when that fails.
    bool Open(const char* targetPath, CFileException* pError = nullptr);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    CFile& GetFile() { return m_file; }
    void Commit();

private:
    void OpenTemporary();
    void CloseTemporary();
    // The platform's part: an empty temporary file beside the target.
    void CreateTemporary();
    void ReplaceTarget();
    void RemoveTemporary() noexcept;

    CString m_strTargetPath;
    CString m_strReplacedPath;  // the target, or on POSIX the file its symbolic link leads to
    CString m_strTempPath;
    CFile m_file;
    bool m_bCommitted = false;
};
