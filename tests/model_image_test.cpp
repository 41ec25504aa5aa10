#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/model_format_exception.h"
#include "model/model_image.h"
#include "model/texture_field.h"
#include "sp3x_writer.h"
#include "test_support.h"

namespace {

using namespace std::string_literals;

class ModelImageTest : public ::testing::Test {
protected:
    std::string Save(const std::string& bytes) { return m_dir.Write("model" + std::to_string(m_files++) + ".p3d", bytes); }
    void Load(const std::string& bytes) { test::LoadFile(m_image, Save(bytes)); }
    void Load(const sp3x::Model& model) { Load(sp3x::Build(model)); }
    std::string WrittenBytes()
    {
        const std::string path = m_dir.Path("written.p3d");
        test::SaveFile(m_image, path);
        return test::ReadBytes(path);
    }
    bool EveryEntryInsideImage() const
    {
        for (const char* field : m_image.m_textureFields) {
            if (field < m_image.m_pData.get() || field + 32 > m_image.m_pData.get() + m_image.m_nSize)
                return false;
        }
        return true;
    }

    test::TempDir m_dir;
    int m_files = 0;
    CModelImage m_image;
};

TEST_F(ModelImageTest, FreshImageHasNoDataAndWritesNothing)
{
    EXPECT_EQ(m_image.m_pData, nullptr);
    EXPECT_EQ(m_image.m_nSize, -1);
    EXPECT_TRUE(m_image.m_textureFields.empty());
    EXPECT_EQ(WrittenBytes(), "");
}

TEST_F(ModelImageTest, FaceEntriesFollowTheOffsetFormula)
{
    const struct {
        std::int32_t points, normals, faces;
    } cases[] = {{0, 0, 1}, {8, 6, 3}, {3, 5, 2}, {1, 0, 0}};
    for (const auto& c : cases) {
        sp3x::Lod lod;
        lod.points = c.points;
        lod.normals = c.normals;
        lod.faces.assign(static_cast<std::size_t>(c.faces), {"data\\a.paa"});
        Load(sp3x::Model{{lod}});
        std::vector<std::size_t> expected;
        for (std::size_t k = 0; k < static_cast<std::size_t>(c.faces); ++k)
            expected.push_back(40 + 16 * c.points + 12 * c.normals + 104 * k);
        EXPECT_EQ(test::FieldOffsets(m_image), expected) << c.points << " " << c.normals << " " << c.faces;
    }
}

TEST_F(ModelImageTest, SecondLodStartsFourBytesAfterTheEndTagData)
{
    sp3x::Lod first = sp3x::LodWithTextures({"a.paa", "b.paa"});
    first.tags = {{"#Mass#", std::string(12, '\x01')}, {"#Property#", "class\0house\0"s}};
    first.endTagData = "8 bytes!";
    sp3x::Lod second = sp3x::LodWithTextures({"c.paa"});
    Load(sp3x::Model{{first, second}});

    const std::size_t firstTag = 44 + 16 * 8 + 12 * 6 + 104 * 2;
    const std::size_t endTagEnd = firstTag + (68 + 12) + (68 + 12) + (68 + 8);
    const std::size_t secondLod = endTagEnd + 4;
    EXPECT_EQ(test::FieldOffsets(m_image),
              (std::vector<std::size_t>{40 + 200, 40 + 200 + 104, secondLod + 28 + 200}));
    EXPECT_EQ(test::FieldTexts(m_image), (std::vector<std::string>{"a.paa", "b.paa", "c.paa"}));
}

TEST_F(ModelImageTest, LodWithoutFacesIsStillSteppedOver)
{
    for (std::int32_t faceCount : {0, -1, INT32_MIN}) {
        sp3x::Lod empty;
        empty.points = 3;
        empty.normals = 2;
        empty.faceCount = faceCount;
        empty.tags = {{"#Mass#", "abcd"}};
        Load(sp3x::Model{{empty, sp3x::LodWithTextures({"second\\lod.paa"})}});
        EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"second\\lod.paa"}) << faceCount;
    }
}

