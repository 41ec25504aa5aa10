#include "framework/lead_bytes.h"

#include <windows.h>

namespace {

CLeadByteSet ReadAnsiLeadBytes()
{
    CLeadByteSet set;
    CPINFO info;
    if (!::GetCPInfo(::GetACP(), &info))
        return set;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        set.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
    return set;
}

}  // namespace

const CLeadByteSet& AfxGetAnsiLeadBytes()
{
    static const CLeadByteSet set = ReadAnsiLeadBytes();
    return set;
}
