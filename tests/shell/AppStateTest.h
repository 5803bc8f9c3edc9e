#pragma once
// Base of the dialog tests: a fresh application state per test whose user file lives
// in a temporary folder, and the check that no window was left behind.
#include <QApplication>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "document/AppState.h"

class AppStateTest : public QObject {
protected:
    QTemporaryDir m_dir;
    std::unique_ptr<MolvexAppState> m_app;

    QString UserFile() const { return m_dir.filePath(QStringLiteral("MLV2.ini")); }
    QString UserFileText() const
    {
        QFile f(UserFile());
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
    void FreshState()
    {
        QFile::remove(UserFile());
        m_app = std::make_unique<MolvexAppState>();
        m_app->mainStore.SetLocation(-1);
        m_app->mainStore.SetPath(UserFile().toStdString());
    }
    void DropState()
    {
        m_app.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};
