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

    DefaultConfigPlaces Places() const { return {folder, {(dir / "system" / "Tamrel").string() + "/"}}; }
    fs::path DefaultFile() const { return dir / "program" / "MLV2_Default.ini"; }
    fs::path SystemFile() const { return dir / "system" / "Tamrel" / "MLV2_Default.ini"; }
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
        "ItalicPhase=1", "VerticalSpacing=15", "Font=" + KVEquationFont().ToText(), "",
    };
    EXPECT_EQ(ReadLines(DefaultFile()), expected);
    EXPECT_EQ(message, "A default configuration file has been written to\n" + DefaultFile().string() +
                           "\n\nRead the installation instructions for details\non how to use this feature.");
}

TEST_F(DefaultConfigTest, ProgramFolderIsTheDefaultPlace)
{
    EXPECT_EQ(DefaultConfigPath(), CIniStore::ProgramFolder() + "MLV2_Default.ini");
}

// A failed write must not be confirmed as written.
TEST_F(DefaultConfigTest, UnwritableFolderReportsBothWritesAndDoesNotConfirm)
{
    std::vector<IniSaveError> errors;
    const std::string blocked = (dir / "file").string() + "/";
    WriteText(dir / "file", "");
    const std::string message = WriteDefaultConfigFile(app, errors, blocked);

    ASSERT_EQ(errors.size(), 2u);
    for (const IniSaveError& e : errors) {
        EXPECT_EQ(e.caption, "File Save Error");
        EXPECT_NE(e.text.find(blocked + "MLV2_Default.ini"), std::string::npos) << e.text;
    }
    EXPECT_EQ(message, "");
}

TEST_F(DefaultConfigTest, WritingCreatesTheCompanyFolder)
{
    std::vector<IniSaveError> errors;
    EXPECT_NE(WriteDefaultConfigFile(app, errors, Places().systemFolders.front()), "");
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(fs::exists(SystemFile()));
}

TEST(DefaultConfigSearch, ProgramFolderThenEachSystemFolder)
{
    struct Row {
        const char* program;
        const char* dirs;
        std::vector<std::string> system;
    };
    const Row rows[] = {
        {"/opt/m/bin", "", {"/etc/xdg/Tamrel/"}},
        {"/opt/m/bin/", "/a:/b/", {"/a/Tamrel/", "/b/Tamrel/"}},
        {"/usr/bin/", "relative::/c", {"/c/Tamrel/"}},
        {"/usr/bin/", "relative", {"/etc/xdg/Tamrel/"}},
    };
    for (const Row& row : rows) {
        const DefaultConfigPlaces places = DefaultConfigSearch(row.program, row.dirs);
        EXPECT_EQ(places.programFolder.back(), '/') << row.program;
        EXPECT_EQ(places.systemFolders, row.system) << row.dirs;
    }
}

// One user's start-ups, in order: a given default file is taken over once, a replaced
// one again, and only a file the user owns in the program's folder is deleted.
TEST_F(DefaultConfigTest, TakenOverOncePerUser)
{
    struct Step {
        const char* what;
        const char* programFile; // content, or null for none
        const char* systemFile;
        int userSpacing;     // the user's own setting before the start-up
        int expectedSpacing; // after it
        bool programFileKept;
    };
    const Step steps[] = {
        {"system file taken over", nullptr, "[Options]\nVerticalSpacing=20\n", 15, 20, false},
        {"same file again: the user's change stands", nullptr, "[Options]\nVerticalSpacing=20\n", 33, 33, false},
        {"replaced file taken over", nullptr, "[Options]\nVerticalSpacing=25\n", 33, 25, false},
        {"program folder first, then deleted", "[Options]\nVerticalSpacing=40\n",
         "[Options]\nVerticalSpacing=25\n", 33, 40, false},
        {"system file already taken", nullptr, "[Options]\nVerticalSpacing=25\n", 12, 12, false},
    };
    fs::create_directories(SystemFile().parent_path());
    for (const Step& step : steps) {
        if (step.programFile)
            WriteText(DefaultFile(), step.programFile);
        WriteText(SystemFile(), step.systemFile);
        app.options.verticalSpacing.Set(step.userSpacing);

        MolvexAppState next; // a fresh start-up reading the user's file
        next.mainStore = app.mainStore;
        next.mainStore.Load();
        next.options.verticalSpacing.Set(step.userSpacing);
        EXPECT_FALSE(ImportDefaultConfigFile(next, Places()).has_value()) << step.what;
        EXPECT_EQ(next.options.verticalSpacing.Get(), step.expectedSpacing) << step.what;
        EXPECT_EQ(fs::exists(DefaultFile()), step.programFileKept) << step.what;
        EXPECT_TRUE(fs::exists(SystemFile())) << step.what;
        app.mainStore = next.mainStore;
    }
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

    EXPECT_FALSE(ImportDefaultConfigFile(app, Places()).has_value());

    const CEquationOptions defaults;
    EXPECT_EQ(app.options.verticalSpacing.Get(), 20);
    EXPECT_EQ(app.options.equilibriumArrow.Get(), 1);
    EXPECT_DOUBLE_EQ(app.options.levelSuper.Get(), 0.5);
    EXPECT_DOUBLE_EQ(app.options.arrowWidth.Get(), 3.0);
    EXPECT_TRUE(app.options.italicPhase.Get());
    EXPECT_EQ(app.options.font.value.ToText(), defaults.font.value.ToText());
    EXPECT_EQ(app.levelAdjust.Get(), 0);
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
    ImportDefaultConfigFile(app, Places());

    EXPECT_EQ(app.levelAdjust.Get(), 12);
    EXPECT_DOUBLE_EQ(app.options.textSub.Get(), 0.25);
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
    ImportDefaultConfigFile(other, Places());
    EXPECT_DOUBLE_EQ(other.options.arrowWidth.Get(), 4.0);
    EXPECT_EQ(other.options.equilibriumArrow.Get(), 2);
    EXPECT_EQ(other.levelAdjust.Get(), -9);
}

TEST_F(DefaultConfigTest, NoDefaultFileChangesNothing)
{
    app.options.verticalSpacing.Set(33);
    app.levelAdjust.Set(4);
    EXPECT_FALSE(ImportDefaultConfigFile(app, Places()).has_value());
    EXPECT_EQ(app.options.verticalSpacing.Get(), 33);
    EXPECT_EQ(app.levelAdjust.Get(), 4);
    EXPECT_FALSE(fs::exists(UserFile()));
}

TEST_F(DefaultConfigTest, UnwritableUserFileKeepsTheDefaultFileForTheNextStart)
{
    WriteText(DefaultFile(), "[Options]\nVerticalSpacing=20\n");
    app.mainStore.SetPath((dir / "no-such-folder" / "MLV2.ini").string());

    const auto error = ImportDefaultConfigFile(app, Places());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->caption, "File Save Error");
    EXPECT_EQ(app.options.verticalSpacing.Get(), 20);
    EXPECT_TRUE(fs::exists(DefaultFile()));
}

} // namespace
