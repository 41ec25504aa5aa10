#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include "cli_runner.h"
#include "sp3x_writer.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A model of one LOD per list of texture texts.
std::string Model(const std::vector<std::vector<std::string>>& lods, const std::string& trailing = "")
{
    sp3x::Model model;
    for (const auto& textures : lods)
        model.lods.push_back(sp3x::LodWithTextures(textures));
    model.trailing = trailing;
    return sp3x::Build(model);
}

const std::string kLong30 = "data\\" + std::string(21, 'l') + ".paa";

class CliTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        fs::create_directories(fs::path(m_dir.Path(name)).parent_path());
        return m_dir.Write(name, bytes);
    }
    std::string Path(const std::string& name) const { return m_dir.Path(name); }
    static ino_t Inode(const std::string& path)
    {
        struct stat info {};
        stat(path.c_str(), &info);
        return info.st_ino;
    }
    // Every name below the folder, to see that no temporary file is left.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(m_dir.Path("")))
            names.push_back(fs::relative(entry.path(), m_dir.Path("")).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir m_dir;
};

TEST_F(CliTest, ListPrintsDistinctPathsAsFirstSpelledSortedIgnoringCase)
{
    const std::string model = Write("model.p3d", Model({
        {"data\\B.paa", "Data\\b.PAA", "data\\a.paa", "", "data_x\\c.paa", "data\\a.paa"},
        {"Zeta.paa", "\\abs.paa", "data\\caf\xe9.paa", "DATA\\A.PAA", ""},
    }));
    const test::CliResult result = test::RunCli({"list", model});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "\\abs.paa\ndata\\a.paa\ndata\\B.paa\ndata\\caf\xe9.paa\ndata_x\\c.paa\nZeta.paa\n");
}

TEST_F(CliTest, ListFacesGivesTheWholeIndexNumberedWithinEachLod)
{
    const std::string full(32, 'f');
    const std::string model = Write("model.p3d", Model({{"a.paa", "", "a.paa"}, {}, {full + "beyond", "b\0stale"s}}));
    const test::CliResult result = test::RunCli({"list", "--faces", model});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "0\t0\ta.paa\n0\t1\t\n0\t2\ta.paa\n2\t0\t" + full + "\n2\t1\tb\n");
}

TEST_F(CliTest, ListJsonLosesNothingOfBytesThatAreNotUtf8)
{
    sp3x::Lod visual = sp3x::LodWithTextures({"data\\a.paa", "data\\caf\xe9.paa", "data\\caf\xc3\xa9.paa"});
    sp3x::Lod geometry = sp3x::LodWithTextures({"", ""});
    geometry.resolution = sp3x::kGeometryResolution;
    const std::string bytes = sp3x::Build(sp3x::Model{{visual, geometry}});
    const std::string model = Write("mod\xe8le.p3d", bytes);

    const test::CliResult result = test::RunCli({"list", "--json", model});
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json document = nlohmann::json::parse(result.out);
    ASSERT_EQ(document["models"].size(), 1u);
    const nlohmann::json& entry = document["models"][0];
    std::string pathHex;
    for (const unsigned char c : model) {
        pathHex += "0123456789abcdef"[c >> 4];
        pathHex += "0123456789abcdef"[c & 15];
    }
    EXPECT_EQ(entry["path"]["hex"], pathHex);
    EXPECT_NE(entry["path"]["text"].get<std::string>().find("mod\xef\xbf\xbdle.p3d"), std::string::npos);
    EXPECT_EQ(entry["size"], bytes.size());
    EXPECT_EQ(entry["lods"], nlohmann::json::parse(R"([{"faces": 3, "resolution": 1.0}, {"faces": 2, "resolution": 1e13}])"));
    EXPECT_EQ(entry["textures"], nlohmann::json::parse(R"([
        "data\\a.paa",
        "data\\café.paa",
        {"text": "data\\caf\ufffd.paa", "hex": "646174615c636166e92e706161"}
    ])"));
}

