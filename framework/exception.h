#pragma once

#include "framework/ansi_string.h"

// Base of the exceptions the framework and the model raise; thrown by value,
// caught by reference. Each knows the text the user is shown.
class CException {
public:
    virtual ~CException() = default;
    virtual CString GetErrorMessage() const = 0;
#ifdef _WIN32
    // Shows the message in a message box of the application (MB_OK: 0).
    int ReportError(unsigned int nType = 0) const;
#endif

protected:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
};

class CMemoryException : public CException {
public:
    CString GetErrorMessage() const override { return "Out of memory."; }
};

// Ends an operation that has already told the user why: nothing more is shown.
class CUserException : public CException {
public:
    CString GetErrorMessage() const override { return {}; }
};

[[noreturn]] inline void AfxThrowMemoryException() { throw CMemoryException(); }
