#pragma once

#include <string>

#include "framework/exception.h"

// A file that is not a model this tool can index: damaged, of another
// format, or too large. The message names the file and says what is wrong.
class CModelFormatException : public CException {
public:
    // problem completes a sentence that starts with the file name.
    CModelFormatException(CString fileName, std::string problem)
        : m_strFileName(std::move(fileName)), m_problem(std::move(problem)) {}

    CString GetErrorMessage() const override;
    // What is wrong, without the file name: the message after it.
    const std::string& GetProblem() const { return m_problem; }

    CString m_strFileName;

private:
    std::string m_problem;
};
