#pragma once
// The desktop registration that "-r" writes: the document's MIME type, the desktop
// entry, the icons and the session-bus service that starts the equation server.
#include <QString>
#include <QStringList>

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

constexpr const char* kBusServiceName = "com.tamrel.Molvex2";
