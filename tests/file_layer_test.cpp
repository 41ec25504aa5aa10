#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

#include "framework/file.h"
#include "framework/mem_file.h"
#include "test_support.h"

namespace {

struct CauseText {
    int cause;
    const char* text;
};

TEST(FileException, CauseTextsNameTheFileOrAnUnnamedFile)
{
    const CauseText cases[] = {
        {CFileException::genericException, "An unknown error occurred while accessing %1."},
        {CFileException::fileNotFound, "%1 was not found."},
        {CFileException::badPath, "%1 contains an invalid path."},
        {CFileException::tooManyOpenFiles, "%1 could not be opened because there are too many open files."},
        {CFileException::accessDenied, "Access to %1 was denied."},
        {CFileException::invalidFile, "An invalid file handle was associated with %1."},
        {CFileException::removeCurrentDir, "%1 could not be removed because it is the current directory."},
        {CFileException::directoryFull, "%1 could not be created because the directory is full."},
        {CFileException::badSeek, "Seek failed on %1"},
        {CFileException::hardIO, "A hardware I/O error was reported while accessing %1."},
        {CFileException::sharingViolation, "A sharing violation occurred while accessing %1."},
        {CFileException::lockViolation, "A locking violation occurred while accessing %1."},
        {CFileException::diskFull, "Disk full while accessing %1."},
        {CFileException::endOfFile, "An attempt was made to access %1 past its end."},
    };
    for (const CauseText& c : cases) {
        std::string named = c.text;
        named.replace(named.find("%1"), 2, "C:\\addons\\tank.p3d");
        std::string unnamed = c.text;
        unnamed.replace(unnamed.find("%1"), 2, "an unnamed file");
        EXPECT_EQ(CFileException(c.cause, 0, "C:\\addons\\tank.p3d").GetErrorMessage(), named.c_str());
        EXPECT_EQ(CFileException(c.cause).GetErrorMessage(), unnamed.c_str());
    }
}

TEST(FileException, WindowsErrorCodesMapToCauses)
{
    const std::pair<long, int> cases[] = {
        {2, CFileException::fileNotFound},     {6, CFileException::fileNotFound},
        {18, CFileException::fileNotFound},    {3, CFileException::badPath},
        {15, CFileException::badPath},         {123, CFileException::badPath},
        {206, CFileException::badPath},        {4, CFileException::tooManyOpenFiles},
        {5, CFileException::accessDenied},     {19, CFileException::accessDenied},
        {80, CFileException::accessDenied},    {183, CFileException::accessDenied},
        {21, CFileException::hardIO},          {23, CFileException::hardIO},
        {25, CFileException::badSeek},         {32, CFileException::sharingViolation},
        {33, CFileException::lockViolation},   {38, CFileException::endOfFile},
        {39, CFileException::diskFull},        {112, CFileException::diskFull},
        {0, CFileException::genericException}, {1234, CFileException::genericException},
    };
    for (const auto& [code, cause] : cases)
        EXPECT_EQ(CFileException::OsErrorToException(code), cause) << "error " << code;
}

// What the POSIX file layer reports for each failure that can be provoked here.
TEST(PosixFile, OpenFailuresGiveTheirCauseAndThePath)
{
    test::TempDir dir;
    const std::string regular = dir.Write("model.p3d", "MLOD");
    struct Case {
        std::string path;
        std::uint32_t mode;
        int cause;
    };
    const std::uint32_t read = CFile::modeRead | CFile::shareDenyWrite;
    const std::uint32_t create = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;
    std::vector<Case> cases = {
        {dir.Path("missing.p3d"), read, CFileException::fileNotFound},
        {regular + "/inside.p3d", read, CFileException::badPath},
        {regular + "/inside.p3d", create, CFileException::badPath},
        {dir.Path(std::string(300, 'x')), read, CFileException::badPath},
        {dir.Path(""), read, CFileException::accessDenied},
        {dir.Path(""), create, CFileException::accessDenied},
    };
    // Root may write almost anywhere, but not into this read-only sysfs file.
    const char* readOnlyForRoot = "/sys/devices/system/cpu/online";
    if (access(readOnlyForRoot, F_OK) == 0 && access(readOnlyForRoot, W_OK) != 0)
        cases.push_back({readOnlyForRoot, create, CFileException::accessDenied});

    for (const Case& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path.c_str(), c.mode, &error)) << c.path;
        EXPECT_EQ(error.m_cause, c.cause) << c.path;
        EXPECT_EQ(error.m_strFileName, c.path.c_str());
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(PosixFile, WriteBeyondTheFileSizeLimitIsDiskFull)
{
    test::TempDir dir;
    const std::string path = dir.Path("limited.p3d");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
    const std::string bytes(8192, 'x');

    const CFileException error =
        test::FileErrorUnderSizeLimit(1000, [&] { file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size())); });
    EXPECT_EQ(error.m_cause, CFileException::diskFull);
    EXPECT_EQ(error.m_strFileName, path.c_str());
}

TEST(PosixFile, SeekReadAndWriteRoundTrip)
{
    test::TempDir dir;
    const std::string path = dir.Path("round.p3d");
    {
        CFile out;
        ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
        out.Write("0123456789", 10);
        out.Close();
    }
    CFile in;
    ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(in.GetFilePath(), path.c_str());
    EXPECT_EQ(in.Seek(0, CFile::end), 10u);
    EXPECT_EQ(in.Seek(-4, CFile::current), 6u);
    EXPECT_EQ(in.Seek(2, CFile::begin), 2u);
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 8u);
    EXPECT_STREQ(buffer, "23456789");
    EXPECT_THROW(in.Seek(-100, CFile::current), CFileException);
}

TEST(MemFile, ReadsCopyWhatIsLeftAndKeepTheRestOfTheRecord)
{
    char buffer[10] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'};
    CMemFile view(buffer, sizeof buffer);
    char record[6];
    std::memset(record, '.', sizeof record);
    EXPECT_EQ(view.Seek(7, CFile::current), 7u);
    EXPECT_EQ(view.Read(record, sizeof record), 3u);
    EXPECT_EQ(std::string(record, 6), "hij...");
    EXPECT_EQ(view.GetPosition(), 10u);
    EXPECT_EQ(view.Read(record, sizeof record), 0u);
    EXPECT_EQ(view.Seek(100, CFile::current), 110u);  // beyond the end is accepted
    EXPECT_EQ(view.Read(record, sizeof record), 0u);
    EXPECT_EQ(view.GetPosition(), 110u);
}

TEST(MemFile, SeeksOutsideZeroTo2GiBAreBadSeekWithoutMoving)
{
    char buffer[10] = {};
    const std::int64_t limit = 0x7FFFFFFF;
    const struct {
        std::int64_t offset;
        bool valid;
    } cases[] = {
        {-5, true}, {-6, false}, {limit - 5, true}, {limit - 4, false},
        {INT64_MIN, false}, {INT64_MAX, false},
    };
    for (const auto& c : cases) {
        CMemFile view(buffer, sizeof buffer);
        view.Seek(5, CFile::begin);
        if (c.valid) {
            EXPECT_EQ(view.Seek(c.offset, CFile::current), static_cast<std::uint64_t>(5 + c.offset));
            continue;
        }
        try {
            view.Seek(c.offset, CFile::current);
            ADD_FAILURE() << "offset " << c.offset << " was accepted";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::badSeek);
            EXPECT_TRUE(e.m_strFileName.IsEmpty());
        }
        EXPECT_EQ(view.GetPosition(), 5u);
    }
}

}  // namespace
