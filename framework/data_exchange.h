#pragma once

#include <windows.h>

#include "framework/ansi_string.h"

class CWnd;

// The state of one data exchange between a dialog's controls and its members.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control nIDC, remembered as the one a failed check points at.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange after a failed check has been reported: the focus
    // goes to the last prepared control, an edit box with its text selected.
    [[noreturn]] void Fail() const;

    // TRUE: controls to members, with checks; FALSE: members to controls.
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// The text of edit box nIDC and value.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Reading: fails when value, just read, is longer than nChars bytes.
// Either way the last edit box is limited to nChars from then on.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// Attaches control to the dialog's control nIDC at the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
