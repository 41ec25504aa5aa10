#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "expected_dialogs.h"
#include "dialog_template.h"

namespace {

constexpr WORD kEnglishUs = 1033;
constexpr WORD kFinnish = 1035;

HMODULE Module()
{
    return ::GetModuleHandleW(nullptr);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

std::vector<WORD> Languages(LPCWSTR type, LPCWSTR name)
{
    std::vector<WORD> languages;
    ::EnumResourceLanguagesW(Module(), type, name, &CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::string ResourceBytes(LPCWSTR type, LPCWSTR name)
{
    const HRSRC resource = ::FindResourceW(Module(), name, type);
    if (!resource)
        return {};
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(Module(), resource)));
    return std::string(data, ::SizeofResource(Module(), resource));
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

void ExpectTemplate(const ExpectedDialog& expected)
{
    const DialogTemplate dialog = LoadDialogTemplate(expected.templateId);
    EXPECT_EQ(dialog.version, 1);
    EXPECT_EQ(dialog.signature, 0xFFFF);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.style, expected.style);
    EXPECT_EQ(dialog.exStyle, expected.exStyle);
    EXPECT_EQ(dialog.at.x, 0);
    EXPECT_EQ(dialog.at.y, 0);
    EXPECT_EQ(dialog.at.cx, expected.cx);
    EXPECT_EQ(dialog.at.cy, expected.cy);
    EXPECT_EQ(dialog.menu, L"");
    EXPECT_EQ(dialog.className, L"");
    EXPECT_EQ(dialog.caption, expected.caption);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 1);
    EXPECT_EQ(dialog.typeface, L"MS Shell Dlg");
    ASSERT_EQ(dialog.items.size(), expected.controls.size());
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        const DialogItem& item = dialog.items[i];
        const ExpectedControl& control = expected.controls[i];
        EXPECT_EQ(item.className, control.className);
        EXPECT_EQ(static_cast<int>(item.id), control.id);
        EXPECT_EQ(item.text, control.text);
        EXPECT_EQ(item.style, control.style);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_EQ(item.at.x, control.x);
        EXPECT_EQ(item.at.y, control.y);
        EXPECT_EQ(item.at.cx, control.cx);
        EXPECT_EQ(item.at.cy, control.cy);
        EXPECT_EQ(item.extraCount, 0);
    }
}

TEST(Resources, DialogTemplatesHoldTheFrameAndEveryControlAsDesigned)
{
    for (const ExpectedDialog& expected : {kMainDialog, kAboutDialog}) {
        SCOPED_TRACE(expected.templateId);
        ExpectTemplate(expected);
    }
}

TEST(Resources, EveryResourceIsEnglishExceptTheIconsWhichAreFinnish)
{
    const struct {
        LPCWSTR type;
        LPCWSTR name;
        WORD language;
    } cases[] = {
        {MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(100), kEnglishUs},
        {MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(102), kEnglishUs},
        {MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(101 / 16 + 1), kEnglishUs},
        {MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), kEnglishUs},
        {MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), kEnglishUs},
        {MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(128), kFinnish},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(reinterpret_cast<ULONG_PTR>(c.name));
        EXPECT_EQ(Languages(c.type, c.name), std::vector<WORD>{c.language});
    }
    const std::string group = ResourceBytes(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(128));
    ASSERT_GE(group.size(), 6u);
    for (WORD i = 0; i < 9; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof(entry), sizeof(entry));
        EXPECT_EQ(Languages(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(entry.id)), std::vector<WORD>{kFinnish});
    }
}

TEST(Resources, StringTableHoldsTheAboutItemAndNoApplicationTitle)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(Module(), 101, reinterpret_cast<LPWSTR>(&text), 0);
    EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(length)), L"&Инфо Veltrane...");
    EXPECT_EQ(::LoadStringW(Module(), 0xE000, reinterpret_cast<LPWSTR>(&text), 0), 0);
}

