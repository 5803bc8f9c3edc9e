#pragma once
// The equation server that containers talk to; started by "-Embedding" or
// "-Automation" instead of showing a window.
//
// On the session bus it owns com.tamrel.Molvex2 until its one object exists, then
// gives the name up so the bus starts a fresh process for the next object. The
// object lives at /com/tamrel/Molvex2/Equation, interface com.tamrel.Molvex2.Equation
// (resources/com.tamrel.Molvex2.Equation.xml).
#include <QByteArray>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <memory>

class CInPlaceFrame;
class CMolvexApp;
class CMolvexDoc;
class CMolvexSrvrItem;
struct EquationMetrics;
class QDBusServiceWatcher;

inline constexpr char kEquationService[] = "com.tamrel.Molvex2";
inline constexpr char kEquationPath[] = "/com/tamrel/Molvex2/Equation";
inline constexpr char kEquationInterface[] = "com.tamrel.Molvex2.Equation";

// Starts serving; false when the server cannot be started (the program then exits).
// "-Embedding" and "-Automation" start the same server.
bool StartEquationServer(CMolvexApp& app);

// What the server takes and gives: native data and equation text up to a few MB, a
// picture up to what the metafile's 16-bit coordinates and a 16384-pixel image hold,
// and no reply near the bus's message limit.
inline constexpr int kMaxServerInputBytes = 4 * 1024 * 1024;
inline constexpr int kMaxPictureLogicalUnits = 16384;
inline constexpr int kMaxReplyBytes = 32 * 1024 * 1024;

class CEquationObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.tamrel.Molvex2.Equation")
public:
    explicit CEquationObject(CMolvexApp& app, QObject* parent = nullptr);
    ~CEquationObject() override;

public slots:
    // Creating: a new empty object, or one loaded from native data. Both answer the
    // unique bus name to address from then on.
    QString New();
    QString Load(const QByteArray& data);
    // The caller becomes the object's container: when it leaves the bus, the object
    // is released as by Release.
    void WatchContainer();
    QByteArray Save();
    // The metafile (no placeable header) and its size in hundredths of a millimetre.
    QByteArray GetPicture(int& width, int& height);
    QByteArray GetSvg();
    // The SVG with what a container needs to place it: size and lowering in
    // hundredths of a millimetre, and the level adjustment in force.
    QByteArray GetSvgWithHint(int& width, int& height, int& lowering, int& level);
    QByteArray GetPng(double scale);
    bool GetExtent(uint aspect, int& width, int& height);
    void SetEquationText(const QString& text);
    QString GetEquationText();
    void OpenWindow();
    void ActivateInPlace(qulonglong containerFrame, qulonglong objectArea);
    void Deactivate();
    void Release();

signals:
    void Changed();
    void Updated(const QByteArray& data);
    void Closed();

private:
    bool EnsureObject();
    // A creation call this process can no longer serve goes on to a fresh process;
    // true when it was handed over (the reply follows later).
    bool HandOverCreation(const QString& method, const QVariantList& arguments);
    void QuitWhenIdle();
    bool TooLarge(const EquationMetrics& metrics);
    QByteArray Reply(QByteArray bytes);
    bool NeedsDisplay();
    bool Require();
    void OnFrameCommand(int id);
    void ShowServerFrame();
    void ReleaseObject();

    CMolvexApp& m_app;
    CMolvexDoc* m_doc = nullptr;
    std::unique_ptr<CMolvexSrvrItem> m_item;
    std::unique_ptr<CInPlaceFrame> m_inPlace;
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
    bool m_released = false;
    bool m_frameHooked = false;
    bool m_quitting = false;
    QString m_creator; // the connection that made the object
    int m_handOvers = 0; // creation calls handed over and not yet answered
};
