#pragma once
// Pictures of equations and lines through the Qt device context: PNG at any device
// pixel scale, SVG and PDF, plus the measuring "screen" context.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "document/InputLimits.h"
#include "engine/DeviceContext.h"

class CQtDC;
class CMolvexDoc;
class CEquationLine;
class CEquationOptions;
class KVEquationFont;

// A context for measuring as the screen would: the primary screen's logical inch when
// there is a screen, else 96 dots per inch. It has no output.
std::unique_ptr<CQtDC> CreateScreenDC();

// Something to picture: its size in logical units, and drawing it with its top-left
// corner at a point. Both are asked of the context that the picture is drawn on (or
// of one that measures like it).
struct Drawing {
    std::function<SIZE(CDC&)> measure;
    std::function<void(CDC&, int x, int y)> draw;
    // What the picture says, for pictures that carry text (SVG's title and
    // description): the equation as text and as speech, UTF-8.
    std::string title;
    std::string description;
};

// The whole equation of a document, as the document stacks it, with its text and
// speech forms.
Drawing EquationDrawing(CMolvexDoc& doc);

struct RenderSettings {
    double scale = 1.0;       // device pixels per logical unit (PNG)
    int margin = 0;           // logical units on every side
    bool antialias = false;   // GDI draws without
    bool transparent = false; // PNG background
};

// Limits that keep a damaged font record or a wild option from asking for a picture
// of unbounded size (kMaxPicturePixels is in document/InputLimits.h).
constexpr double kMaxScale = 16.0;

// The picture size in logical units, margins included.
SIZE PictureSize(const Drawing& drawing, const RenderSettings& settings);

// Each returns an empty result (null image, empty bytes) with `error` set when the
// picture cannot be made.
QImage RenderImage(const Drawing& drawing, const RenderSettings& settings, std::string* error = nullptr);
QByteArray RenderPng(const Drawing& drawing, const RenderSettings& settings, std::string* error = nullptr);
// The SVG is an image to assistive technology (role="img") named by the drawing's
// title and described by its description.
QByteArray RenderSvg(const Drawing& drawing, const RenderSettings& settings, std::string* error = nullptr);
QByteArray RenderPdf(const Drawing& drawing, const RenderSettings& settings, std::string* error = nullptr);

// The picture formats a document's equation is exported in, by molvex2-render and by
// the editor's Export alike.
enum class PictureFormat { Png, Svg, Pdf, Wmf };
// The format a file name asks for by its extension (any case); nothing for others.
std::optional<PictureFormat> PictureFormatOfPath(const QString& path);
// The file's bytes: PNG, SVG and PDF drawn with the settings, the placeable metafile
// recorded at the actual size. Empty with `error` set when it cannot be made.
QByteArray EquationPictureFile(CMolvexDoc& doc, PictureFormat format, const RenderSettings& settings,
                               std::string* error = nullptr);

// Every file the Qt layers write goes through here (WriteFileSafely): a temporary
// file renamed over `path` once every write and the flush succeeded, so a failure
// (a full disk) keeps the old file. Returns the system's reason on failure.
std::optional<std::string> WriteFileAtomically(const std::string& path, const QByteArray& bytes);
std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& bytes);
