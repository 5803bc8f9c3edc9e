#pragma once
// Menus, toolbar and accelerators of an equation served to a container: 5 for the
// equation opened in a window of its own, 4 while it is edited in place.
#include "shell/CommandTables.h"

const MenuTable& OpenServerMenuTable();   // 5
const AccelTable& OpenServerAccelTable(); // 5
const MenuTable& InPlaceMenuTable();      // 4
const ToolbarTable& InPlaceToolbarTable(); // 4
const AccelTable& InPlaceAccelTable();    // 4
