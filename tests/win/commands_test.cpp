// The Open, Change and Save commands of the real main dialog, worked through
// the real file dialogs on files in a temporary folder.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "app/resource.h"
#include "command_driver.h"
#include "gui_driver.h"
#include "import_patch.h"
#include "sp3x_writer.h"
#include "test_support.h"
#include "window_checks.h"

namespace {

const HICON kExclamation = ::LoadIconA(nullptr, IDI_EXCLAMATION);
const HICON kStop = ::LoadIconA(nullptr, IDI_HAND);

std::string Model(const std::vector<std::string>& textures)
{
    return sp3x::Build(sp3x::Model{{sp3x::LodWithTextures(textures)}});
}

const std::string kTank = Model({"data\\hull.paa", "data\\track.pac", "data\\hull.paa"});

// A file held open by another program, with the access and sharing given.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD access, DWORD share)
        : m_handle(::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        EXPECT_NE(m_handle, INVALID_HANDLE_VALUE);
    }
    ~HeldFile() { ::CloseHandle(m_handle); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    HANDLE m_handle;
};

void ExpectMessage(const MainDialogDriver& dialog, const std::string& text, HICON icon)
{
    const MainDialogDriver::Message message = dialog.TakeMessage();
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.icon, icon);
    EXPECT_TRUE(dialog.Idle()) << "one message only";
}

TEST(Commands, WithoutAModelChangeDoesNothingAndSaveIsRefusedWithoutAFileDialog)
{
    DriveMainDialog([&](MainDialogDriver& dialog) {
        dialog.Change("data\\", "models\\");
        EXPECT_TRUE(dialog.Idle()) << "no message";
        EXPECT_TRUE(dialog.List().empty());
        dialog.Click(IDC_BUTTON_SAVE);
        ExpectMessage(dialog, "No MLOD file loaded yet!", nullptr);
    });
}

TEST(Commands, OpenListsThePathsAndSaveWithoutChangeWritesAByteIdenticalCopy)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\hull.paa", "data\\track.pac"}));
        EXPECT_FALSE(dialog.Save(dir.Path("copy.p3d"))) << "no replace question for a new file";
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(test::ReadBytes(dir.Path("copy.p3d")), kTank);
        EXPECT_EQ(FilesIn(dir.Path("")), (std::vector<std::string>{"copy.p3d", "tank.p3d"}));
    });
}

TEST(Commands, SaveUnderTheOpenedNameAsksToReplaceAndRewritesTheFile)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        dialog.Change("data\\", "models\\");
        EXPECT_TRUE(dialog.Idle());
        EXPECT_TRUE(dialog.Save(tank));
        EXPECT_TRUE(dialog.Idle()) << "no sharing failure";
        EXPECT_EQ(test::ReadBytes(tank), Model({"models\\hull.paa", "models\\track.pac", "models\\hull.paa"}));
        EXPECT_EQ(FilesIn(dir.Path("")), std::vector<std::string>{"tank.p3d"});
    });
}

TEST(Commands, ChangeStopsAtThePathThatWouldExceed31CharsWithOneMessage)
{
    const std::string longPath = "data\\abcdefghijklmnopqrstu.paa";  // 30 bytes, 32 with models\ in front
    const test::TempDir dir;
    const std::string file = dir.Write("long.p3d", Model({"data\\a.paa", longPath, "data\\c.paa", "data\\a.paa"}));
    DriveMainDialogWithModel(file, [&](MainDialogDriver& dialog) {
        dialog.Change("data\\", "models\\");
        ExpectMessage(dialog, "Texture path would exceed 31 chars", nullptr);
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\a.paa", longPath, "data\\c.paa", "models\\a.paa"}));
        dialog.Save(file);
        EXPECT_EQ(test::ReadBytes(file), Model({"models\\a.paa", longPath, "data\\c.paa", "data\\a.paa"}));
    });
}

