#include "framework/data_exchange.h"

#include <string>

#include "framework/exception.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

constexpr const char* kStringTooLong = "Please enter no more than %1 characters.";

CString StringTooLongPrompt(int nChars)
{
    std::string prompt = kStringTooLong;
    prompt.replace(prompt.find("%1"), 2, std::to_string(nChars));
    return prompt;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return m_pDlgWnd->GetDlgItem(nIDC);
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    const HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() const
{
    if (m_idLastControl != 0) {
        const HWND control = m_pDlgWnd->GetDlgItem(m_idLastControl);
        ::SetFocus(control);
        if (m_bEditLastControl)
            ::SendMessageA(control, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND edit = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        AfxGetWindowText(edit, value);
    else
        ::SetWindowTextA(edit, value);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        AfxMessageBox(StringTooLongPrompt(nChars), MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl)
        ::SendMessageA(pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl), EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassWindow(pDX->PrepareCtrl(nIDC));
}
