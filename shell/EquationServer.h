#pragma once
// The equation server that containers talk to; started by "-Embedding" or
// "-Automation" instead of showing a window.
//
// On the session bus it owns com.tamrel.Molvex2 until its one object exists, then
// gives the name up so the bus starts a fresh process for the next object. The
// object lives at /com/tamrel/Molvex2/Equation, interface com.tamrel.Molvex2.Equation;
// the adaptor is generated from resources/com.tamrel.Molvex2.Equation.xml and calls
// the methods of CEquationBus below, which answer for the served CEquationObject.
#include <QByteArray>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <memory>

#include "shell/EquationObject.h"

class IShellHost;
class QDBusServiceWatcher;

inline constexpr char kEquationService[] = "com.tamrel.Molvex2";
inline constexpr char kEquationPath[] = "/com/tamrel/Molvex2/Equation";
inline constexpr char kEquationInterface[] = "com.tamrel.Molvex2.Equation";
// libdbus ends the process rather than send a message over its limit.
inline constexpr int kMaxReplyBytes = 32 * 1024 * 1024;

// Starts serving; false when the server cannot be started (the program then exits).
// "-Embedding" and "-Automation" start the same server.
bool StartEquationServer(IShellHost& host, QObject* owner);

class CEquationBus : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    explicit CEquationBus(IShellHost& host, QObject* parent = nullptr);
    ~CEquationBus() override;

    // The interface's methods, as the generated adaptor calls them. New and Load
    // answer the unique bus name to address from then on.
    QString New();
    QString Load(const QByteArray& data);
    // The caller becomes the object's container: when it leaves the bus, the object
    // is released as by Release.
    void WatchContainer();
    QByteArray Save();
    QByteArray GetPicture(int& width, int& height);
    QByteArray GetSvg();
    QByteArray GetSvgWithHint(int& width, int& height, int& lowering, int& level);
    QByteArray GetPng(double scale);
    bool GetExtent(uint aspect, int& width, int& height);
    void SetEquationText(const QString& text);
    QString GetEquationText();
    QString GetText(const QString& form);
    void OpenWindow();
    void ActivateInPlace(qulonglong containerFrame, qulonglong objectArea);
    void Deactivate();
    void Release();

signals:
    void Changed();
    void Updated(const QByteArray& data);
    void Closed();

private:
    // Answers the call: the object's error if it failed, else the value (within the
    // reply limit). A process left without object afterwards ends.
    template <typename T>
    T Answer(T value);
    void Answer();
    // A creation call this process can no longer serve goes on to a fresh process;
    // true when it was handed over (the reply follows later).
    bool HandOverCreation(const QString& method, const QVariantList& arguments);
    void Created();
    void QuitWhenIdle();

    CEquationObject m_object;
    QString m_creator; // the connection that made the object
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
    int m_handOvers = 0; // creation calls handed over and not yet answered
    bool m_quitting = false;
};
