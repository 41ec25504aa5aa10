#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "framework/atomic_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    // The names in the folder, to see that no temporary file is left.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path("")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static void Save(const std::string& path, const std::string& bytes)
    {
        CAtomicFile file(path.c_str());
        file.GetFile().Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        file.Commit();
    }
    static mode_t Mode(const std::string& path)
    {
        struct stat info {};
        stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }

    test::TempDir m_dir;
};

TEST_F(AtomicFileTest, CommitReplacesTheContentAndKeepsThePermissionBits)
{
    for (const mode_t mode : {0640, 0755, 0400}) {
        const std::string path = m_dir.Write("model.p3d", "old content, longer than the new one");
        chmod(path.c_str(), mode);
        Save(path, "new content");
        EXPECT_EQ(test::ReadBytes(path), "new content");
        EXPECT_EQ(Mode(path), mode) << std::oct << mode;
        EXPECT_EQ(Names(), std::vector<std::string>{"model.p3d"});
    }
}

TEST_F(AtomicFileTest, NewTargetIsCreatedWithTheUsualPermissions)
{
    const mode_t mask = umask(022);
    Save(m_dir.Path("new.p3d"), "bytes");
    umask(mask);
    EXPECT_EQ(test::ReadBytes(m_dir.Path("new.p3d")), "bytes");
    EXPECT_EQ(Mode(m_dir.Path("new.p3d")), 0644u);
}

TEST_F(AtomicFileTest, WithoutCommitTheTargetStaysAndTheTemporaryFileGoes)
{
    const std::string path = m_dir.Write("model.p3d", "old");
    {
        CAtomicFile file(path.c_str());
        file.GetFile().Write("new", 3);
        EXPECT_EQ(Names().size(), 2u);
    }
    EXPECT_EQ(test::ReadBytes(path), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"model.p3d"});
}

TEST_F(AtomicFileTest, SymbolicLinkStaysALinkToTheReplacedFile)
{
    const std::string real = m_dir.Write("real.p3d", "old");
    fs::create_symlink("real.p3d", m_dir.Path("link.p3d"));
    Save(m_dir.Path("link.p3d"), "new");
    EXPECT_TRUE(fs::is_symlink(m_dir.Path("link.p3d")));
    EXPECT_EQ(test::ReadBytes(real), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.p3d", "real.p3d"}));
}

TEST_F(AtomicFileTest, FailuresToStartNameTheTarget)
{
    const std::string regular = m_dir.Write("model.p3d", "old");
    fs::create_directory(m_dir.Path("folder.p3d"));
    const struct {
        std::string path;
        int cause;
    } cases[] = {
        {m_dir.Path("missing/model.p3d"), CFileException::badPath},
        {regular + "/inside.p3d", CFileException::badPath},
        {m_dir.Path("folder.p3d"), CFileException::accessDenied},
        {"/dev/null", CFileException::accessDenied},
    };
    for (const auto& c : cases) {
        try {
            CAtomicFile file(c.path.c_str());
            ADD_FAILURE() << c.path << " was accepted";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << c.path;
            EXPECT_EQ(e.m_strFileName, c.path.c_str());
        }
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder.p3d", "model.p3d"}));
    EXPECT_EQ(test::ReadBytes(regular), "old");
}

TEST_F(AtomicFileTest, WriteBeyondTheFileSizeLimitIsDiskFullOnTheTargetAndChangesNothing)
{
    const std::string path = m_dir.Write("model.p3d", "old");
    const std::string bytes(8192, 'x');
    const CFileException error = test::FileErrorUnderSizeLimit(1000, [&] {
        CAtomicFile file(path.c_str());
        file.GetFile().Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        file.Commit();
    });
    EXPECT_EQ(error.m_cause, CFileException::diskFull);
    EXPECT_EQ(error.m_strFileName, path.c_str());
    EXPECT_EQ(test::ReadBytes(path), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"model.p3d"});
}

}  // namespace
