// The main dialog's path boxes, their exchange with the dialog's strings,
// the list of texture paths and the double-click into the source box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "case_variants.h"
#include "app/resource.h"
#include "command_driver.h"
#include "gui_driver.h"
#include "sp3x_writer.h"
#include "test_support.h"
#include "window_checks.h"

namespace {

const std::string k31 = "data\\abcdefghijklmnopqrstuvwxyz";
const std::string k32 = k31 + "0";
const std::string kUnterminated = "abcdefghijklmnopqrstuvwxyz012345";  // fills a field: no zero byte

std::string Model(const std::vector<sp3x::Lod>& lods)
{
    return sp3x::Build(sp3x::Model{lods});
}

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

// Wine hands the clipboard on to the display in the background: the text is
// put again until it can be read back.
bool PutOnClipboard(const std::string& text)
{
    return gui::WaitUntil([&] {
        if (!::OpenClipboard(nullptr))
            return false;
        ::EmptyClipboard();
        const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_TEXT, memory);
        ::CloseClipboard();
        return gui::WaitUntil([&] { return ClipboardText() == text; }, 500);
    });
}

TEST(DataExchange, BothBoxesTakeAtMost31CharactersTypedOrPasted)
{
    ASSERT_TRUE(PutOnClipboard(k32 + "more"));
    DriveMainDialog([&](MainDialogDriver& dialog) {
        for (int box : {IDC_EDIT_SOURCE, IDC_EDIT_TARGET}) {
            SCOPED_TRACE(box);
            dialog.Type(box, k32);
            EXPECT_EQ(dialog.BoxText(box), k31);
            dialog.SetBoxText(box, "");
            ::SendMessageA(::GetDlgItem(dialog.m_hMain, box), WM_PASTE, 0, 0);
            EXPECT_EQ(dialog.BoxText(box), k31);
        }
    });
}

// Only the program itself can put a longer text into a box; reading it back
// fails the check, which points at that box, and the dialog stays open.
TEST(DataExchange, OverLongTextIsRefusedOnReadingWithFocusAndSelectionInItsBox)
{
    for (int box : {IDC_EDIT_SOURCE, IDC_EDIT_TARGET}) {
        SCOPED_TRACE(box);
        const INT_PTR result = DriveMainDialog([&](MainDialogDriver& dialog) {
            dialog.SetBoxText(box, k32);
            dialog.Click(IDOK);
            const MainDialogDriver::Message message = dialog.TakeMessage();
            EXPECT_EQ(message.text, "Please enter no more than 31 characters.");
            EXPECT_EQ(message.icon, ::LoadIconA(nullptr, IDI_EXCLAMATION));
            EXPECT_TRUE(dialog.Idle()) << "the dialog stays open";
            EXPECT_EQ(gui::FocusOf(dialog.m_uiThread), ::GetDlgItem(dialog.m_hMain, box));
            DWORD start = 1;
            DWORD end = 0;
            ::SendMessageW(::GetDlgItem(dialog.m_hMain, box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, k32.size());
            dialog.SetBoxText(box, k31);
            dialog.Click(IDOK);
            EXPECT_TRUE(gui::WaitForClosed(dialog.m_hMain));
        });
        EXPECT_EQ(result, IDOK);
    }
}

TEST(TextureList, ShowsEachPathOnceIgnoringCaseSpelledAsOnItsFirstFaceInAlphabeticalOrder)
{
    sp3x::Lod first = sp3x::LodWithTextures({"Data\\Tank.paa", "", "zeta.paa", "data\\TANK.paa", kUnterminated});
    first.faces.push_back({std::string("alpha.paa\0stale bytes", 21)});
    const sp3x::Lod second = sp3x::LodWithTextures({"DATA\\tank.PAA", "ALPHA.PAA", "b.pac", "", "Data\\Tank.paa"});
    const test::TempDir dir;
    const std::string file = dir.Write("mixed.p3d", Model({first, second}));
    const std::string noFaces = dir.Write("nofaces.p3d", Model({sp3x::LodWithTextures({})}));
    DriveMainDialogWithModel(file, [&](MainDialogDriver& dialog) {
        EXPECT_EQ(dialog.List(),
                  (std::vector<std::string>{kUnterminated, "alpha.paa", "b.pac", "Data\\Tank.paa", "zeta.paa"}));
        EXPECT_EQ(dialog.Selection(), LB_ERR);
        dialog.Open(noFaces);
        EXPECT_TRUE(dialog.Idle());
        EXPECT_TRUE(dialog.List().empty());
    });
}

TEST(TextureList, DoubleClickCopiesThePathIntoTheSourceBoxAndKeepsTheTyping)
{
    const test::TempDir dir;
    const std::string file = dir.Write("tank.p3d", Model({sp3x::LodWithTextures({"data\\hull.paa", "data\\track.pac"})}));
    DriveMainDialogWithModel(file, [&](MainDialogDriver& dialog) {
        dialog.SetBoxText(IDC_EDIT_SOURCE, "typed");
        dialog.Type(IDC_EDIT_TARGET, "models\\");
        dialog.DoubleClick(1);
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_SOURCE), "data\\track.pac");
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_TARGET), "models\\");
        dialog.SetBoxText(IDC_EDIT_SOURCE, "typed again");
        dialog.DoubleClick(-1);
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_SOURCE), "typed again") << "nothing selected, nothing copied";
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_TARGET), "models\\");
    });
}

// A field without a zero byte lists as its 32 bytes; copied into the source
// box it fails the next reading, and Change goes on with it.
TEST(TextureList, DoubleClickedPathOf32BytesFailsTheCheckAndChangeStillReplacesIt)
{
    const test::TempDir dir;
    const std::string file = dir.Write("full.p3d", Model({sp3x::LodWithTextures({kUnterminated, "keep.paa"})}));
    DriveMainDialogWithModel(file, [&](MainDialogDriver& dialog) {
        dialog.Type(IDC_EDIT_TARGET, "fixed.paa");
        dialog.DoubleClick(0);
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_SOURCE), kUnterminated);
        dialog.Click(IDC_BUTTON_CHANGE);
        EXPECT_EQ(dialog.TakeMessage().text, "Please enter no more than 31 characters.");
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"fixed.paa", "keep.paa"}));
    });
}

// The list merges by the list box's own comparison, which knows the letters
// of the ANSI code page, and keeps the spelling of the first face.
TEST(CodePage, TextureListMergesPathsThatDifferInTheCaseOfTheCodePagesLetters)
{
    const CaseVariant& v = CaseVariantOfThisCodePage();
    const test::TempDir dir;
    const std::string file = dir.Write("variants.p3d", Model({sp3x::LodWithTextures({v.other, "b.paa", v.entry, v.other})}));
    DriveMainDialogWithModel(file, [&](MainDialogDriver& dialog) {
        std::vector<std::string> entries = dialog.List();
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, (std::vector<std::string>{"b.paa", v.other}));
    });
}

}  // namespace