TEST(Resources, IconGroupHoldsNineImagesOfTheListedSizesAndDepths)
{
    const struct {
        int size;
        int colours;
        int bits;
    } expected[] = {{48, 16, 4}, {32, 16, 4}, {16, 16, 4}, {48, 0, 8}, {32, 0, 8},
                    {16, 0, 8},  {48, 0, 24}, {32, 0, 24}, {16, 0, 24}};
    const std::string group = ResourceBytes(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(128));
    ASSERT_EQ(group.size(), 6 + 9 * sizeof(GroupIconEntry));
    WORD header[3];
    std::memcpy(header, group.data(), sizeof(header));
    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(header[2], 9);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof(entry), sizeof(entry));
        EXPECT_EQ(entry.width, expected[i].size);
        EXPECT_EQ(entry.height, expected[i].size);
        EXPECT_EQ(entry.colorCount, expected[i].colours);
        EXPECT_EQ(entry.bitCount, expected[i].bits);
        const std::string image = ResourceBytes(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytesInRes);
        BITMAPINFOHEADER bitmap;
        std::memcpy(&bitmap, image.data(), sizeof(bitmap));
        EXPECT_EQ(bitmap.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(bitmap.biWidth, expected[i].size);
        EXPECT_EQ(bitmap.biHeight, 2 * expected[i].size) << "colour bitmap and AND mask";
        EXPECT_EQ(bitmap.biBitCount, expected[i].bits);
        EXPECT_EQ(bitmap.biCompression, static_cast<DWORD>(BI_RGB));
        const std::size_t row = (expected[i].size * expected[i].bits + 31) / 32 * 4;
        const std::size_t mask = (expected[i].size + 31) / 32 * 4;
        const std::size_t palette = expected[i].bits < 24 ? (std::size_t{1} << expected[i].bits) * 4 : 0;
        EXPECT_EQ(image.size(), sizeof(bitmap) + palette + (row + mask) * expected[i].size);
    }
}

std::wstring VersionString(const std::string& block, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904e4\\") + name;
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
        return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(Resources, VersionInformationDescribesVeltrane1001)
{
    const std::string block = ResourceBytes(MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 4u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    const std::pair<const wchar_t*, const wchar_t*> values[] = {
        {L"CompanyName", L"Veltrane"},       {L"FileDescription", L"Veltrane"},
        {L"FileVersion", L"1.0.0.1"},        {L"InternalName", L"Veltrane.exe"},
        {L"OriginalFilename", L"Veltrane.exe"}, {L"ProductVersion", L"1.0.0.1"},
    };
    for (const auto& [name, text] : values)
        EXPECT_EQ(VersionString(block, name), text) << name;
    EXPECT_NE(VersionString(block, L"ProductName"), L"<missing>");
    EXPECT_NE(VersionString(block, L"LegalCopyright"), L"<missing>");

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
}

TEST(Resources, ManifestBindsCommonControls6ForTheBuildsArchitectureWithCrLfLines)
{
    const std::string manifest = ResourceBytes(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty());
    EXPECT_TRUE(manifest.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"));
    for (std::size_t at = manifest.find('\n'); at != std::string::npos; at = manifest.find('\n', at + 1))
        EXPECT_EQ(manifest[at - 1], '\r') << "line feed without carriage return at " << at;
    const std::string arch = std::string("processorArchitecture=\"") + VELTRANE_MANIFEST_ARCH + "\"";
    const char* const fragments[] = {
        "xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"",
        "version=\"1.0.0.0\"",
        "name=\"Microsoft.Windows.Veltrane\"",
        "<description>Your app description here</description>",
        "name=\"Microsoft.Windows.Common-Controls\"",
        "version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
        "language=\"*\"",
    };
    for (const char* fragment : fragments)
        EXPECT_NE(manifest.find(fragment), std::string::npos) << fragment;
    const std::size_t first = manifest.find(arch);
    ASSERT_NE(first, std::string::npos) << arch;
    EXPECT_NE(manifest.find(arch, first + 1), std::string::npos) << "both identities name " << arch;
}

}  // namespace
