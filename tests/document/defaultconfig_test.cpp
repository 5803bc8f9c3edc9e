// The default configuration file: what is written beside the program, and how a
// start-up takes it over into the user's own file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "document/AppState.h"
#include "document/DefaultConfig.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadLines(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class DefaultConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("molvex-defaultconfig-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "program");
        fs::create_directories(dir / "user");
        folder = (dir / "program").string() + "/";
        // Keep the user's store out of the shared test configuration folder.
        app.mainStore.SetLocation(-1);
        app.mainStore.SetPath((dir / "user" / "MLV2.ini").string());
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path DefaultFile() const { return dir / "program" / "MLV2_Default.ini"; }
    fs::path UserFile() const { return dir / "user" / "MLV2.ini"; }

    fs::path dir;
    std::string folder;
    MolvexAppState app;
};

TEST_F(DefaultConfigTest, WritesAdjustmentThenOptionsWithDefaults)
{
    app.levelAdjust.Set(-37);
    std::vector<IniSaveError> errors;
    const std::string message = WriteDefaultConfigFile(app, errors, folder);

    EXPECT_TRUE(errors.empty());
    const std::vector<std::string> expected = {
        "[Adjustment]", "Level=-37", "",
        "[Options]", "EquilibriumArrow=1", "ArrowWidth=3.000000",
        "LevelArrow=0.500000", "LevelSuper=0.500000", "LevelSub=0.500000", "LevelPhase=0.500000",
        "TextArrow=0.500000", "TextSuper=0.500000", "TextSub=0.500000", "TextPhase=0.500000",
        "ItalicPhase=1", "VerticalSpacing=15", "Font=" + KVLogFontTBD().ToText(), "",
    };
    EXPECT_EQ(ReadLines(DefaultFile()), expected);
    EXPECT_EQ(message, "A default configuration file has been written to\n" + DefaultFile().string() +
                           "\n\nRead the installation instructions for details\non how to use this feature.");
}

TEST_F(DefaultConfigTest, ProgramFolderIsTheDefaultPlace)
{
    EXPECT_EQ(DefaultConfigPath(), CIniStore::ProgramFolder() + "MLV2_Default.ini");
}

TEST_F(DefaultConfigTest, UnwritableFolderReportsBothWritesAndStillConfirms)
{
    std::vector<IniSaveError> errors;
    const std::string missing = (dir / "no-such-folder").string() + "/";
    const std::string message = WriteDefaultConfigFile(app, errors, missing);

    ASSERT_EQ(errors.size(), 2u);
    for (const IniSaveError& e : errors) {
        EXPECT_EQ(e.caption, "File Save Error");
        EXPECT_NE(e.text.find(missing + "MLV2_Default.ini"), std::string::npos) << e.text;
    }
    EXPECT_EQ(message.rfind("A default configuration file has been written to\n", 0), 0u);
}

TEST_F(DefaultConfigTest, ImportGivesDefaultsForMissingEntriesAndDeletesTheFile)
{
    // What the user had before must not survive where the default file is silent.
    app.options.levelSuper.Set(0.7);
    app.options.equilibriumArrow.Set(3);
    app.options.italicPhase.Set(false);
    app.options.font.value.lf.lfHeight = -40;
    app.levelAdjust.Set(55);
    WriteText(DefaultFile(), "[Options]\nVerticalSpacing=20\n");

    EXPECT_FALSE(ImportDefaultConfigFile(app, folder).has_value());

    const CEquationOptions defaults;
    EXPECT_EQ(app.options.verticalSpacing.value, 20);
    EXPECT_EQ(app.options.equilibriumArrow.value, 1);
    EXPECT_DOUBLE_EQ(app.options.levelSuper.value, 0.5);
    EXPECT_DOUBLE_EQ(app.options.arrowWidth.value, 3.0);
    EXPECT_TRUE(app.options.italicPhase.value);
    EXPECT_EQ(app.options.font.value.ToText(), defaults.font.value.ToText());
    EXPECT_EQ(app.levelAdjust.value, 0);
    EXPECT_FALSE(fs::exists(DefaultFile()));

    CIniStore user;
    user.SetCompany("Tamrel");
    user.SetFileName("MLV2");
    user.SetLocation(-1);
    user.SetPath(UserFile().string());
    ASSERT_TRUE(user.Load());
    EXPECT_EQ(user.GetString("Options", "VerticalSpacing"), "20");
    EXPECT_EQ(user.GetString("Options", "LevelSuper"), "0.500000");
    EXPECT_EQ(user.GetString("Options", "EquilibriumArrow"), "1");
    EXPECT_EQ(user.GetString("Options", "ItalicPhase"), "1");
}

TEST_F(DefaultConfigTest, ImportedLevelIsKeptInTheUsersFile)
{
    WriteText(DefaultFile(), "[Adjustment]\nLevel=12\n\n[Options]\nTextSub=0.250000\n");
    ImportDefaultConfigFile(app, folder);

    EXPECT_EQ(app.levelAdjust.value, 12);
    EXPECT_DOUBLE_EQ(app.options.textSub.value, 0.25);
    const std::vector<std::string> lines = ReadLines(UserFile());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Level=12"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TextSub=0.250000"), lines.end());
}

TEST_F(DefaultConfigTest, WrittenFileRoundTripsThroughImport)
{
    app.options.arrowWidth.Set(4.0);
    app.options.equilibriumArrow.Set(2);
    app.levelAdjust.Set(-9);
    std::vector<IniSaveError> errors;
    WriteDefaultConfigFile(app, errors, folder);

    MolvexAppState other;
    other.mainStore = app.mainStore;
    ImportDefaultConfigFile(other, folder);
    EXPECT_DOUBLE_EQ(other.options.arrowWidth.value, 4.0);
    EXPECT_EQ(other.options.equilibriumArrow.value, 2);
    EXPECT_EQ(other.levelAdjust.value, -9);
}

TEST_F(DefaultConfigTest, NoDefaultFileChangesNothing)
{
    app.options.verticalSpacing.Set(33);
    app.levelAdjust.Set(4);
    EXPECT_FALSE(ImportDefaultConfigFile(app, folder).has_value());
    EXPECT_EQ(app.options.verticalSpacing.value, 33);
    EXPECT_EQ(app.levelAdjust.value, 4);
    EXPECT_FALSE(fs::exists(UserFile()));
}

TEST_F(DefaultConfigTest, UnwritableUserFileKeepsTheDefaultFileForTheNextStart)
{
    WriteText(DefaultFile(), "[Options]\nVerticalSpacing=20\n");
    app.mainStore.SetPath((dir / "no-such-folder" / "MLV2.ini").string());

    const auto error = ImportDefaultConfigFile(app, folder);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->caption, "File Save Error");
    EXPECT_EQ(app.options.verticalSpacing.value, 20);
    EXPECT_TRUE(fs::exists(DefaultFile()));
}

} // namespace
