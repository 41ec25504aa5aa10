#pragma once

#include "framework/exception.h"

// A model that a command refuses, with the reason shown after its path.
class CCommandFailure : public CException {
public:
    explicit CCommandFailure(CString reason) : m_strReason(std::move(reason)) {}
    CString GetErrorMessage() const override { return m_strReason; }

private:
    CString m_strReason;
};
