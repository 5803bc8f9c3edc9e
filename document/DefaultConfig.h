#pragma once
// The administrator's default configuration file "MLV2_Default.ini": Write Default
// Configuration File puts the current options and level adjustment into it, and each
// user's start-up takes a given file over into the user's own configuration once.
#include <optional>
#include <string>
#include <vector>

#include "config/IniStore.h"

struct MolvexAppState;

// Where default files are looked for, in this order: the program's own folder (a
// program run from where it was built, as on a single-user machine), then "Tamrel/"
// in each system configuration folder. Folders end with '/'.
struct DefaultConfigPlaces {
    std::string programFolder;
    std::vector<std::string> systemFolders;
};
// xdgConfigDirs is a $XDG_CONFIG_DIRS value; relative or empty entries are skipped,
// and "/etc/xdg" stands in when none is left.
DefaultConfigPlaces DefaultConfigSearch(const std::string& programFolder, const std::string& xdgConfigDirs);

// The default file in folder (the program's folder when empty).
std::string DefaultConfigPath(const std::string& folder = std::string());

// What is said once the file is written, %1 standing for its path; marked for the
// editor's translations.
extern const char* const kDefaultConfigWritten;

// Writes the level adjustment and the options into the default file in folder (an
// administrator writes into the first system folder), creating the folder if need be.
// Every failed write is appended to errors for the caller to show; the confirmation
// text for the caller's message box (caption "Molvex 2") is returned only when the
// file was written, and is empty otherwise.
std::string WriteDefaultConfigFile(MolvexAppState& app, std::vector<IniSaveError>& errors,
                                   const std::string& folder);

// Takes over the first default file found, unless the user's file records that this
// very file (same path, same content) was taken over before: options (missing entries
// give the defaults) and level adjustment become the application's and are saved,
// with that record, into the main store. A file in the program's folder that the user
// owns is then deleted; files in system folders serve every user and stay. When the
// main store cannot be written nothing is recorded or deleted, so the next start-up
// tries again; the error is returned for the caller to show.
std::optional<IniSaveError> ImportDefaultConfigFile(MolvexAppState& app, const DefaultConfigPlaces& places);
