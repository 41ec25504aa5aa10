#include <gtest/gtest.h>

#include <cstring>

#include "model/model_image.h"
#include "model/texture_path_substitution.h"
#include "sp3x_writer.h"
#include "test_support.h"

namespace {

using namespace std::string_literals;

// An image of one LOD whose faces hold these 32-byte fields.
class SubstitutionTest : public ::testing::Test {
protected:
    void LoadFields(const std::vector<std::string>& fields)
    {
        test::LoadFile(m_image, m_dir.Write("model.p3d", sp3x::Build(sp3x::Model{{sp3x::LodWithTextures(fields)}})));
    }
    std::string Field(std::size_t index) const { return std::string(m_image.m_textureFields.at(index), 32); }
    bool Replace(const std::string& source, const std::string& target)
    {
        return m_image.ReplaceTexturePaths(CString(source), CString(target), m_leadBytes);
    }

    test::TempDir m_dir;
    CModelImage m_image;
    CLeadByteSet m_leadBytes;
};

std::string Padded(const std::string& text, char last = '\0')
{
    std::string field = text + std::string(31 - text.size(), '\0');
    return field + last;
}

TEST(FindTexturePathPart, SkipsSecondBytesOfDoubleByteCharacters)
{
    CLeadByteSet codePage932;
    codePage932.AddRange(0x81, 0x9F);
    codePage932.AddRange(0xE0, 0xFC);
    const std::string text = "\x95\x5C";
    EXPECT_EQ(FindTexturePathPart(text, 0, "\\", codePage932), std::string::npos);
    EXPECT_EQ(FindTexturePathPart(text, 0, "\\", CLeadByteSet()), 1u);
    EXPECT_EQ(FindTexturePathPart("\x95\x5C\\a", 0, "\\", codePage932), 2u);
    EXPECT_EQ(FindTexturePathPart("x", 1, "", codePage932), 1u);
}

// The same results from the planning function and from the edit of a field.
TEST_F(SubstitutionTest, ReplacesEveryNonOverlappingOccurrenceLeftmostFirst)
{
    const struct {
        std::string text, source, target, expected;
    } cases[] = {
        {"data\\a.paa", "a", "A", "dAtA\\A.pAA"},
        {"aaa", "aa", "b", "ba"},
        {"aaaa", "aa", "a", "aa"},
        {"banana", "a", "aa", "baanaanaa"},
        {"baanaanaa", "a", "aa", "baaaanaaaanaaaa"},
        {"data\\tex\\a.paa", "tex\\", "", "data\\a.paa"},
        {"Data\\a.paa", "data", "x", "Data\\a.paa"},
        {"data/a.paa", "data\\", "x\\", "data/a.paa"},
        {"data\\a.paa", "", "x", "data\\a.paa"},
        {"", "", "x", ""},
        {"abc", "abcd", "x", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAllOccurrences(c.text, c.source, c.target, CLeadByteSet()), c.expected) << c.text;
        LoadFields({c.text});
        EXPECT_TRUE(Replace(c.source, c.target)) << c.text;
        EXPECT_EQ(Field(0), Padded(c.expected)) << c.text;
    }
}

TEST_F(SubstitutionTest, EmptyIndexReturnsTrue)
{
    EXPECT_TRUE(Replace("data", "x"));
}

TEST_F(SubstitutionTest, UnmatchedFieldsKeepAllTheirBytes)
{
    const std::string untouched = "Data\\a.paa\0stale\x01"s + std::string(15, '\x7F');
    LoadFields({untouched, "data\\b.paa\0old"s});
    EXPECT_TRUE(Replace("data\\", "new\\"));
    EXPECT_EQ(Field(0), untouched);
    EXPECT_EQ(Field(1), Padded("new\\b.paa"));
}

TEST_F(SubstitutionTest, EveryFaceWithThePathGetsTheSameResult)
{
    LoadFields({"data\\a.paa", "data\\a.paa", "other.paa", "data\\a.paa"});
    EXPECT_TRUE(Replace("data\\", "addon\\data\\"));
    EXPECT_EQ(test::FieldTexts(m_image),
              (std::vector<std::string>{"addon\\data\\a.paa", "addon\\data\\a.paa", "other.paa", "addon\\data\\a.paa"}));
}

TEST_F(SubstitutionTest, RewrittenFieldsAreZeroedUpToByte30AndKeepByte31)
{
    std::string field = "data\\tex\\a.paa\0stale bytes"s;
    field.resize(31, 'z');
    LoadFields({field + '\x55'});
    EXPECT_TRUE(Replace("tex\\", ""));
    EXPECT_EQ(Field(0), Padded("data\\a.paa", '\x55'));
}

TEST_F(SubstitutionTest, EmptySourceWritesEveryFieldBackFromItsOwnText)
{
    LoadFields({"a.paa\0stale"s + std::string(20, 'z') + "\x33", "\0old name"s + std::string(22, 'q') + "\x44"});
    EXPECT_TRUE(Replace("", "ignored"));
    EXPECT_EQ(Field(0), Padded("a.paa", '\x33'));
    EXPECT_EQ(Field(1), Padded("", '\x44'));
}

TEST_F(SubstitutionTest, SourceEqualToTargetOnlyClearsStaleBytes)
{
    LoadFields({"data\\a.paa\0stale"s, "other\0stale"s});
    EXPECT_TRUE(Replace("data", "data"));
    EXPECT_EQ(Field(0), Padded("data\\a.paa"));
    EXPECT_EQ(Field(1), "other\0stale"s + std::string(21, '\0'));
}

TEST_F(SubstitutionTest, ResultOf31BytesIsTerminatedInByte31)
{
    const std::string path31 = "models\\" + std::string(20, 'b') + ".paa";
    ASSERT_EQ(path31.size(), 31u);
    LoadFields({"data\\" + std::string(20, 'b') + ".paa\0"s + std::string(2, '\x66')});
    EXPECT_EQ(Field(0)[31], '\x66');
    EXPECT_TRUE(Replace("data\\", "models\\"));
    EXPECT_EQ(Field(0), path31 + '\0');
}

TEST_F(SubstitutionTest, ResultOf32BytesStopsTheRunAtThatFace)
{
    const std::string long30 = "data\\" + std::string(21, 'l') + ".paa";
    ASSERT_EQ(long30.size(), 30u);
    LoadFields({"data\\a.paa", long30, "data\\c.paa"});
    EXPECT_FALSE(Replace("data\\", "models\\"));
    EXPECT_EQ(test::FieldTexts(m_image), (std::vector<std::string>{"models\\a.paa", long30, "data\\c.paa"}));
}

TEST_F(SubstitutionTest, TargetLongerThan31StopsAtTheFirstMatch)
{
    LoadFields({"other.paa", "data\\a.paa", "data\\b.paa"});
    EXPECT_FALSE(Replace("data", std::string(32, 't')));
    EXPECT_EQ(test::FieldTexts(m_image), (std::vector<std::string>{"other.paa", "data\\a.paa", "data\\b.paa"}));
}

TEST_F(SubstitutionTest, TargetOf31BytesFitsAndOf32StopsTheRun)
{
    const std::string target31(31, 't');
    LoadFields({"a.paa", "b.paa"});
    EXPECT_TRUE(Replace("a.paa", target31));
    EXPECT_FALSE(Replace("b.paa", target31 + "u"));
    EXPECT_EQ(Field(0), target31 + '\0');
    EXPECT_EQ(Field(1), Padded("b.paa"));
}

TEST_F(SubstitutionTest, RunsCompound)
{
    LoadFields({"banana"});
    EXPECT_TRUE(Replace("a", "aa"));
    EXPECT_TRUE(Replace("a", "aa"));
    EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{"baaaanaaaanaaaa"});
}

// Fields of 32 bytes without a zero, as newer tools write them.
TEST_F(SubstitutionTest, UnterminatedFieldIsA32ByteText)
{
    const std::string full = "\\x\\kat\\addons\\pharma\\models\\iv\\k";
    ASSERT_EQ(full.size(), 32u);
    LoadFields({full});
    EXPECT_EQ(test::FieldTexts(m_image), std::vector<std::string>{full});
    EXPECT_FALSE(Replace("", ""));
    EXPECT_EQ(Field(0), full);
    EXPECT_TRUE(Replace("\\x\\kat\\addons\\", "\\k\\"));
    EXPECT_EQ(Field(0), Padded("\\k\\pharma\\models\\iv\\k", 'k'));
}

TEST_F(SubstitutionTest, DoubleByteCodePageNeverMatchesInsideACharacter)
{
    m_leadBytes.AddRange(0x81, 0x9F);
    m_leadBytes.AddRange(0xE0, 0xFC);
    LoadFields({"\x95\x5C", "a\\b"});
    EXPECT_TRUE(Replace("\\", "/"));
    EXPECT_EQ(test::FieldTexts(m_image), (std::vector<std::string>{"\x95\x5C", "a/b"}));
}

}  // namespace
