#pragma once

#include "framework/exception.h"

// A failed file operation: its cause, the system's error code and the file.
class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, long osError = -1, CString fileName = {})
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    // The cause text with %1 replaced by the file name, or by "an unnamed file".
    CString GetErrorMessage() const override;

    // The cause for a Windows error code (GetLastError); unknown codes give genericException.
    static int OsErrorToException(long windowsError);

    int m_cause;
    long m_lOsError;
    CString m_strFileName;
};

// The text shown for a file that has no name.
inline constexpr const char* kUnnamedFile = "an unnamed file";

[[noreturn]] inline void AfxThrowFileException(int cause, long osError = -1, CString fileName = {})
{
    throw CFileException(cause, osError, std::move(fileName));
}
