#include "document/DefaultConfig.h"

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "document/AppState.h"
#include "engine/ChemPhrase.h"
#include "engine/EquationOptions.h"

namespace {

const char kCompany[] = "Tamrel";
const char kFileName[] = "MLV2_Default";
// The user's file records each default file taken over: its path = its content stamp.
const char kRecordSection[] = "DefaultConfig";

void SetUpStore(CIniStore& store, const std::string& folder)
{
    store.SetCompany(kCompany);
    store.SetFileName(kFileName);
    store.SetLocation(-1);
    store.SetPath(DefaultConfigPath(folder));
}

// A fingerprint of the file's bytes (64-bit FNV-1a), so a replaced file is taken over
// again whatever its modification time says.
std::string ContentStamp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::uint64_t hash = 14695981039346656037ull;
    char buffer[4096];
    while (in) {
        in.read(buffer, sizeof buffer);
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 1099511628211ull;
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

bool OwnedByUser(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_uid == ::geteuid();
}

std::string WithSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

DefaultConfigPlaces DefaultConfigSearch(const std::string& programFolder, const std::string& xdgConfigDirs)
{
    DefaultConfigPlaces places;
    places.programFolder = WithSlash(programFolder);
    std::size_t start = 0;
    while (start <= xdgConfigDirs.size()) {
        const std::size_t end = std::min(xdgConfigDirs.find(':', start), xdgConfigDirs.size());
        const std::string dir = xdgConfigDirs.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/')
            places.systemFolders.push_back(WithSlash(dir) + kCompany + "/");
        start = end + 1;
    }
    if (places.systemFolders.empty())
        places.systemFolders.push_back(std::string("/etc/xdg/") + kCompany + "/");
    return places;
}

const char* const kDefaultConfigWritten =
    CHEM_PHRASE("DefaultConfig", "A default configuration file has been written to\n%1\n\nRead the installation "
                                 "instructions for details\non how to use this feature.");

std::string DefaultConfigPath(const std::string& folder)
{
    const std::string dir = folder.empty() ? CIniStore::ProgramFolder() : WithSlash(folder);
    return dir + kFileName + ".ini";
}

std::string WriteDefaultConfigFile(MolvexAppState& app, std::vector<IniSaveError>& errors,
                                   const std::string& folder)
{
    // A missing company folder is created; when that is not allowed the store's save
    // error below says so.
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);

    CIniStore store;
    SetUpStore(store, folder);
    app.levelAdjust.Save(store);
    const std::size_t before = errors.size();
    if (auto error = app.options.Save(store))
        errors.push_back(*error);
    if (auto error = store.Save())
        errors.push_back(*error);
    if (errors.size() != before)
        return std::string(); // the save errors are the whole story

    return chem::FillPattern(kDefaultConfigWritten, {DefaultConfigPath(folder)});
}

std::optional<IniSaveError> ImportDefaultConfigFile(MolvexAppState& app, const DefaultConfigPlaces& places)
{
    std::vector<std::string> folders;
    if (!places.programFolder.empty())
        folders.push_back(places.programFolder);
    folders.insert(folders.end(), places.systemFolders.begin(), places.systemFolders.end());

    for (const std::string& folder : folders) {
        CIniStore store;
        SetUpStore(store, folder);
        if (!store.Load())
            continue;

        const std::string path = DefaultConfigPath(folder);
        const std::string stamp = ContentStamp(path);
        if (app.mainStore.GetString(kRecordSection, path) == stamp)
            return std::nullopt; // taken over before: the user's own settings stand

        // A fresh set, so that entries the file lacks give the defaults rather than
        // what the user's own file held.
        CEquationOptions imported;
        imported.Load(store);
        IntOption level = app.levelAdjust;
        level.Load(store);

        // The level goes into the user's file too, or it would be lost with the default file.
        app.options = imported;
        app.levelAdjust = level;
        app.levelAdjust.Save(app.mainStore);
        app.mainStore.SetString(kRecordSection, path, stamp, true);
        if (auto error = app.options.Save(app.mainStore))
            return error; // nothing recorded on disk: the next start-up tries again

        if (folder == places.programFolder && OwnedByUser(path))
            std::remove(path.c_str());
        return std::nullopt;
    }
    return std::nullopt;
}
