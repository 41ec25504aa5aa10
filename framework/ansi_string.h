#pragma once

#include <string>
#include <string_view>

// An 8-bit string in the ANSI code page: no conversion, lengths in bytes.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string_view text) : m_text(text) {}
    CString(std::string text) : m_text(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    std::string_view View() const { return m_text; }
    const std::string& Str() const { return m_text; }

    CString& operator+=(std::string_view text) { m_text += text; return *this; }
    friend CString operator+(CString left, std::string_view right) { return left += right; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }

private:
    std::string m_text;
};
