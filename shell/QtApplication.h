#pragma once
// Qt's X11 native interface declares a global typedef "Display", which collides with
// the engine's display codes. Include this first, before any Qt header, in a file that
// also includes the engine's or the document's headers: the typedef then takes another
// name in that file (type names do not reach the linker, so nothing else changes).
#define Display QtX11Display
#include <QApplication>
#include <QGuiApplication>
#undef Display
