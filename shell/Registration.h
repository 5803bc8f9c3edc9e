#pragma once
// The desktop registration that "-r" writes: the document's MIME type, the desktop
// entry, the icons and the session-bus service that starts the equation server.
#include <QString>
#include <QStringList>
#include <cstdio>

struct RegistrationResult {
    bool ok = true;
    QStringList written; // files written
    QString error;       // the first failure
};

// The folder the freedesktop files go under: $XDG_DATA_HOME, else ~/.local/share.
QString UserDataHome();

// Writes the files under dataHome. programPath is the absolute path the bus service
// starts with "-Embedding". With refreshCaches the MIME and desktop databases are
// rebuilt where the tools are installed (best effort).
RegistrationResult WriteRegistration(const QString& dataHome, const QString& programPath,
                                     bool refreshCaches = true);

// "molvex2 -r": registers programPath for the user under UserDataHome(), lists each
// file written on out and a failure on err; the program's exit status.
int RegisterForUser(const QString& programPath, FILE* out = stdout, FILE* err = stderr);

// A program path as one quoted argument of an Exec line: the desktop-entry form
// (quotes, then the string escapes of the entry file) and the D-Bus service form.
QString DesktopExecArgument(const QString& path);
QString ServiceExecArgument(const QString& path);

constexpr const char* kBusServiceName = "com.tamrel.Molvex2";
// The desktop id: names the desktop entry, the MIME package and the application icon.
constexpr const char* kDesktopId = "com.tamrel.Molvex2";