TEST_F(ModelImageTest, OnlyTheExactEndTagNameEndsTheTags)
{
    const struct {
        std::string name;
        bool endsTags;
    } cases[] = {
        {"#EndOfFile#", true},
        {"#EndOfFile#\0stale bytes after the zero"s, true},
        {"#endoffile#", false},
        {"#EndOfFile", false},
        {"#EndOfFile##", false},
        {"#EndOfFileX", false},
    };
    for (const auto& c : cases) {
        sp3x::Lod first = sp3x::LodWithTextures({"first.paa"});
        first.tags = {{c.name, "data"}};
        first.endTag = !c.endsTags;
        Load(sp3x::Model{{first, sp3x::LodWithTextures({"second.paa"})}});
        EXPECT_EQ(test::FieldTexts(m_image), (std::vector<std::string>{"first.paa", "second.paa"}))
            << c.name.c_str();
    }
}

TEST_F(ModelImageTest, NoLodsLeavesAnEmptyIndexAndWritesTheSameBytes)
{
    for (std::int32_t lodCount : {0, -1, INT32_MIN}) {
        Load(sp3x::Model{{sp3x::LodWithTextures({"previous.paa"})}});
        const std::string header = sp3x::Build(sp3x::Model{{}, lodCount, ""});
        ASSERT_EQ(header.size(), 12u);
        Load(header);
        EXPECT_EQ(m_image.m_nSize, 12);
        EXPECT_TRUE(m_image.m_textureFields.empty());
        EXPECT_EQ(WrittenBytes(), header);
    }
}

TEST_F(ModelImageTest, EmptyFileKeepsThePreviousImageAndWritesNothing)
{
    Load("");
    EXPECT_EQ(m_image.m_nSize, 0);
    EXPECT_EQ(m_image.m_pData, nullptr);
    EXPECT_TRUE(m_image.m_textureFields.empty());

    Load(sp3x::Model{{sp3x::LodWithTextures({"kept.paa"})}});
    const char* data = m_image.m_pData.get();
    Load("");
    EXPECT_EQ(m_image.m_nSize, 0);
    EXPECT_EQ(m_image.m_pData.get(), data);
    EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"kept.paa"});
    EXPECT_EQ(WrittenBytes(), "");
}

TEST_F(ModelImageTest, SecondLoadIndexesOnlyTheSecondFile)
{
    Load(sp3x::Model{{sp3x::LodWithTextures({"one.paa", "two.paa", "three.paa"})}});
    Load(sp3x::Model{{sp3x::LodWithTextures({"four.paa"})}});
    EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"four.paa"});
    EXPECT_TRUE(EveryEntryInsideImage());
}

TEST_F(ModelImageTest, DistinctTextsAreEachNonEmptyTextOnceByteForByteInFirstFaceOrder)
{
    Load(sp3x::Model{{sp3x::LodWithTextures({"b.paa", "b.paa", "", "A.paa", "b.paa", "a.paa"}),
                      sp3x::LodWithTextures({"A.paa", std::string(32, 'x'), "c.paa"})}});
    EXPECT_EQ(DistinctTextureTexts(m_image.m_textureFields),
              (std::vector<std::string_view>{"b.paa", "A.paa", "a.paa", std::string(32, 'x'), "c.paa"}));
}

TEST_F(ModelImageTest, WriteGivesBackEveryByteButTheEditedFields)
{
    sp3x::Lod lod = sp3x::LodWithTextures({"data\\a.paa\0stale name\x01\x02"s, std::string(32, 'x'), ""});
    lod.tags = {{"#Property#\0\xff\xfe"s, "lod\0geometry\0"s}};
    lod.resolution = sp3x::kGeometryResolution;
    const std::string original = sp3x::Build(sp3x::Model{{lod}, std::nullopt, "data\\\0trailing bytes"s});
    Load(original);
    EXPECT_EQ(WrittenBytes(), original);

    ASSERT_TRUE(m_image.ReplaceTexturePaths("data\\", "new\\", CLeadByteSet()));
    std::string expected = original;
    const std::size_t field = sp3x::FirstFaceOffset(8, 6);
    expected.replace(field, 31, "new\\a.paa"s + std::string(22, '\0'));
    EXPECT_EQ(WrittenBytes(), expected);
}

TEST_F(ModelImageTest, FileHeaderAndLodHeaderBytesAreNotExamined)
{
    std::string bytes = sp3x::Build(sp3x::Model{{sp3x::LodWithTextures({"a.paa"})}});
    std::memset(bytes.data(), 0xEE, 8);
    std::memset(bytes.data() + 12, 0xDD, 12);
    Load(bytes);
    EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"a.paa"});
}

