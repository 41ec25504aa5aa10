#include <gtest/gtest.h>

#include "model/model_format_exception.h"
#include "model/model_image.h"
#include "test_support.h"

namespace {

class RealModelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_models = test::RealModelsDir();
        if (m_models.empty())
            GTEST_SKIP() << "no real models here";
    }
    std::string Model(const char* name) const { return (m_models / name).string(); }

    std::filesystem::path m_models;
    test::TempDir m_dir;
};

TEST_F(RealModelsTest, IndexAndWriteBackByteIdentical)
{
    const struct {
        const char* name;
        std::size_t faces;
    } cases[] = {{"tomahawk.p3d", 391}, {"kat_iv.p3d", 592}, {"empty_shape.p3d", 0}};
    for (const auto& c : cases) {
        CModelImage image;
        test::LoadFile(image, Model(c.name));
        EXPECT_EQ(image.m_textureFields.size(), c.faces) << c.name;
        const std::string copy = m_dir.Path(c.name);
        test::SaveFile(image, copy);
        EXPECT_EQ(test::ReadBytes(copy), test::ReadBytes(Model(c.name))) << c.name;
    }
}

TEST_F(RealModelsTest, TomahawkShowsItsTwoPaths)
{
    CModelImage image;
    test::LoadFile(image, Model("tomahawk.p3d"));
    std::set<std::string> lowered;
    for (std::string text : test::FieldTexts(image)) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!text.empty())
            lowered.insert(text);
    }
    EXPECT_EQ(lowered.size(), 2u);
}

TEST_F(RealModelsTest, LaterMlodFormatIsRefusedWithAClearMessage)
{
    CModelImage image;
    try {
        test::LoadFile(image, Model("p3dm_crate.p3d"));
        FAIL() << "p3dm_crate.p3d loaded";
    } catch (const CModelFormatException& e) {
        EXPECT_EQ(e.GetErrorMessage(), (Model("p3dm_crate.p3d") +
                                        " is in the later MLOD format (its LODs begin with P3DM), which this tool "
                                        "does not edit; only OFP models with SP3X LODs can be opened")
                                           .c_str());
    }
}

}  // namespace
