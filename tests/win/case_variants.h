#pragma once

#include <windows.h>

// Two spellings of one path that differ only in the case of letters of an
// ANSI code page, for each code page the tests run under.
struct CaseVariant {
    UINT codePage;
    const char* entry;
    const char* other;
};

inline constexpr CaseVariant kCaseVariants[] = {
    {1252, "Donn\xC9" "es\\\xC9t\xC9.paa", "donn\xE9" "es\\\xE9t\xE9.PAA"},
    {1251, "\xD2\xE5\xEA\xF1\xF2\xF3\xF0\xFB\\\xC1\xD2\xD0.paa", "\xF2\xC5\xCA\xD1\xD2\xD3\xD0\xDB\\\xE1\xF2\xF0.PAA"},
    {932, "\x95\x5C\\Tank.paa", "\x95\x5C\\tANK.PAA"},
};

// The variant of the code page this run has.
inline const CaseVariant& CaseVariantOfThisCodePage()
{
    for (const CaseVariant& variant : kCaseVariants) {
        if (variant.codePage == ::GetACP())
            return variant;
    }
    return kCaseVariants[0];
}
