#pragma once
// The default configuration file "MLV2_Default.ini" beside the program: an
// administrator writes the current options and level adjustment into it, and the
// first start-up that finds it takes them over into the user's configuration.
#include <optional>
#include <string>
#include <vector>

#include "config/IniStore.h"

struct MolvexAppState;

// Where the default file lives. An empty folder means the program's own folder;
// otherwise the folder (with a trailing '/') replaces it, which lets tests and
// installers point elsewhere.
std::string DefaultConfigPath(const std::string& folder = std::string());

// Writes the level adjustment and the options into the default file. Every failed
// write is appended to errors (the caller shows each one); the confirmation text
// for the caller's message box (caption "Molvex 2") is returned in any case.
std::string WriteDefaultConfigFile(MolvexAppState& app, std::vector<IniSaveError>& errors,
                                   const std::string& folder = std::string());

// Takes a default file over, if there is one: options (missing entries give the
// defaults) and level adjustment become the application's and are saved into the
// main store, then the default file is deleted. When the main store cannot be
// written the default file is kept, so the next start-up tries again; the error is
// returned for the caller to show.
std::optional<IniSaveError> ImportDefaultConfigFile(MolvexAppState& app,
                                                    const std::string& folder = std::string());
