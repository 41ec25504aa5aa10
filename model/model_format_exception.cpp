#include "model/model_format_exception.h"

#include "framework/file_exception.h"

CString CModelFormatException::GetErrorMessage() const
{
    const CString name = m_strFileName.IsEmpty() ? CString(kUnnamedFile) : m_strFileName;
    return name + " " + m_problem;
}
