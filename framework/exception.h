#pragma once

#include "framework/ansi_string.h"

// Base of the exceptions the framework and the model raise; thrown by value,
// caught by reference. Each knows the text the user is shown.
class CException {
public:
    virtual ~CException() = default;
    virtual CString GetErrorMessage() const = 0;

protected:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
};

class CMemoryException : public CException {
public:
    CString GetErrorMessage() const override { return "Out of memory."; }
};

[[noreturn]] inline void AfxThrowMemoryException() { throw CMemoryException(); }