struct Damage {
    const char* name;
    std::string bytes;
    std::string problem;
};

std::string Truncated(const sp3x::Model& model, std::size_t dropped)
{
    const std::string bytes = sp3x::Build(model);
    return bytes.substr(0, bytes.size() - dropped);
}

std::vector<Damage> DamagedFiles()
{
    const sp3x::Lod good = sp3x::LodWithTextures({"a.paa", "b.paa"});
    const std::size_t tags = sp3x::FirstFaceOffset(8, 6) + 2 * 104 + 4;
    sp3x::Lod hugeVertices = good;
    hugeVertices.pointCount = 0x01000000;
    sp3x::Lod backwards = good;
    backwards.pointCount = -1;  // 16 bytes back, still inside the image
    backwards.points = 0;
    backwards.normals = 0;
    sp3x::Lod moreFaces = good;
    moreFaces.faceCount = 3;
    sp3x::Lod noEndTag = good;
    noEndTag.endTag = false;
    sp3x::Lod longTag = good;
    longTag.tags = {{"#Mass#", "1234", 1000}};
    sp3x::Lod negativeTag = good;
    negativeTag.tags = {{"#Property#", "1234", -8}};
    sp3x::Lod wrappingVertices = good;
    wrappingVertices.pointCount = 0x10000000;  // 16 times it wraps to 0 in 32 bits
    wrappingVertices.normalCount = 0x7FFFFFFF;  // 12 times it wraps to -12
    wrappingVertices.points = 0;
    wrappingVertices.normals = 0;

    return {
        {"shorter than a header", "MLOD\x01\x01", "the file header is cut off by the end of the file (offset 0)"},
        {"a missing LOD", sp3x::Build(sp3x::Model{{good}, 2, ""}),
         "the header of LOD 1 is cut off by the end of the file"},
        {"vertices beyond the end", sp3x::Build(sp3x::Model{{hugeVertices}}),
         "the points and normals block of LOD 0 runs past the end of the file (offset 12)"},
        {"negative vertex count", sp3x::Build(sp3x::Model{{backwards}}),
         "the points and normals block of LOD 0 has a negative size (offset 12)"},
        {"wrapping vertex counts", sp3x::Build(sp3x::Model{{wrappingVertices}}),
         "the points and normals block of LOD 0 has a negative size (offset 12)"},
        {"more faces than the file holds", sp3x::Build(sp3x::Model{{moreFaces}}),
         "face 2 of LOD 0 is cut off by the end of the file"},
        {"faces cut short", Truncated(sp3x::Model{{good}}, 68 + 4 + 4 + 60), "face 1 of LOD 0 is cut off"},
        {"no end tag", sp3x::Build(sp3x::Model{{noEndTag}}),
         "the tag list of LOD 0 is cut off by the end of the file"},
        {"tag beyond the end", sp3x::Build(sp3x::Model{{longTag}}),
         ("tag \"#Mass#\" of LOD 0 runs past the end of the file (offset " + std::to_string(tags) + ")")},
        {"negative tag size", sp3x::Build(sp3x::Model{{negativeTag}}),
         "tag \"#Property#\" of LOD 0 has a negative size"},
        {"resolution cut short", Truncated(sp3x::Model{{good}}, 2), "LOD 0 runs past the end of the file"},
    };
}

TEST_F(ModelImageTest, DamagedFilesAreRefusedNamingFileAndPlaceAndKeepThePreviousImage)
{
    Load(sp3x::Model{{sp3x::LodWithTextures({"previous.paa"})}});
    const char* previous = m_image.m_pData.get();
    const std::int32_t previousSize = m_image.m_nSize;
    for (const Damage& d : DamagedFiles()) {
        const std::string path = Save(d.bytes);
        try {
            test::LoadFile(m_image, path);
            ADD_FAILURE() << d.name << ": loaded";
        } catch (const CModelFormatException& e) {
            const std::string message = e.GetErrorMessage().Str();
            EXPECT_EQ(message.find(path + " is damaged or not an OFP model: "), 0u) << message;
            EXPECT_NE(message.find(d.problem), std::string::npos) << d.name << ": " << message;
        }
        EXPECT_EQ(m_image.m_pData.get(), previous) << d.name;
        EXPECT_EQ(m_image.m_nSize, previousSize) << d.name;
        EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"previous.paa"}) << d.name;
    }
}