TEST_F(CliTest, FolderIsEveryModelBelowItInPathOrderAndADamagedOneFailsAlone)
{
    const std::string one = Model({{"one.paa"}});
    Write("addon/b.p3d", one);
    Write("addon/a/x.p3d", one);
    Write("addon/a/Y.P3D", one);
    Write("addon/sub/deep/d.p3d", one);
    Write("addon/readme.txt", "not a model");
    Write("addon/c.p3d", one.substr(0, one.size() - 10));
    const std::string addon = Path("addon");

    const test::CliResult result = test::RunCli({"list", addon});
    EXPECT_EQ(result.status, 1);
    const std::string expected = "== " + addon + "/a/Y.P3D\none.paa\n== " + addon + "/a/x.p3d\none.paa\n== " + addon +
                                 "/b.p3d\none.paa\n== " + addon + "/sub/deep/d.p3d\none.paa\n";
    EXPECT_EQ(result.out, expected);
    const std::string failure = addon + "/c.p3d: is damaged or not an OFP model: ";
    EXPECT_EQ(result.err.find(failure), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST_F(CliTest, EachFailureIsOneLineNamingThePathAndTheOthersGoOn)
{
    const std::string good = Write("good.p3d", Model({{"good.paa"}}));
    const std::string empty = Write("empty.p3d", "");
    const std::string missing = Path("missing.p3d");
    const std::string p3dm = Write("p3dm.p3d", "MLOD\x01\x01\0\0\x01\0\0\0P3DM"s + std::string(64, '\0'));
    sp3x::Lod backwards = sp3x::LodWithTextures({"x.paa"});
    backwards.tags = {{"#Mass#", "", -100000}};
    const std::string beforeStart = Write("before_start.p3d", sp3x::Build(sp3x::Model{{backwards}}));

    const test::CliResult result = test::RunCli({"list", missing, empty, good, p3dm, beforeStart});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "== " + good + "\ngood.paa\n");
    EXPECT_EQ(result.err, missing + ": " + missing + " was not found.\n" + empty + ": is empty, not an OFP model\n" + p3dm +
                              ": is in the later MLOD format (its LODs begin with P3DM), which this tool does not edit; only "
                              "OFP models with SP3X LODs can be opened\n" +
                              beforeStart + ": is damaged or not an OFP model: a size in it leads before the start of the file\n");
}

TEST_F(CliTest, InfoGivesSizeLodsTexturesAndTrailingBytes)
{
    sp3x::Lod visual = sp3x::LodWithTextures({"a.paa", "A.PAA", "b.paa"});
    visual.resolution = 1.5f;
    sp3x::Lod geometry = sp3x::LodWithTextures({""});
    geometry.resolution = sp3x::kGeometryResolution;
    sp3x::Lod memory;
    memory.resolution = sp3x::kMemoryResolution;
    sp3x::Lod other;
    other.resolution = 1e14f;
    const std::string bytes = sp3x::Build(sp3x::Model{{visual, geometry, memory, other}, std::nullopt, "data\\\0xyz"s});
    const std::string model = Write("model.p3d", bytes);

    const test::CliResult result = test::RunCli({"info", model});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "size: " + std::to_string(bytes.size()) +
                              " bytes\nLODs: 4\n"
                              "  LOD 0: 3 faces, resolution 1.5\n"
                              "  LOD 1: 1 face, resolution 1e13 (Geometry)\n"
                              "  LOD 2: 0 faces, resolution 1e15 (Memory)\n"
                              "  LOD 3: 0 faces, resolution 1e14\n"
                              "distinct textures: 2\n"
                              "bytes after the last LOD: 9\n");
}

