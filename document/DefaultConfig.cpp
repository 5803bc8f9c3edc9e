#include "document/DefaultConfig.h"

#include <cstdio>

#include "document/AppState.h"
#include "engine/EquationOptions.h"

namespace {

const char kCompany[] = "Tamrel";
const char kFileName[] = "MLV2_Default";

// The store for the default file: the program's folder (mode 1), or an explicit
// path when a folder is given.
void SetUpStore(CIniStore& store, const std::string& folder)
{
    store.SetCompany(kCompany);
    store.SetFileName(kFileName);
    if (folder.empty()) {
        store.SetLocation(1);
    } else {
        store.SetLocation(-1);
        store.SetPath(DefaultConfigPath(folder));
    }
}

} // namespace

std::string DefaultConfigPath(const std::string& folder)
{
    const std::string dir = folder.empty() ? CIniStore::ProgramFolder() : folder;
    return dir + kFileName + ".ini";
}

std::string WriteDefaultConfigFile(MolvexAppState& app, std::vector<IniSaveError>& errors,
                                   const std::string& folder)
{
    CIniStore store;
    SetUpStore(store, folder);
    app.levelAdjust.Save(store);
    if (auto error = app.options.Save(store))
        errors.push_back(*error);
    if (auto error = store.Save())
        errors.push_back(*error);

    const std::string path = folder.empty() ? store.GetPath() : DefaultConfigPath(folder);
    return "A default configuration file has been written to\n" + path +
           "\n\nRead the installation instructions for details\non how to use this feature.";
}

std::optional<IniSaveError> ImportDefaultConfigFile(MolvexAppState& app, const std::string& folder)
{
    CIniStore store;
    SetUpStore(store, folder);
    if (!store.Load())
        return std::nullopt;

    // A fresh set, so that entries the file lacks give the defaults rather than
    // what the user's own file held.
    CEquationOptions imported;
    imported.Load(store);
    app.options = imported;

    IntOption level = app.levelAdjust;
    level.Load(store);
    app.levelAdjust = level;

    // The level goes into the user's file too: the default file is deleted below,
    // and the imported level would otherwise be gone at the next start-up.
    app.levelAdjust.Save(app.mainStore);
    if (auto error = app.options.Save(app.mainStore))
        return error; // keep the default file: nothing of it has reached the user's file

    if (folder.empty())
        store.RemoveFile();
    else
        std::remove(DefaultConfigPath(folder).c_str());
    return std::nullopt;
}
