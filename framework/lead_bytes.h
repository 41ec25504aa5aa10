#pragma once

#include <bitset>

// For each byte value, whether it begins a two-byte character of a code page.
class CLeadByteSet {
public:
    void AddRange(unsigned char first, unsigned char last)
    {
        for (unsigned value = first; value <= last; ++value)
            m_leadBytes.set(value);
    }
    bool IsLeadByte(unsigned char value) const { return m_leadBytes.test(value); }
    bool IsEmpty() const { return m_leadBytes.none(); }

private:
    std::bitset<256> m_leadBytes;
};

// The lead bytes of the system's ANSI code page, read once per process;
// empty where there are no ANSI code pages.
const CLeadByteSet& AfxGetAnsiLeadBytes();
