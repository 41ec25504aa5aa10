#include "framework/cmd_target.h"

bool CCmdTarget::OnCmdMsg(UINT nID, UINT nCode)
{
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, nCode, nID);
    if (!entry)
        return false;
    entry->pfnCall(*this, 0, 0);
    return true;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    static constexpr AFX_MSGMAP map{nullptr, {}};
    return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY& entry : map->entries) {
            if (entry.nMessage == nMessage && entry.nCode == nCode && entry.nID == nID)
                return &entry;
        }
    }
    return nullptr;
}
