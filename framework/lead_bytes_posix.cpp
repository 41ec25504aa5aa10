#include "framework/lead_bytes.h"

// POSIX has no ANSI code page: texts are searched byte by byte.
const CLeadByteSet& AfxGetAnsiLeadBytes()
{
    static const CLeadByteSet none;
    return none;
}
