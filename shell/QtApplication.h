#pragma once
// Qt's application headers, shared by the shell's files.
#include <QApplication>
#include <QGuiApplication>