TEST_F(CliTest, ReplaceInPlaceRewritesOnlyChangedModelsKeepingTheirPermissions)
{
    const std::string changed = Write("addon/tank.p3d", Model({{"data\\a.paa", "other.paa", "data\\a.paa"}, {"data\\b.paa"}}, "tail"));
    chmod(changed.c_str(), 0640);
    const std::string unchanged = Write("addon/crate.p3d", Model({{"Data\\a.paa"}}));
    const ino_t unchangedInode = Inode(unchanged);

    const test::CliResult result =
        test::RunCli({"replace", "--from", "data\\", "--to", "myaddon\\data\\", "--in-place", Path("addon")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(test::ReadBytes(changed),
              Model({{"myaddon\\data\\a.paa", "other.paa", "myaddon\\data\\a.paa"}, {"myaddon\\data\\b.paa"}}, "tail"));
    EXPECT_EQ(Inode(unchanged), unchangedInode);
    EXPECT_EQ(test::ReadBytes(unchanged), Model({{"Data\\a.paa"}}));
    struct stat info {};
    stat(changed.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"addon", "addon/crate.p3d", "addon/tank.p3d"}));
}

TEST_F(CliTest, ReplaceIsAllOrNothingPerModel)
{
    const std::string overLong = Model({{"data\\a.paa"}, {"x.paa", kLong30, "data\\c.paa"}});
    const std::string refused = Write("refused.p3d", overLong);
    const std::string accepted = Write("accepted.p3d", Model({{"data\\a.paa"}}));

    for (const bool dryRun : {true, false}) {
        std::vector<std::string> arguments = {"replace", "--from", "data\\", "--to", "models\\", "--in-place", refused, accepted};
        if (dryRun)
            arguments.insert(arguments.begin() + 1, "--dry-run");
        const test::CliResult result = test::RunCli(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, refused + ": LOD 1 face 1: \"" + kLong30 +
                                  "\" would become 32 bytes long, more than the 31 a texture path holds; the model is not "
                                  "written\n");
        EXPECT_EQ(test::ReadBytes(refused), overLong);
    }
    EXPECT_EQ(test::ReadBytes(accepted), Model({{"models\\a.paa"}}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"accepted.p3d", "refused.p3d"}));
}

TEST_F(CliTest, DryRunTellsEachChangeAndWritesNothing)
{
    const std::string tank = Write("tank.p3d", Model({{"data\\b.paa", "data\\a.paa", "Data\\c.paa", "data\\b.paa"}, {"data\\b.paa"}}));
    const std::string crate = Write("crate.p3d", Model({{"other.paa"}}));
    const ino_t tankInode = Inode(tank);
    const std::string before = test::ReadBytes(tank);

    const test::CliResult result =
        test::RunCli({"replace", "--dry-run", "--from", "data\\", "--to", "myaddon\\data\\", "--in-place", tank, crate});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "== " + tank + "\ndata\\b.paa\tmyaddon\\data\\b.paa\t3\ndata\\a.paa\tmyaddon\\data\\a.paa\t1\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(test::ReadBytes(tank), before);
    EXPECT_EQ(Inode(tank), tankInode);
}

TEST_F(CliTest, OutputWritesTheOneEditedModelThereAndLeavesTheInput)
{
    const std::string original = Model({{"data\\a.paa"}});
    const std::string input = Write("in.p3d", original);
    const std::string output = Path("out.p3d");

    test::CliResult result = test::RunCli({"replace", "--from", "a.paa", "--to", "b.paa", "--output", output, input});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::ReadBytes(input), original);
    EXPECT_EQ(test::ReadBytes(output), Model({{"data\\b.paa"}}));

    const std::string second = Write("second.p3d", original);
    result = test::RunCli({"replace", "--from", "a.paa", "--to", "c.paa", "--output", output, input, second});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(test::ReadBytes(output), Model({{"data\\b.paa"}}));
}

