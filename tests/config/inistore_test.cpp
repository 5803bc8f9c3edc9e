#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>

#include "FullDisk.h"
#include "config/IniStore.h"
#include "config/SafeWrite.h"
#include "config/TextTemplate.h"

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (fs::temp_directory_path() / "inistore-XXXXXX").string();
        if (::mkdtemp(tmpl.data()))
            m_path = tmpl;
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

void WriteFile(const fs::path& p, const std::string& text)
{
    std::ofstream out(p, std::ios::binary);
    out << text;
}

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A store on an explicit path (a mode outside 0 to 5 uses the path as held).
CIniStore StoreAt(const fs::path& p)
{
    CIniStore s;
    s.SetCompany("Tamrel");
    s.SetFileName("MLV2");
    s.SetLocation(4);
    s.SetPath(p.string());
    return s;
}

struct LoadSaveCase {
    const char* name;
    std::string input;
    std::string saved;
};

class LoadThenSave : public ::testing::TestWithParam<LoadSaveCase> {};

TEST_P(LoadThenSave, GivesTheText)
{
    TempDir dir;
    const fs::path p = dir.path() / "a.ini";
    WriteFile(p, GetParam().input);
    CIniStore s = StoreAt(p);
    EXPECT_TRUE(s.Load());
    EXPECT_FALSE(s.Save().has_value());
    EXPECT_EQ(ReadFile(p), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadThenSave,
    ::testing::Values(
        LoadSaveCase{"Simple", "[Options]\nArrowWidth=3.000000\n\n", "[Options]\nArrowWidth=3.000000\n\n"},
        LoadSaveCase{"CrLfAndNoFinalNewline", "[Options]\r\nA=1\r\nB=2", "[Options]\nA=1\nB=2\n\n"},
        LoadSaveCase{"EntriesBeforeAnySection", "x=1\n[S]\ny=2\n", "[]\nx=1\n\n[S]\ny=2\n\n"},
        LoadSaveCase{"BlanksKept", "[S]\nKey = Value\n", "[S]\nKey = Value\n\n"},
        LoadSaveCase{"LaterValueWins", "[S]\na=1\nb=2\na=3\n", "[S]\na=3\nb=2\n\n"},
        LoadSaveCase{"SectionsMergeByName", "[S]\na=1\n[T]\nb=2\n[S]\nc=3\n", "[S]\na=1\nc=3\n\n[T]\nb=2\n\n"},
        LoadSaveCase{"EmptySectionNotWritten", "[Empty]\n[S]\na=1\n", "[S]\na=1\n\n"},
        LoadSaveCase{"HeaderCutAtFirstClose", "[A]B]\nk=v\n", "[A]\nk=v\n\n"},
        LoadSaveCase{"BracketWithoutClose", "[A\n", "[A\n"},
        LoadSaveCase{"LineWithoutEquals", "[S]\nhello\n", "[S]\nhello\n\n"},
        LoadSaveCase{"ForeignLinesInPlace", "; by hand\n[S]\na=1\n# note\nb=2\n[T] \nc=3\n[U]\nodd\n",
                     "; by hand\n[S]\na=1\n# note\nb=2\n[T] \nc=3\n\n[U]\nodd\n\n"},
        LoadSaveCase{"FirstEqualsSplits", "[S]\na=b=c\n=v\n", "[S]\na=b=c\n=v\n\n"},
        LoadSaveCase{"CaseSensitive", "[S]\nA=1\na=2\n[s]\nA=3\n", "[S]\nA=1\na=2\n\n[s]\nA=3\n\n"},
        LoadSaveCase{"LongLinesReadWhole",
                     "[S]\na=1\nb=" + std::string(70000, 'x') + "\nc=3\n" + std::string(3000, 'y') + "\n[T]\nd=4\n",
                     "[S]\na=1\nb=" + std::string(70000, 'x') + "\nc=3\n" + std::string(3000, 'y') + "\n\n[T]\nd=4\n\n"},
        LoadSaveCase{"LineEndingInCrStaysWhatItWas", "x=1\r\n[S]\r\r\nno=1\r\r\n", "[]\nx=1\n[S]\r\r\nno=1\r\r\n\n"},
        LoadSaveCase{"LineOf2047Kept", "[S]\nb=" + std::string(2045, 'x') + "\r\n",
                     "[S]\nb=" + std::string(2045, 'x') + "\n\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniStoreLoad, MergesIntoWhatIsHeld)
{
    TempDir dir;
    const fs::path p = dir.path() / "a.ini";
    WriteFile(p, "[S]\na=1\nforeign\n");
    CIniStore s = StoreAt(p);
    ASSERT_TRUE(s.Load());
    s.SetString("S", "mem", "kept", true);
    s.SetString("S", "a", "changed", true);
    ASSERT_TRUE(s.Load());
    ASSERT_EQ(s.Sections().size(), 1u);
    EXPECT_EQ(s.Sections()[0].names, (std::vector<std::string>{"a", "mem"}));
    EXPECT_EQ(s.GetString("S", "a"), "1");
    EXPECT_EQ(s.GetString("S", "mem"), "kept");
    ASSERT_FALSE(s.Save().has_value());
    EXPECT_EQ(ReadFile(p), "[S]\na=1\nforeign\nmem=kept\n\n");
}

// An entry the file cannot carry as one line is refused, so that nothing of it can
// turn up in another section or as entries of its own at the next load.
TEST(IniStoreSet, RefusesWhatTheFileCannotHold)
{
    const struct {
        const char* name;
        std::string section, key, value;
    } cases[] = {
        {"line feed in a value", "S", "Font", "Arial\n[Options]\nVerticalSpacing=99"},
        {"carriage return in a value", "S", "k", "a\rb"},
        {"line feed in a name", "S", "x\n[T]\ny", "1"},
        {"equals sign in a name", "S", "a=b", "c"},
        {"bracket in a section", "A]B", "k", "v"},
        {"line break in a section", "A\nB", "k", "v"},
        {"entry that reads as a header", "S", "[T", "]"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = dir.path() / "a.ini";
        CIniStore s = StoreAt(p);
        s.SetString("S", "first", "1", true);
        EXPECT_FALSE(s.SetString(c.section, c.key, c.value, true));
        ASSERT_FALSE(s.Save().has_value());
        EXPECT_EQ(ReadFile(p), "[S]\nfirst=1\n\n");
    }
    // What the reader can give back is taken: blanks, "=" in a value, "[" alone.
    CIniStore s;
    EXPECT_TRUE(s.SetString("S", "Key ", " a=b ]", true));
    EXPECT_TRUE(s.SetString("S", "[k", "v", true));
}

TEST(IniStoreSave, NewFileFollowsTheUmaskAndLinksAreKept)
{
    TempDir dir;
    const mode_t old = ::umask(077);
    CIniStore fresh = StoreAt(dir.path() / "new.ini");
    fresh.SetString("S", "a", "1", true);
    const auto error = fresh.Save();
    ::umask(old);
    ASSERT_FALSE(error.has_value());
    EXPECT_EQ(fs::status(dir.path() / "new.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A configuration file kept elsewhere and linked into place stays linked.
    fs::create_directory(dir.path() / "real");
    WriteFile(dir.path() / "real" / "MLV2.ini", "[S]\na=1\n");
    fs::create_symlink("real/MLV2.ini", dir.path() / "MLV2.ini");
    CIniStore linked = StoreAt(dir.path() / "MLV2.ini");
    ASSERT_TRUE(linked.Load());
    linked.SetString("S", "b", "2", true);
    ASSERT_FALSE(linked.Save().has_value());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "MLV2.ini"));
    EXPECT_EQ(ReadFile(dir.path() / "real" / "MLV2.ini"), "[S]\na=1\nb=2\n\n");
}

TEST(IniStoreLoad, MissingAndUnopenableFiles)
{
    TempDir dir;
    CIniStore missing = StoreAt(dir.path() / "none.ini");
    missing.SetString("S", "a", "1", true);
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.LastError(), "");
    EXPECT_EQ(missing.GetString("S", "a"), "1");

    // A folder where the file should be exists but cannot be read as a file.
    fs::create_directory(dir.path() / "dir.ini");
    CIniStore folder = StoreAt(dir.path() / "dir.ini");
    EXPECT_FALSE(folder.Load());
    EXPECT_EQ(folder.LastError(), "Unable to open ini file.");
}

// A file that exists but cannot be read (mode 000; root reads everything, so the test
// runs as another user then) is never written over: its settings would be lost.
TEST(IniStoreSave, NeverWritesAFileItCouldNotRead)
{
    TempDir dir;
    const fs::path file = dir.path() / "MLV2.ini";
    WriteFile(file, "[Options]\nArrowWidth=3.000000\n\n");
    ::chmod(file.c_str(), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::chown(dir.path().c_str(), 65534, 65534) != 0 || ::chown(file.c_str(), 65534, 65534) != 0 ||
                                 ::setgid(65534) != 0 || ::setuid(65534) != 0))
            _exit(3);
        CIniStore store = StoreAt(file);
        const bool loaded = store.Load();
        store.SetString("Options", "Font", "Arial", true);
        const auto refused = store.Save();
        // Readable again and reloaded, the store writes as ever.
        ::chmod(file.c_str(), 0600);
        const bool reloaded = store.Load();
        const bool saved = !store.Save().has_value();
        _exit(!loaded && refused && refused->caption == "File Save Error" &&
                      refused->text.find(file.string()) != std::string::npos &&
                      refused->text.find("Permission denied") != std::string::npos && reloaded && saved
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadFile(file), "[Options]\nFont=Arial\nArrowWidth=3.000000\n\n");
}

TEST(IniStoreLookup, TextsAndErrors)
{
    CIniStore s;
    EXPECT_EQ(s.GetString("S", "a"), "");
    EXPECT_EQ(s.LastError(), "Unable to locate specified key.");
    EXPECT_EQ(s.GetInt("S", "a"), -1);
    EXPECT_FALSE(s.SetString("S", "a", "1", false));
    EXPECT_TRUE(s.SetString("S", "a", "1", true));
    EXPECT_EQ(s.GetString("S", "b"), "");
    EXPECT_EQ(s.LastError(), "Unable to locate specified value.");
    EXPECT_FALSE(s.SetString("S", "b", "2", false));
    EXPECT_TRUE(s.SetString("S", "a", "5", false));
    EXPECT_EQ(s.GetString("S", "a"), "5");
}

struct IntCase {
    std::string text;
    int expected;
};

class IniGetInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(IniGetInt, StandardConversion)
{
    CIniStore s;
    s.SetString("S", "k", GetParam().text, true);
    EXPECT_EQ(s.GetInt("S", "k"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, IniGetInt,
                         ::testing::Values(IntCase{"", -1}, IntCase{"15", 15}, IntCase{" -7", -7},
                                           IntCase{"12abc", 12}, IntCase{"abc", 0}, IntCase{"-1", -1},
                                           IntCase{"+3", 3}));

TEST(IniStoreSetInt, FormatsDecimal)
{
    CIniStore s;
    EXPECT_TRUE(s.SetInt("S", "k", -2147483647 - 1, true));
    EXPECT_EQ(s.GetString("S", "k"), "-2147483648");
}

TEST(IniStoreSave, NothingWithoutCompanyOrFileName)
{
    TempDir dir;
    const fs::path p = dir.path() / "a.ini";
    CIniStore s = StoreAt(p);
    s.SetString("S", "a", "1", true);
    s.SetCompany("");
    EXPECT_FALSE(s.Save().has_value());
    EXPECT_FALSE(fs::exists(p));
    s.SetCompany("Tamrel");
    s.SetFileName("");
    EXPECT_FALSE(s.Save().has_value());
    EXPECT_FALSE(fs::exists(p));
}

TEST(IniStoreSave, FailureReportsAndKeepsTheOldFile)
{
    TempDir dir;
    // A regular file where a folder should be: fails even for root.
    const fs::path blocker = dir.path() / "plain";
    WriteFile(blocker, "not a folder");
    CIniStore s = StoreAt(blocker / "a.ini");
    s.SetString("S", "a", "1", true);
    const auto err = s.Save();
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->caption, "File Save Error");
    EXPECT_EQ(err->text, "Unable to write file " + (blocker / "a.ini").string() +
                             ".\n\nAdministrator privileges are probably needed to save this file.  "
                             "Please contact your IT staff.");
    EXPECT_EQ(ReadFile(blocker), "not a folder");

    // The target is a non-empty folder: the rename fails and nothing is left behind.
    const fs::path target = dir.path() / "busy.ini";
    fs::create_directories(target / "inside");
    CIniStore t = StoreAt(target);
    t.SetString("S", "a", "1", true);
    ASSERT_TRUE(t.Save().has_value());
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    std::size_t entries = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2u);
}

TEST(IniStoreSave, ReplacesTheOldFileAndKeepsItsMode)
{
    TempDir dir;
    const fs::path p = dir.path() / "a.ini";
    WriteFile(p, "[Old]\nx=" + std::string(5000, 'y') + "\n");
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CIniStore s = StoreAt(p);
    s.SetString("New", "k", "v", true);
    ASSERT_FALSE(s.Save().has_value());
    EXPECT_EQ(ReadFile(p), "[New]\nk=v\n\n");
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniStorePath, ModesAndRemoveFile)
{
    TempDir dir;
    const fs::path home = dir.path() / "config";
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);

    CIniStore s;
    s.SetCompany("Tamrel");
    s.SetFileName("MLV2");
    EXPECT_EQ(s.GetPath(), home.string() + "/Tamrel/MLV2.ini");
    EXPECT_TRUE(fs::is_directory(home / "Tamrel"));
    s.SetString("Options", "A", "1", true);
    ASSERT_FALSE(s.Save().has_value());
    EXPECT_EQ(ReadFile(home / "Tamrel" / "MLV2.ini"), "[Options]\nA=1\n\n");

    CIniStore again;
    again.SetCompany("Tamrel");
    again.SetFileName("MLV2");
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetString("Options", "A"), "1");
    again.RemoveFile();
    EXPECT_FALSE(fs::exists(home / "Tamrel" / "MLV2.ini"));
    again.RemoveFile(); // a missing file is not an error

    s.SetLocation(2);
    EXPECT_EQ(s.GetPath(), "/etc/MLV2.ini");
    s.SetLocation(5);
    EXPECT_EQ(s.GetPath(), "");
    s.SetLocation(1);
    const std::string program = CIniStore::ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_EQ(s.GetPath(), program + "MLV2.ini");

    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

TEST(IniStorePath, ParentOfProgramFolder)
{
    TempDir dir;
    CIniStore s;
    s.SetCompany("Tamrel");
    s.SetFileName("Probe");
    s.SetLocation(5);
    s.SetString("S", "a", "1", true);
    const fs::path program = fs::path(CIniStore::ProgramFolder()).parent_path();
    const fs::path expected = program.parent_path() / "Probe.ini";
    ASSERT_FALSE(s.Save().has_value());
    EXPECT_TRUE(fs::exists(expected));
    fs::remove(expected);
}

// On a full disk every write fails somewhere (a write, the flush, the close); the old
// file must survive and no temporary file stay behind.
TEST(SafeWrite, FullDiskKeepsTheOldFile)
{
    FullDisk disk;
    const std::string old = "[Options]\nArrowWidth=3.000000\n\n";
    disk.Prepare("MLV2.ini", old);
    disk.Fill();
    const std::string bigger(64 * 1024, 'x');
    const auto reason = WriteFileSafely((disk.Folder() / "MLV2.ini").string(), bigger);
    CIniStore store = StoreAt(disk.Folder() / "MLV2.ini");
    store.SetString("Options", "Font", bigger, true);
    const auto storeError = store.Save();
    disk.Release();

    ASSERT_TRUE(reason.has_value());
    EXPECT_EQ(*reason, disk.IsTmpfs() ? "No space left on device" : "File too large");
    EXPECT_TRUE(storeError.has_value());
    EXPECT_EQ(ReadFile(disk.Folder() / "MLV2.ini"), old);
    for (const auto& e : fs::directory_iterator(disk.Folder()))
        EXPECT_TRUE(e.path().filename() == "MLV2.ini" || e.path().filename() == ".filler") << e.path();
}

mode_t TypeOf(const fs::path& p)
{
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// What is not a regular file is never renamed over: a named pipe or a character
// device gets the bytes written into it (a device node only root can make), anything
// else is refused and stays as it was.
TEST(SafeWrite, SpecialFilesAreWrittenIntoOrLeftAlone)
{
    struct Case {
        const char* name;
        std::function<bool(const fs::path&)> make;
        mode_t type;
        bool written;
    };
    std::vector<Case> cases = {
        {"pipe", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600) == 0; }, S_IFIFO, true},
        {"folder", [](const fs::path& p) { return fs::create_directory(p); }, S_IFDIR, false},
        {"socket",
         [](const fs::path& p) {
             sockaddr_un addr{};
             addr.sun_family = AF_UNIX;
             std::strncpy(addr.sun_path, p.c_str(), sizeof addr.sun_path - 1);
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             const bool ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
             ::close(fd);
             return ok;
         },
         S_IFSOCK, false},
    };
    if (::geteuid() == 0)
        cases.push_back({"null", [](const fs::path& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; },
                         S_IFCHR, true});
    TempDir dir;
    for (const Case& c : cases) {
        for (const bool throughLink : {false, true}) {
            const fs::path target = dir.path() / c.name;
            const fs::path named = throughLink ? dir.path() / (std::string(c.name) + ".link") : target;
            if (!throughLink)
                ASSERT_TRUE(c.make(target)) << c.name;
            else
                fs::create_symlink(target, named);
            // The pipe's reader is there first, so the writer does not wait for one.
            const int reader = c.type == S_IFIFO ? ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
            const auto reason = WriteFileSafely(named.string(), "payload");
            EXPECT_EQ(reason.has_value(), !c.written) << c.name << ": " << reason.value_or("written");
            EXPECT_EQ(TypeOf(target), c.type) << c.name;
            if (reader >= 0) {
                char received[16] = {};
                EXPECT_EQ(::read(reader, received, sizeof received), 7);
                EXPECT_STREQ(received, "payload");
                ::close(reader);
            }
        }
    }
    // Nothing but what the cases made: no temporary file stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(2 * cases.size()));
}

// A save killed before its rename leaves its temporary file; the next save to the
// folder removes it, but never one in use or not of our naming.
TEST(SafeWrite, LeftoverTemporariesGoOnTheNextSave)
{
    TempDir dir;
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    struct Case {
        const char* name;
        bool old, locked, removed;
    } cases[] = {
        {".eq.mv2.0badcafe.tmp", true, false, true},    // killed long ago
        {".MLV2.ini.12345678.tmp", true, false, true},  // any file's, not only the one saved
        {".eq.mv2.0badcafe.tmp~", true, false, false},  // not our naming
        {".eq.mv2.tmp", true, false, false},
        {"eq.mv2.0badcafe.tmp", true, false, false},
        {".eq.mv2.abcdefgh.tmp", true, false, false},
        {".eq.mv2.00000001.tmp", false, false, false},  // written just now
        {".eq.mv2.00000002.tmp", true, true, false},    // held by a save in progress
    };
    std::vector<int> locks;
    for (const Case& c : cases) {
        WriteFile(dir.path() / c.name, "half");
        if (c.old)
            fs::last_write_time(dir.path() / c.name, old);
        if (c.locked) {
            locks.push_back(::open((dir.path() / c.name).c_str(), O_RDONLY | O_CLOEXEC));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
    }
    ASSERT_FALSE(WriteFileSafely((dir.path() / "other.svg").string(), "<svg/>").has_value());
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(dir.path() / c.name), !c.removed) << c.name;
    EXPECT_EQ(ReadFile(dir.path() / "other.svg"), "<svg/>");
    for (int fd : locks)
        ::close(fd);
}

} // namespace

// A failed save carries its text's template and places, from which the text is made:
// a caller writing it in another language says the same.
TEST(IniStoreSaveError, TextIsItsTemplateFilled)
{
    CIniStore store;
    store.SetCompany("Tamrel");
    store.SetFileName("MLV2");
    store.SetLocation(-1);
    store.SetPath("/proc/no-such-%1-folder/MLV2.ini");
    store.SetString("S", "a", "1", true);
    const std::optional<IniSaveError> error = store.Save();
    ASSERT_TRUE(error);
    ASSERT_NE(error->pattern, nullptr);
    EXPECT_EQ(error->caption, kIniSaveErrorCaption);
    EXPECT_EQ(error->places, std::vector<std::string>{"/proc/no-such-%1-folder/MLV2.ini"});
    EXPECT_EQ(error->text, FillPattern(error->pattern, error->places));
    EXPECT_EQ(error->text.substr(0, error->text.find('\n')), "Unable to write file /proc/no-such-%1-folder/MLV2.ini.");
}
