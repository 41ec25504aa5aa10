#include <gtest/gtest.h>

#include "model/model_image.h"
#include "sp3x_writer.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

TEST(ModelLayout, GivesEachLodsFacesAndResolutionAndWhereTheLodsEnd)
{
    sp3x::Lod visual = sp3x::LodWithTextures({"a.paa", "b.paa", "c.paa"});
    visual.resolution = 1.5f;
    sp3x::Lod geometry = sp3x::LodWithTextures({"", ""});
    geometry.resolution = sp3x::kGeometryResolution;
    geometry.tags = {{"#Mass#", std::string(8, '\0')}};
    geometry.endTagData = "8 bytes!";
    sp3x::Lod memory;
    memory.faceCount = -3;
    memory.resolution = sp3x::kMemoryResolution;
    const std::string trailing = "data\\\0stale"s;
    const std::string bytes = sp3x::Build(sp3x::Model{{visual, geometry, memory}, std::nullopt, trailing});

    test::TempDir dir;
    CModelImage image;
    test::LoadFile(image, dir.Write("model.p3d", bytes));
    const ModelLayout layout = image.DescribeLayout();
    ASSERT_EQ(layout.lods.size(), 3u);
    EXPECT_EQ(layout.lods[0].faceCount, 3u);
    EXPECT_EQ(layout.lods[1].faceCount, 2u);
    EXPECT_EQ(layout.lods[2].faceCount, 0u);
    EXPECT_EQ(layout.lods[0].resolution, 1.5f);
    EXPECT_EQ(layout.lods[1].resolution, sp3x::kGeometryResolution);
    EXPECT_EQ(layout.lods[2].resolution, sp3x::kMemoryResolution);
    EXPECT_EQ(layout.endOfLods, bytes.size() - trailing.size());
}

TEST(ModelLayout, NoLodsEndAfterTheHeaderAndNoImageHasNone)
{
    CModelImage image;
    EXPECT_TRUE(image.DescribeLayout().lods.empty());
    test::TempDir dir;
    test::LoadFile(image, dir.Write("header.p3d", sp3x::Build(sp3x::Model{{}, 0, "tail"})));
    const ModelLayout layout = image.DescribeLayout();
    EXPECT_TRUE(layout.lods.empty());
    EXPECT_EQ(layout.endOfLods, 12u);
}

}  // namespace