TEST_F(CliTest, AFileReachedTwiceIsEditedOnce)
{
    const std::string model = Write("addon/a.p3d", Model({{"data\\a.paa"}}));
    fs::create_symlink("a.p3d", Path("addon/link.p3d"));
    const test::CliResult result = test::RunCli(
        {"replace", "--from", "data\\", "--to", "x\\data\\", "--in-place", Path("addon"), model, Path("addon/link.p3d")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::ReadBytes(model), Model({{"x\\data\\a.paa"}}));
    EXPECT_TRUE(fs::is_symlink(Path("addon/link.p3d")));
}

TEST_F(CliTest, WriteBeyondTheFileSizeLimitLeavesTheOriginalAndNoTemporaryFile)
{
    const std::string original = Model({{"data\\a.paa", "data\\b.paa"}});
    ASSERT_GT(original.size(), 200u);
    const std::string model = Write("model.p3d", original);

    const test::CliResult result =
        test::RunCli({"replace", "--from", "data\\", "--to", "x\\", "--in-place", model}, {.fileSizeLimit = 200});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, model + ": Disk full while accessing " + model + ".\n");
    EXPECT_EQ(test::ReadBytes(model), original);
    EXPECT_EQ(Names(), std::vector<std::string>{"model.p3d"});
}

// Models are saved several at once; what is printed keeps the order of the paths.
TEST_F(CliTest, ReplaceOverManyModelsReportsEachFailureInPathOrderAndSavesTheRest)
{
    enum Kind { kSaved, kDamaged, kOverLong, kBeyondSizeLimit };
    struct Case {
        Kind kind;
        std::string bytes;
        std::string reason;  // a part of the failure line
    };
    const std::string small = Model({{"data\\a.paa"}});
    const std::string large = Model({std::vector<std::string>(400, "data\\b.paa")});
    const std::vector<Case> kinds = {
        {kSaved, small, ""},
        {kDamaged, small.substr(0, small.size() - 10), ": is damaged or not an OFP model"},
        {kOverLong, Model({{"data\\a.paa", kLong30}}), ": LOD 0 face 1: \"" + kLong30 + "\" would become 32 bytes long"},
        {kBeyondSizeLimit, large, ": Disk full while accessing "},
    };
    // The limit holds for what the program prints to the file of its stderr as well.
    const std::size_t fileSizeLimit = 16384;
    ASSERT_GT(large.size(), fileSizeLimit);

    // Failures in runs and alone, among models that are saved.
    const std::string pattern = "0001002220030330123000";
    std::vector<std::string> paths;
    std::vector<std::string> names = {"addon"};
    for (std::size_t index = 0; index < 3 * pattern.size(); ++index) {
        const std::string name = "addon/model" + std::string(index < 10 ? "0" : "") + std::to_string(index) + ".p3d";
        paths.push_back(Write(name, kinds[pattern[index % pattern.size()] - '0'].bytes));
        names.push_back(name);
    }

    const test::CliResult result = test::RunCli({"replace", "--from", "data\\", "--to", "models\\", "--in-place", Path("addon")},
                                                {.fileSizeLimit = fileSizeLimit});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    std::istringstream failures(result.err);
    std::string line;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const Case& expected = kinds[pattern[index % pattern.size()] - '0'];
        if (expected.kind == kSaved) {
            EXPECT_EQ(test::ReadBytes(paths[index]), Model({{"models\\a.paa"}})) << paths[index];
            continue;
        }
        EXPECT_EQ(test::ReadBytes(paths[index]), expected.bytes) << paths[index];
        ASSERT_TRUE(std::getline(failures, line)) << "no line for " << paths[index];
        EXPECT_EQ(line.find(paths[index] + expected.reason), 0u) << line;
    }
    EXPECT_FALSE(std::getline(failures, line)) << line;
    EXPECT_EQ(Names(), names);
}

TEST_F(CliTest, ProgressLineOnlyOnATerminalAndOnlyForSeveralModels)
{
    const std::string a = Write("a.p3d", Model({{"a.paa"}}));
    const std::string b = Write("b.p3d", Model({{"b.paa"}}));

    const test::CliResult several = test::RunCli({"list", a, b}, {.fileSizeLimit = std::nullopt, .stderrIsTerminal = true});
    EXPECT_EQ(several.status, 0);
    EXPECT_NE(several.err.find("\r[0/2] " + a), std::string::npos) << several.err;
    EXPECT_EQ(several.err.back(), '\r');  // the line is cleared at the end

    EXPECT_EQ(test::RunCli({"list", a}, {.fileSizeLimit = std::nullopt, .stderrIsTerminal = true}).err, "");
    EXPECT_EQ(test::RunCli({"list", a, b}).err, "");
}

