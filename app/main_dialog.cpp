#include "app/main_dialog.h"

#include "app/about_dialog.h"
#include "app/resource.h"
#include "framework/dc.h"
#include "framework/resource_string.h"
#include "framework/win_app.h"

CMainDialog::CMainDialog(CWnd* pParent) : CDialog(IDD_MAIN, pParent)
{
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MAIN));
}

const AFX_MSGMAP* CMainDialog::GetMessageMap() const
{
    static constexpr AFX_MSGMAP_ENTRY entries[] = {
        MessageEntry<&CMainDialog::OnSysCommand>(WM_SYSCOMMAND),
        MessageEntry<&CMainDialog::OnPaint>(WM_PAINT),
        MessageEntry<&CMainDialog::OnQueryDragIcon>(WM_QUERYDRAGICON),
    };
    static const AFX_MSGMAP map{CDialog::GetMessageMap(), entries};
    return &map;
}

BOOL CMainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    AppendAboutItem();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    return TRUE;
}

void CMainDialog::AppendAboutItem() const
{
    const HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!sysMenu)
        return;
    const std::wstring text = AfxLoadStringW(IDS_ABOUT_ITEM);
    if (text.empty())
        return;
    ::AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(sysMenu, MF_STRING, IDM_ABOUT, text.c_str());
}

void CMainDialog::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & ~0xFu) == IDM_ABOUT) {
        CAboutDialog about;
        about.DoModal();
    } else {
        Default();
    }
}

void CMainDialog::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CMainDialog::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
