#pragma once
// What is application-wide and shared by every document: the equation options with the
// equation font, the two configuration stores and the level adjustment. The
// application owns exactly one and hands it to each document.
#include "config/IniStore.h"
#include "engine/EquationOptions.h"

struct MolvexAppState {
    MolvexAppState();

    CEquationOptions options;
    CIniStore mainStore;   // "Tamrel"/"MLV2", per-user folder
    CIniStore adjustStore; // "Tamrel"/"MLV2ADJ", per-user folder
    IntOption levelAdjust; // section "Adjustment", key "Level", default 0
};
