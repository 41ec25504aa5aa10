#include <gtest/gtest.h>

#include "model/model_image.h"
#include "sp3x_writer.h"
#include "test_support.h"

namespace {

using namespace std::string_literals;

struct Change {
    std::string path, newPath;
    std::size_t firstFace, faceCount;
    bool operator==(const Change&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Change& c)
{
    return out << c.path << " -> " << c.newPath << " @" << c.firstFace << " x" << c.faceCount;
}

class ReplacementPlanTest : public ::testing::Test {
protected:
    void LoadFields(const std::vector<std::string>& fields)
    {
        test::LoadFile(m_image, m_dir.Write("model.p3d", sp3x::Build(sp3x::Model{{sp3x::LodWithTextures(fields)}})));
    }
    std::vector<Change> Plan(const std::string& source, const std::string& target,
                             const CLeadByteSet& leadBytes = CLeadByteSet()) const
    {
        std::vector<Change> changes;
        for (const TexturePathChange& c : m_image.PlanTexturePathReplacement(source, target, leadBytes))
            changes.push_back({std::string(c.path), c.newPath, c.firstFace, c.faceCount});
        return changes;
    }
    std::string Image() const { return std::string(m_image.m_pData.get(), static_cast<std::size_t>(m_image.m_nSize)); }

    test::TempDir m_dir;
    CModelImage m_image;
};

TEST_F(ReplacementPlanTest, ListsEachChangedPathOnceWithItsFirstFaceAndCountAndWritesNothing)
{
    LoadFields({"data\\b.paa", "Data\\x.paa", "data\\a.paa", "data\\b.paa\0stale"s, "", "data\\a.paa", "data\\b.paa"});
    const std::string before = Image();
    const std::vector<Change> expected = {
        {"data\\b.paa", "addon\\data\\b.paa", 0, 3},
        {"data\\a.paa", "addon\\data\\a.paa", 2, 2},
    };
    EXPECT_EQ(Plan("data\\", "addon\\data\\"), expected);
    EXPECT_EQ(Image(), before);

    // The substitution then does what the plan said.
    ASSERT_TRUE(m_image.ReplaceTexturePaths("data\\", "addon\\data\\", CLeadByteSet()));
    EXPECT_EQ(test::FieldTexts(m_image),
              (std::vector<std::string>{"addon\\data\\b.paa", "Data\\x.paa", "addon\\data\\a.paa", "addon\\data\\b.paa", "",
                                        "addon\\data\\a.paa", "addon\\data\\b.paa"}));
}

TEST_F(ReplacementPlanTest, OverLongResultsArePlannedWithTheirFullLength)
{
    const std::string long30 = "data\\" + std::string(21, 'l') + ".paa";
    LoadFields({"data\\a.paa", long30, "data\\a.paa", long30});
    const std::vector<Change> plan = Plan("data\\", "models\\");
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[1], (Change{long30, "models\\" + long30.substr(5), 1, 2}));
    EXPECT_EQ(plan[1].newPath.size(), 32u);
}

TEST_F(ReplacementPlanTest, PathsWhoseTextStaysTheSameAreLeftOut)
{
    const std::string unterminated(32, 'u');
    LoadFields({"data\\a.paa\0stale"s, unterminated, "", "\x95\x5C"});
    const struct {
        std::string source, target;
    } cases[] = {{"", "x"}, {"data", "data"}, {"DATA", "x"}, {"uuuu", "uuuu"}};
    for (const auto& c : cases)
        EXPECT_TRUE(Plan(c.source, c.target).empty()) << c.source << " -> " << c.target;

    CLeadByteSet codePage932;
    codePage932.AddRange(0x81, 0x9F);
    const Change plainPath = {"data\\a.paa", "data/a.paa", 0, 1};
    EXPECT_EQ(Plan("\\", "/", codePage932), std::vector<Change>{plainPath});
    EXPECT_EQ(Plan("\\", "/"), (std::vector<Change>{plainPath, {"\x95\x5C", "\x95/", 3, 1}}));
}

}  // namespace
