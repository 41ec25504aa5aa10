#pragma once

#include <string_view>

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
    // The two path boxes, each limited to the 31 bytes of a texture path,
    // then the list box.
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The About item opens the About box; other commands get the default.
    void OnSysCommand(UINT nID, LPARAM lParam);
    // Draws the icon centred in the client area while minimised.
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Loads a model chosen with the Open dialog and lists its paths.
    void OnOpen();
    // Replaces the source box's text by the target box's in every path.
    void OnChange();
    // Copies the double-clicked path into the source box.
    void OnDblclkTextureList();
    // Writes the model under a name chosen with the Save As dialog.
    void OnSave();

    // Fills the list box with the model's distinct non-empty texture paths.
    void RefreshTextureList();

    HICON m_hIcon;
    CString m_strSource;
    CString m_strTarget;
    CListBox m_listTextures;
    CModelImage m_image;

private:
    void AppendAboutItem() const;
    void AddTexturePath(std::string_view path) const;
};