TEST_F(ModelImageTest, TagSizeBeforeTheStartOfTheImageIsBadSeek)
{
    sp3x::Lod second = sp3x::LodWithTextures({"second.paa"});
    second.tags = {{"#Mass#", "", -100000}};
    const std::string bytes = sp3x::Build(sp3x::Model{{sp3x::LodWithTextures({"first.paa"}), second}});
    try {
        Load(bytes);
        ADD_FAILURE() << "loaded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
        EXPECT_EQ(e.GetErrorMessage(), "Seek failed on an unnamed file");
    }
    EXPECT_EQ(m_image.m_nSize, static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(test::FieldTexts(m_image), (std::vector<std::string>{"first.paa", "second.paa"}));
}

TEST_F(ModelImageTest, LaterMlodFormatIsNamedAsSuch)
{
    std::string bytes = sp3x::Build(sp3x::Model{{sp3x::LodWithTextures({"a.paa"})}, 2, ""});
    bytes.replace(12, 4, "P3DM");
    try {
        Load(bytes);
        ADD_FAILURE() << "loaded";
    } catch (const CModelFormatException& e) {
        EXPECT_NE(e.GetErrorMessage().Str().find("is in the later MLOD format (its LODs begin with P3DM), which this tool does not edit"),
                  std::string::npos)
            << e.GetErrorMessage().Str();
    }
}

// Failures before the walk (too large, no memory, a short read) keep the previous image.
class FailedLoadTest : public ModelImageTest {
protected:
    void SetUp() override
    {
        Load(sp3x::Model{{sp3x::LodWithTextures({"previous.paa"})}});
        m_previousData = m_image.m_pData.get();
        m_previousSize = m_image.m_nSize;
    }
    void ExpectPreviousImage() const
    {
        EXPECT_EQ(m_image.m_pData.get(), m_previousData);
        EXPECT_EQ(m_image.m_nSize, m_previousSize);
        EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"previous.paa"});
    }
    std::string SparseFile(off_t size)
    {
        const std::string path = m_dir.Path("sparse.p3d");
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        EXPECT_EQ(ftruncate(fd, size), 0);
        close(fd);
        return path;
    }

    const char* m_previousData = nullptr;
    std::int32_t m_previousSize = 0;
};

TEST_F(FailedLoadTest, FileOf2GiBIsRefusedNamingTheFile)
{
    const std::string path = SparseFile(off_t{1} << 31);
    try {
        test::LoadFile(m_image, path);
        ADD_FAILURE() << "loaded";
    } catch (const CModelFormatException& e) {
        EXPECT_EQ(e.GetErrorMessage(), (path + " is too large to be an OFP model: 2147483648 bytes, and this "
                                               "tool opens files below 2 GB only").c_str());
    }
    ExpectPreviousImage();
}

TEST_F(FailedLoadTest, ShortReadIsEndOfFileNamingTheFile)
{
    // sysfs reports 4096 bytes for files that deliver a few.
    const char* shortFile = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (access(shortFile, R_OK) != 0)
        GTEST_SKIP() << shortFile << " is not here";
    try {
        test::LoadFile(m_image, shortFile);
        ADD_FAILURE() << "loaded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::endOfFile);
        EXPECT_EQ(e.m_strFileName, shortFile);
    }
    ExpectPreviousImage();
}

TEST_F(FailedLoadTest, NoMemoryForTheImageIsCMemoryException)
{
    if (VELTRANE_SANITIZED)
        GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
    const std::string path = SparseFile(0x7FFFFFFF);
    // The address-space limit is set in a child, so that this process keeps its memory.
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{512u << 20, 512u << 20};
        setrlimit(RLIMIT_AS, &limit);
        bool memoryException = false;
        try {
            test::LoadFile(m_image, path);
        } catch (const CMemoryException& e) {
            memoryException = e.GetErrorMessage() == "Out of memory.";
        } catch (...) {
        }
        const bool unchanged = m_image.m_pData.get() == m_previousData && m_image.m_nSize == m_previousSize &&
                               m_image.m_textureFields.size() == 1;
        _exit(memoryException && unchanged ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
