#include "app/main_dialog.h"

#include <vector>

#include "app/about_dialog.h"
#include "app/resource.h"
#include "framework/atomic_file.h"
#include "framework/data_exchange.h"
#include "framework/dc.h"
#include "framework/file.h"
#include "framework/file_dialog.h"
#include "framework/resource_string.h"
#include "framework/win_app.h"
#include "model/texture_field.h"

namespace {

constexpr const char* kModelFilter = "OFP MLOD Files(*.p3d)|*.p3d|All Files (*.*)|*.*||";
constexpr const char* kModelExtension = ".p3d";
constexpr const char* kNoModelLoaded = "No MLOD file loaded yet!";
constexpr const char* kPathTooLong = "Texture path would exceed 31 chars";

// Asks for a model file with the Open or the Save As dialog, in the older
// form of the system's description (no places bar); false when cancelled.
bool AskForModelPath(BOOL bOpen, DWORD dwFlags, CString& path)
{
    CFileDialog dlg(bOpen, kModelExtension, nullptr, dwFlags, kModelFilter, nullptr, OPENFILENAME_SIZE_VERSION_400A);
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

// An existing file must open for writing exclusively, so that one that
// another program holds open or that may not be written is refused before
// anything is written. It is not emptied, and a missing file is not created.
bool CanWriteOver(const CString& path, CFileException* pError)
{
    CFile target;
    if (!target.Open(path, CFile::modeWrite | CFile::shareExclusive, pError))
        return pError->m_lOsError == ERROR_FILE_NOT_FOUND;
    target.Close();
    return true;
}

// The model is written to a new file that replaces the chosen one only once
// it is complete, so that a failed write leaves the old file as it was.
bool OpenSaveTarget(const CString& path, CAtomicFile& file, CFileException* pError)
{
    return CanWriteOver(path, pError) && file.Open(path, pError);
}

// Whether the entry before or after index, where text has just been added,
// equals it as the list box compares. The list box sorts by the comparison
// it finds with, so an entry equal to the text sits right next to it, on
// either side. Each search is made to stop at an equal entry: at the text
// itself for the entry before, at a copy put in after the next entry for the
// entry after. Otherwise a search for a text without an equal would run
// through the whole list.
bool EqualEntryBeside(const CListBox& list, int index, const char* text)
{
    if (index > 0 && list.FindStringExact(index - 2, text) == index - 1)
        return true;
    if (index + 1 >= list.GetCount())
        return false;
    const int stop = list.InsertString(index + 2, text);
    const bool equal = list.FindStringExact(index, text) == index + 1;
    if (stop == index + 2)
        list.DeleteString(stop);
    return equal;
}

}  // namespace

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
        NotifyEntry<&CMainDialog::OnOpen>(BN_CLICKED, IDC_BUTTON_OPEN),
        NotifyEntry<&CMainDialog::OnChange>(BN_CLICKED, IDC_BUTTON_CHANGE),
        NotifyEntry<&CMainDialog::OnDblclkTextureList>(LBN_DBLCLK, IDC_LIST_TEXTURES),
        NotifyEntry<&CMainDialog::OnSave>(BN_CLICKED, IDC_BUTTON_SAVE),
    };
    static const AFX_MSGMAP map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CMainDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_SOURCE, m_strSource);
    DDV_MaxChars(pDX, m_strSource, kMaxTexturePath);
    DDX_Text(pDX, IDC_EDIT_TARGET, m_strTarget);
    DDV_MaxChars(pDX, m_strTarget, kMaxTexturePath);
    DDX_Control(pDX, IDC_LIST_TEXTURES, m_listTextures);
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

void CMainDialog::OnOpen()
{
    CString path;
    if (!AskForModelPath(TRUE, OFN_FILEMUSTEXIST, path))
        return;
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        error.ReportError();
        return;
    }
    CWaitCursor wait;
    m_image.Load(file);
    file.Close();
    RefreshTextureList();
}

void CMainDialog::OnChange()
{
    UpdateData(TRUE);
    CWaitCursor wait;
    if (!m_image.ReplaceTexturePaths(m_strSource, m_strTarget))
        MessageBox(kPathTooLong);
    RefreshTextureList();
}

void CMainDialog::OnDblclkTextureList()
{
    UpdateData(TRUE);
    const int selected = m_listTextures.GetCurSel();
    if (selected != LB_ERR)
        m_listTextures.GetText(selected, m_strSource);
    UpdateData(FALSE);
}

void CMainDialog::OnSave()
{
    if (m_image.m_nSize <= 0 || !m_image.m_pData) {
        MessageBox(kNoModelLoaded);
        return;
    }
    CString path;
    if (!AskForModelPath(FALSE, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, path))
        return;
    CAtomicFile file;
    CFileException error;
    if (!OpenSaveTarget(path, file, &error)) {
        error.ReportError();
        return;
    }
    m_image.Write(file.GetFile());
    file.Commit();
}

// Many faces share a text: the list box is asked about each text, byte for
// byte, once, in the order of the texts' first faces, and keeps the first of
// those it finds equal ignoring case. The texts are gathered before the
// list changes, and the list is drawn once, when it is complete.
void CMainDialog::RefreshTextureList()
{
    const std::vector<std::string_view> paths = DistinctTextureTexts(m_image.m_textureFields);
    m_listTextures.SetRedraw(FALSE);
    m_listTextures.ResetContent();
    for (std::string_view path : paths)
        AddTexturePath(path);
    m_listTextures.SetRedraw(TRUE);
    m_listTextures.Invalidate();
}

void CMainDialog::AddTexturePath(std::string_view path) const
{
    char entry[kTextureFieldSize + 1] = {};
    path.copy(entry, kTextureFieldSize);
    const int index = m_listTextures.AddString(entry);
    if (index >= 0 && EqualEntryBeside(m_listTextures, index, entry))
        m_listTextures.DeleteString(index);
}
