#include "framework/atomic_file.h"

CAtomicFile::CAtomicFile(const char* targetPath)
{
    CFileException error;
    if (!Open(targetPath, &error))
        throw error;
}

bool CAtomicFile::Open(const char* targetPath, CFileException* pError)
{
    m_strTargetPath = targetPath;
    try {
        CreateTemporary();
        OpenTemporary();
        return true;
    } catch (const CFileException& e) {
        m_strTempPath = CString();
        if (pError)
            *pError = e;
        return false;
    }
}

CAtomicFile::~CAtomicFile()
{
    if (m_bCommitted || m_strTempPath.IsEmpty())
        return;
    try {
        m_file.Close();
    } catch (const CFileException&) {
        // The file is removed anyway.
    }
    RemoveTemporary();
}

void CAtomicFile::Commit()
{
    m_file.Flush();
    CloseTemporary();
    ReplaceTarget();
    m_bCommitted = true;
}

void CAtomicFile::OpenTemporary()
{
    CFileException error;
    if (!m_file.Open(m_strTempPath, CFile::modeWrite | CFile::shareExclusive, &error)) {
        RemoveTemporary();
        AfxThrowFileException(error.m_cause, error.m_lOsError, m_strTargetPath);
    }
    // Writes report the file the user asked for, not the temporary one.
    m_file.SetFilePath(m_strTargetPath);
}

// CFile::Close forgets the name before it reports a failure; name the target.
void CAtomicFile::CloseTemporary()
{
    try {
        m_file.Close();
    } catch (const CFileException& e) {
        AfxThrowFileException(e.m_cause, e.m_lOsError, m_strTargetPath);
    }
}