TEST(Commands, OpenOfAFileHeldOpenForWritingIsRefusedNamingItAndChangesNothing)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    const std::string held = dir.Write("held.p3d", Model({"other.paa"}));
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        dialog.SetBoxText(IDC_EDIT_SOURCE, "data\\");
        dialog.SetBoxText(IDC_EDIT_TARGET, "models\\");
        {
            const HeldFile writer(held, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
            dialog.Open(held);
            ExpectMessage(dialog, "A sharing violation occurred while accessing " + held + ".", kExclamation);
        }
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\hull.paa", "data\\track.pac"}));
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_SOURCE), "data\\");
        EXPECT_EQ(dialog.BoxText(IDC_EDIT_TARGET), "models\\");
        dialog.Save(dir.Path("copy.p3d"));
        EXPECT_EQ(test::ReadBytes(dir.Path("copy.p3d")), kTank) << "the model loaded before";
    });
}

TEST(Commands, SaveOverAFileHeldOpenIsRefusedAfterTheReplaceQuestionAndLeavesItUntouched)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    const std::string other = Model({"other.paa"});
    const std::string held = dir.Write("held.p3d", other);
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        {
            const HeldFile reader(held, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
            EXPECT_TRUE(dialog.Save(held));
            ExpectMessage(dialog, "A sharing violation occurred while accessing " + held + ".", kExclamation);
        }
        EXPECT_EQ(test::ReadBytes(held), other);
        EXPECT_EQ(FilesIn(dir.Path("")), (std::vector<std::string>{"held.p3d", "tank.p3d"}));
    });
}

TEST(Commands, SaveOverAReadOnlyFileIsRefusedAsAccessDenied)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    const std::string other = Model({"other.paa"});
    const std::string locked = dir.Write("locked.p3d", other);
    ASSERT_TRUE(::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        EXPECT_TRUE(dialog.Save(locked));
        ExpectMessage(dialog, "Access to " + locked + " was denied.", kExclamation);
    });
    EXPECT_EQ(test::ReadBytes(locked), other);
    ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Commands, OpenOfAnEmptyFileShowsThePreviousPathsAgainAndLeavesNothingToSave)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    const std::string empty = dir.Write("empty.p3d", "");
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        dialog.Select(1);
        dialog.Open(empty);
        EXPECT_TRUE(dialog.Idle()) << "no message";
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\hull.paa", "data\\track.pac"}));
        EXPECT_EQ(dialog.Selection(), LB_ERR) << "refilled";
        dialog.Click(IDC_BUTTON_SAVE);
        ExpectMessage(dialog, "No MLOD file loaded yet!", nullptr);
        // The model loaded before is still there to be edited, but not saved.
        dialog.Change("data\\", "models\\");
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"models\\hull.paa", "models\\track.pac"}));
        dialog.Click(IDC_BUTTON_SAVE);
        ExpectMessage(dialog, "No MLOD file loaded yet!", nullptr);
    });
}

TEST(Commands, CancellingEitherFileDialogChangesNothing)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        dialog.SetBoxText(IDC_EDIT_SOURCE, "data\\");
        for (int button : {IDC_BUTTON_OPEN, IDC_BUTTON_SAVE}) {
            SCOPED_TRACE(button);
            dialog.Click(button);
            const HWND fileDialog = dialog.WaitForFileDialog();
            ASSERT_NE(fileDialog, nullptr);
            MainDialogDriver::TypeFileName(fileDialog, dir.Path("new.p3d"));
            MainDialogDriver::Cancel(fileDialog);
            EXPECT_TRUE(dialog.Idle()) << "no message";
            EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\hull.paa", "data\\track.pac"}));
            EXPECT_EQ(dialog.BoxText(IDC_EDIT_SOURCE), "data\\");
            EXPECT_EQ(FilesIn(dir.Path("")), std::vector<std::string>{"tank.p3d"});
        }
    });
}

// The disk fills up half-way through every write of the program.
ImportPatch* g_writePatch = nullptr;

BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped)
{
    using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    g_writePatch->Original<WriteFileFunction>()(file, buffer, count / 2, written, overlapped);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST(Commands, SaveThatFailsHalfWayLeavesTheOldFileAsItWasAndNoTemporaryFile)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        dialog.Change("data\\", "models\\");
        {
            ImportPatch diskFull("kernel32.dll", "WriteFile", reinterpret_cast<void*>(&WriteHalfThenDiskFull));
            g_writePatch = &diskFull;
            EXPECT_TRUE(dialog.Save(tank));
            ExpectMessage(dialog, "Disk full while accessing " + tank + ".", kStop);
            g_writePatch = nullptr;
        }
        EXPECT_EQ(test::ReadBytes(tank), kTank);
        EXPECT_EQ(FilesIn(dir.Path("")), std::vector<std::string>{"tank.p3d"});
        // The edited model is still there to be saved once there is room.
        dialog.Save(tank);
        EXPECT_EQ(test::ReadBytes(tank), Model({"models\\hull.paa", "models\\track.pac", "models\\hull.paa"}));
    });
}

