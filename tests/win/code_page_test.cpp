#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "case_variants.h"
#include "framework/list_box.h"
#include "gui_driver.h"
#include "window_checks.h"

namespace {

// The ANSI code page this run is meant to have, from the locale Wine was given.
UINT ExpectedCodePage()
{
    const char* locale = std::getenv("LC_ALL");
    const std::string name = locale ? locale : "";
    if (name.starts_with("ru_RU"))
        return 1251;
    if (name.starts_with("ja_JP"))
        return 932;
    return 1252;
}

bool IsCharacter(const std::string& bytes)
{
    return ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                 0) > 0;
}

// Every byte from 0x20 up that is a whole character of the code page, and
// for a double-byte code page some two-byte characters whose second byte is
// a backslash.
std::string CodePageCharacters(std::string& refused)
{
    std::string text;
    for (int value = 0x20; value <= 0xFF; ++value) {
        const std::string byte(1, static_cast<char>(value));
        if (::IsDBCSLeadByte(static_cast<BYTE>(value)))
            continue;
        (IsCharacter(byte) ? text : refused) += byte;
    }
    for (const char* pair : {"\x95\x5C", "\x83\x5C", "\x8A\x5C"}) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(pair[0])) && IsCharacter(pair))
            text += pair;
    }
    return text;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char buffer[4];
    for (unsigned char c : bytes) {
        std::snprintf(buffer, sizeof(buffer), "%02X ", c);
        out += buffer;
    }
    return out;
}

TEST(CodePage, IsTheOneThisRunAsksFor)
{
    EXPECT_EQ(::GetACP(), ExpectedCodePage());
}

// The dialogs are Unicode windows; the program's paths reach their edit and
// list boxes as 8-bit ANSI texts, which must come back unchanged.
TEST(CodePage, EightBitTextsSurviveTheDialogsEditAndListBoxes)
{
    std::string refused;
    const std::string characters = CodePageCharacters(refused);
    RecordProperty("refused_bytes", Hex(refused));
    RunMainDialog([&](HWND main) {
        CWnd edit;
        edit.m_hWnd = ::GetDlgItem(main, 1000);
        CListBox list;
        list.Attach(::GetDlgItem(main, 1002));
        for (std::size_t start = 0; start < characters.size(); start += 31) {
            std::size_t length = std::min<std::size_t>(31, characters.size() - start);
            if (length < characters.size() - start && ::IsDBCSLeadByte(static_cast<BYTE>(characters[start + length - 1])))
                --length;
            const std::string path = characters.substr(start, length);
            SCOPED_TRACE(Hex(path));
            edit.SetWindowText(path.c_str());
            CString read;
            edit.GetWindowText(read);
            EXPECT_EQ(read.Str(), path);
            const int index = list.AddString(path.c_str());
            ASSERT_GE(index, 0);
            list.GetText(index, read);
            EXPECT_EQ(read.Str(), path);
            EXPECT_EQ(list.FindStringExact(-1, path.c_str()), index);
        }
        gui::Press(main, IDCANCEL);
        EXPECT_TRUE(gui::WaitForClosed(main));
    });
}

TEST(CodePage, ListBoxFindsItsEntriesIgnoringTheCaseOfTheCodePagesLetters)
{
    RunMainDialog([&](HWND main) {
        CListBox list;
        list.Attach(::GetDlgItem(main, 1002));
        const CaseVariant& v = CaseVariantOfThisCodePage();
        const int index = list.AddString(v.entry);
        EXPECT_EQ(list.FindStringExact(-1, v.other), index);
        CString shown;
        list.GetText(index, shown);
        EXPECT_EQ(shown, v.entry);
        gui::Press(main, IDCANCEL);
        EXPECT_TRUE(gui::WaitForClosed(main));
    });
}

}  // namespace
