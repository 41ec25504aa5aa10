#pragma once

#include "framework/ansi_string.h"
#include "framework/dialog.h"
#include "framework/list_box.h"
#include "model/model_image.h"

// The tool's one window: the path boxes, the list of the model's texture
// paths and the buttons; the About item of its system menu.
class CMainDialog : public CDialog {
public:
    explicit CMainDialog(CWnd* pParent = nullptr);

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
    BOOL OnInitDialog() override;

    // The About item opens the About box; other commands get the default.
    void OnSysCommand(UINT nID, LPARAM lParam);
    // Draws the icon centred in the client area while minimised.
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    HICON m_hIcon;
    CString m_strSource;
    CString m_strTarget;
    CListBox m_listTextures;
    CModelImage m_image;

private:
    void AppendAboutItem() const;
};
