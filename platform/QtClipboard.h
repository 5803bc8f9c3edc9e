#pragma once
// The system clipboard for Copy as Picture. Linux programs do not read Windows
// metafile pictures, so the one picture is offered in the forms they paste: SVG,
// PDF, the metafile with its placeable header under LibreOffice's name for it, PNG,
// and the document's own bytes for pasting back into Molvex.
// LibreOffice (7.4) chooses by its own ranking, not by the order offered: Writer
// and Impress rank PDF above PNG and PNG above the metafile, and take no SVG from
// the clipboard, so the PDF is what keeps a plain paste there a vector picture.
#include <memory>
#include <string>

#include "document/Clipboard.h"

class QClipboard;
class QMimeData;

class CQtClipboard : public IClipboard {
public:
    static constexpr const char* kWmfMime = "application/x-openoffice-wmf;windows_formatname=\"Image WMF\"";
    static constexpr const char* kSvgMime = "image/svg+xml";
    static constexpr const char* kPdfMime = "application/pdf";
    static constexpr const char* kPngMime = "image/png";
    static constexpr const char* kNativeMime = "application/x-molvex2";
    // The equation written out: Unicode text, MathML, and HTML holding the SVG as an
    // image with the speech as its alternative text.
    static constexpr const char* kTextMime = "text/plain;charset=utf-8";
    static constexpr const char* kMathMLMime = "application/mathml+xml";
    static constexpr const char* kHtmlMime = "text/html";
    // Device pixels per logical unit of the PNG: crisp on high-density screens.
    static constexpr double kPngScale = 2.0;

    // The application's clipboard when none is given.
    explicit CQtClipboard(QClipboard* clipboard = nullptr);

    bool Open() override;
    bool Empty() override;
    // Renders every form at once (the document may change after the copy) and
    // replaces whatever the clipboard held.
    bool SetPicture(const MetafilePicture& picture) override;
    void Close() override;

    // The forms of a picture, as SetPicture offers them; null with `error` set when
    // the picture has no metafile.
    static std::unique_ptr<QMimeData> PictureMimeData(const MetafilePicture& picture, std::string* error = nullptr);

private:
    QClipboard* m_clipboard = nullptr;
    bool m_open = false;
};