// A model cut short in its faces, with its first face whole.
std::string DamagedModel()
{
    return Model({"data\\kept.paa", "data\\lost.paa"}).substr(0, sp3x::FirstFaceOffset(8, 6) + sp3x::kFaceSize + 50);
}

TEST(Commands, DamagedModelIsReportedNamingItAndTheDialogWorksOn)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    const std::string damaged = dir.Write("damaged.p3d", DamagedModel());
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        dialog.Open(damaged);
        const MainDialogDriver::Message message = dialog.TakeMessage();
        EXPECT_TRUE(message.text.starts_with(damaged + " ")) << message.text;
        EXPECT_EQ(message.icon, kStop);
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\hull.paa", "data\\track.pac"})) << "not refilled";
        dialog.Open(tank);
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.List(), (std::vector<std::string>{"data\\hull.paa", "data\\track.pac"}));
    });
}

TEST(Commands, RealModelsAreListedAndSavedByteIdenticalAndTheLaterFormatIsRefused)
{
    const std::filesystem::path models = test::RealModelsDir();
    if (models.empty())
        GTEST_SKIP() << "no real models here";
    const test::TempDir dir;
    const auto copy = [&](const char* name) {
        return dir.Write(name, test::ReadBytes((models / name).string()));
    };
    DriveMainDialog([&](MainDialogDriver& dialog) {
        dialog.Open(copy("tomahawk.p3d"));
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(dialog.List().size(), 2u);
        dialog.Save(dir.Path("saved.p3d"));
        EXPECT_EQ(test::ReadBytes(dir.Path("saved.p3d")), test::ReadBytes(dir.Path("tomahawk.p3d")));

        // Its fields fill all 32 bytes: the list shows them bounded there.
        dialog.Open(copy("kat_iv.p3d"));
        EXPECT_EQ(dialog.List(), std::vector<std::string>{"\\x\\kat\\addons\\pharma\\models\\iv\\k"});

        const std::string later = copy("p3dm_crate.p3d");
        dialog.Open(later);
        const MainDialogDriver::Message message = dialog.TakeMessage();
        EXPECT_TRUE(message.text.starts_with(later + " is in the later MLOD format")) << message.text;
        EXPECT_EQ(message.icon, kStop);
        EXPECT_TRUE(dialog.Idle());

        dialog.Open(copy("empty_shape.p3d"));
        EXPECT_TRUE(dialog.Idle());
        EXPECT_TRUE(dialog.List().empty());
    });
}

// The cursors the program sets: the last one, the one that was shown when
// the hourglass last came on, and how many were set.
struct CursorRecord {
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    std::atomic<HCURSOR> last = nullptr;
    std::atomic<HCURSOR> beforeWait = nullptr;
    std::atomic<int> count = 0;
};
CursorRecord g_cursors;
ImportPatch* g_cursorPatch = nullptr;

HCURSOR WINAPI RecordSetCursor(HCURSOR cursor)
{
    const HCURSOR previous = g_cursorPatch->Original<HCURSOR(WINAPI*)(HCURSOR)>()(cursor);
    if (cursor == g_cursors.wait && g_cursors.last != g_cursors.wait)
        g_cursors.beforeWait = previous;
    g_cursors.last = cursor;
    ++g_cursors.count;
    return previous;
}

