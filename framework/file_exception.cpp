#include "framework/file_exception.h"

#include <array>
#include <string>

namespace {

constexpr std::array<const char*, 15> kCauseTexts = {
    "An unknown error occurred while accessing %1.",  // none: never reported
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};

struct OsErrorCause {
    long osError;
    int cause;
};

constexpr OsErrorCause kWindowsErrors[] = {
    {2, CFileException::fileNotFound},     {6, CFileException::fileNotFound},
    {18, CFileException::fileNotFound},    {3, CFileException::badPath},
    {15, CFileException::badPath},         {123, CFileException::badPath},
    {206, CFileException::badPath},        {4, CFileException::tooManyOpenFiles},
    {5, CFileException::accessDenied},     {19, CFileException::accessDenied},
    {80, CFileException::accessDenied},    {183, CFileException::accessDenied},
    {21, CFileException::hardIO},          {23, CFileException::hardIO},
    {25, CFileException::badSeek},         {32, CFileException::sharingViolation},
    {33, CFileException::lockViolation},   {38, CFileException::endOfFile},
    {39, CFileException::diskFull},        {112, CFileException::diskFull},
};

}  // namespace

CString CFileException::GetErrorMessage() const
{
    const bool known = m_cause >= 0 && m_cause < static_cast<int>(kCauseTexts.size());
    std::string text = kCauseTexts[known ? m_cause : genericException];
    const std::string name = m_strFileName.IsEmpty() ? kUnnamedFile : m_strFileName.Str();
    text.replace(text.find("%1"), 2, name);
    return text;
}

int CFileException::OsErrorToException(long windowsError)
{
    for (const OsErrorCause& entry : kWindowsErrors) {
        if (entry.osError == windowsError)
            return entry.cause;
    }
    return genericException;
}