TEST_F(CliTest, BadUsageExitsWith2AndHelpWith0)
{
    const std::string model = Write("model.p3d", Model({{"a.paa"}}));
    Write("two/a.p3d", Model({{"a.paa"}}));
    Write("two/b.p3d", Model({{"a.paa"}}));
    const std::vector<std::vector<std::string>> badUsages = {
        {},
        {"rename", model},
        {"list"},
        {"list", "--faces", "--json", model},
        {"list", "--bogus", model},
        {"info"},
        {"replace", "--to", "x", "--in-place", model},
        {"replace", "--from", "a", "--in-place", model},
        {"replace", "--from", "", "--to", "x", "--in-place", model},
        {"replace", "--from", "a", "--to", "x", model},
        {"replace", "--from", "a", "--to", "x", "--in-place", "--output", Path("out.p3d"), model},
        {"replace", "--from", "a", "--to", "x", "--output", Path("out.p3d"), Path("two")},
    };
    for (const auto& arguments : badUsages) {
        const test::CliResult result = test::RunCli(arguments);
        const std::string shown = arguments.empty() ? "(none)" : arguments[0] + (arguments.size() > 1 ? " " + arguments[1] : "");
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_NE(result.err, "") << shown;
        EXPECT_EQ(result.out, "") << shown;
    }
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--help"}, {"list", "--help"}, {"replace", "--help"}, {"info", "--help"}, {"--version"}}) {
        const test::CliResult result = test::RunCli(arguments);
        EXPECT_EQ(result.status, 0) << arguments[0];
        EXPECT_NE(result.out, "") << arguments[0];
    }
    EXPECT_EQ(test::ReadBytes(model), Model({{"a.paa"}}));
    EXPECT_FALSE(fs::exists(Path("out.p3d")));
}

class CliRealModelsTest : public CliTest {
protected:
    void SetUp() override
    {
        m_models = test::RealModelsDir();
        if (m_models.empty())
            GTEST_SKIP() << "no real models here";
    }
    std::string Model(const char* name) const { return (m_models / name).string(); }
    std::string Copy(const char* name) const { return Write(name, test::ReadBytes(Model(name))); }

    fs::path m_models;
};

TEST_F(CliRealModelsTest, TomahawkListsItsTwoPaths)
{
    const test::CliResult result = test::RunCli({"list", Model("tomahawk.p3d")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "gdtcti\\textur\\tomahawk.paa\nTZK_Objects\\tomahawk.paa\n");
}

// Its fields fill all 32 bytes: only a replacement that shortens them fits.
TEST_F(CliRealModelsTest, KatIvTakesAShorterPathAndRefusesALongerOne)
{
    const std::string model = Copy("kat_iv.p3d");
    const std::string original = test::ReadBytes(model);
    test::CliResult result = test::RunCli({"replace", "--from", "iv", "--to", "ivv", "--in-place", model});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, model + ": LOD 0 face 0: \"\\x\\kat\\addons\\pharma\\models\\iv\\k\" would become 33 bytes "
                                  "long, more than the 31 a texture path holds; the model is not written\n");
    EXPECT_EQ(test::ReadBytes(model), original);

    result = test::RunCli({"replace", "--from", "\\x\\kat\\addons\\", "--to", "\\k\\", "--in-place", model});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::RunCli({"list", model}).out, "\\k\\pharma\\models\\iv\\k\n");
    EXPECT_EQ(test::ReadBytes(model).size(), original.size());
}

TEST_F(CliRealModelsTest, LaterMlodFormatFailsWithTheClearMessage)
{
    const test::CliResult result = test::RunCli({"info", Model("p3dm_crate.p3d")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Model("p3dm_crate.p3d") +
                              ": is in the later MLOD format (its LODs begin with P3DM), which this tool does not edit; "
                              "only OFP models with SP3X LODs can be opened\n");
}

}  // namespace