// Change shows its message under the hourglass and then brings back the
// cursor from before, as an error that ends Open early does too. Save sets
// no cursor.
TEST(Commands, WaitCursorIsOnDuringChangesMessageAndOffAgainWhenAnErrorEndsOpen)
{
    ImportPatch setCursor("user32.dll", "SetCursor", reinterpret_cast<void*>(&RecordSetCursor));
    g_cursorPatch = &setCursor;
    const test::TempDir dir;
    const std::string file = dir.Write("long.p3d", Model({"data\\abcdefghijklmnopqrstu.paa"}));
    const std::string damaged = dir.Write("damaged.p3d", DamagedModel());
    DriveMainDialogWithModel(file, [&](MainDialogDriver& dialog) {
        dialog.Change("data\\", "models\\");
        ASSERT_NE(gui::WaitForThreadDialog(dialog.m_uiThread, dialog.m_hMain), nullptr);
        EXPECT_EQ(g_cursors.last, g_cursors.wait);
        dialog.TakeMessage();
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(g_cursors.last, g_cursors.beforeWait);

        dialog.Open(damaged);
        ASSERT_NE(gui::WaitForThreadDialog(dialog.m_uiThread, dialog.m_hMain), nullptr);
        EXPECT_EQ(g_cursors.last, g_cursors.beforeWait);
        dialog.TakeMessage();

        const int set = g_cursors.count;
        dialog.Save(dir.Path("saved.p3d"));
        EXPECT_TRUE(dialog.Idle());
        EXPECT_EQ(g_cursors.count, set);
    });
    g_cursorPatch = nullptr;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

std::string ComboEntry(HWND combo, int index)
{
    std::string text(static_cast<std::size_t>(::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// Both file dialogs: the model filter, centred over the main dialog, which
// is disabled while they are open and has its focus back afterwards.
TEST(Commands, FileDialogsOfferTheModelFilterCentredOverTheDisabledMainDialog)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    DriveMainDialogWithModel(tank, [&](MainDialogDriver& dialog) {
        for (int button : {IDC_BUTTON_OPEN, IDC_BUTTON_SAVE}) {
            SCOPED_TRACE(button);
            const HWND focus = ::GetDlgItem(dialog.m_hMain, IDC_EDIT_TARGET);
            ::SendMessageW(dialog.m_hMain, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
            dialog.Command(button);
            const HWND fileDialog = dialog.WaitForFileDialog();
            ASSERT_NE(fileDialog, nullptr);
            EXPECT_FALSE(::IsWindowEnabled(dialog.m_hMain));
            const RECT outer = WindowRect(dialog.m_hMain);
            const RECT inner = WindowRect(fileDialog);
            EXPECT_NEAR((inner.left + inner.right) / 2, (outer.left + outer.right) / 2, 1);
            EXPECT_NEAR((inner.top + inner.bottom) / 2, (outer.top + outer.bottom) / 2, 1);
            const HWND filter = ::GetDlgItem(fileDialog, 0x470);
            EXPECT_EQ(::SendMessageA(filter, CB_GETCOUNT, 0, 0), 2);
            EXPECT_EQ(ComboEntry(filter, 0), "OFP MLOD Files(*.p3d)");
            EXPECT_EQ(ComboEntry(filter, 1), "All Files (*.*)");
            EXPECT_EQ(::SendMessageA(filter, CB_GETCURSEL, 0, 0), 0);
            const HWND readOnly = ::GetDlgItem(fileDialog, 0x410);
            EXPECT_EQ(readOnly && ::IsWindowVisible(readOnly), button == IDC_BUTTON_OPEN) << "read-only check box";
            MainDialogDriver::Cancel(fileDialog);
            EXPECT_TRUE(dialog.Idle());
            EXPECT_EQ(gui::FocusOf(dialog.m_uiThread), focus);
        }
    });
}

TEST(Commands, OpenTakesOnlyExistingFilesAndSaveCompletesANameWithoutExtension)
{
    const test::TempDir dir;
    const std::string tank = dir.Write("tank.p3d", kTank);
    DriveMainDialog([&](MainDialogDriver& dialog) {
        dialog.Click(IDC_BUTTON_OPEN);
        const HWND fileDialog = dialog.WaitForFileDialog();
        ASSERT_NE(fileDialog, nullptr);
        MainDialogDriver::ChooseFile(fileDialog, dir.Path("missing.p3d"));
        dialog.TakeMessage(fileDialog);
        EXPECT_TRUE(::IsWindowVisible(fileDialog)) << "the Open dialog stays open";
        MainDialogDriver::ChooseFile(fileDialog, tank);
        EXPECT_TRUE(gui::WaitForClosed(fileDialog));
        EXPECT_TRUE(dialog.Idle());
        dialog.Save(dir.Path("copy"));
        EXPECT_EQ(FilesIn(dir.Path("")), (std::vector<std::string>{"copy.p3d", "tank.p3d"}));
    });
}

}  // namespace
