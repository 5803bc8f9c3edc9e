#pragma once
// The equation a container embeds, one per server process: its native data, its
// pictures, its text, its windows. How containers reach it is the bus side's affair
// (shell/EquationServer.h); a failed call leaves its reason in TakeError().
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

// What the object takes and gives: native data and equation text up to the size of a
// document, pictures up to what every picture form holds.
#include "document/InputLimits.h"

class CInPlaceFrame;
class IShellHost;
class CMolvexDoc;
class CMolvexSrvrItem;


struct EquationError {
    enum class Kind { Released, InUse, NoObject, Format, Render, TooLarge, NoDisplay, InvalidArgs };
    Kind kind;
    QString message;
};

class CEquationObject : public QObject {
    Q_OBJECT
public:
    explicit CEquationObject(IShellHost& app, QObject* parent = nullptr);
    ~CEquationObject() override;

    bool Exists() const;
    bool IsReleased() const { return m_released; }
    // Why the last call failed, once.
    std::optional<EquationError> TakeError();

    // Creating: a new empty object, or one from native data (into the existing
    // object when there is one). False on failure.
    bool New();
    bool Load(const QByteArray& data);
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
    // The equation in one of the renderer's text forms (text, speech, mathml,
    // mhchem, starmath).
    QString GetText(const QString& form);
    void OpenWindow();
    void ActivateInPlace(quint64 containerFrame, quint64 objectArea);
    void Deactivate();
    void Release();

signals:
    void Changed();
    void Updated(const QByteArray& data);
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Fail(EquationError::Kind kind, const QString& message);
    bool EnsureObject();
    bool Require();
    bool TooLarge();
    bool NeedsDisplay();
    void OnFrameCommand(int id);
    void ShowServerFrame();

    IShellHost& m_app;
    CMolvexDoc* m_doc = nullptr;
    std::unique_ptr<CMolvexSrvrItem> m_item;
    std::unique_ptr<CInPlaceFrame> m_inPlace;
    bool m_closeAsked = false;
    std::optional<EquationError> m_error;
    bool m_released = false;
    bool m_frameHooked = false;
};
