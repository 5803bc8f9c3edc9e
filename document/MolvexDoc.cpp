#include "document/MolvexDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>

#include "config/SafeWrite.h"
#include "document/AppState.h"
#include "document/CompoundFile.h"
#include "document/EquationText.h"
#include "document/InputLimits.h"
#include "document/PictureExport.h"
#include "engine/Archive.h"
#include "engine/ChemPhrase.h"
#include "engine/EquationOptions.h"

namespace {

const char* const kDocumentTag = "MLV2";
// Marked for the editor, which shows them in the user's language.
const char* const kUnexpectedFormat = CHEM_PHRASE("CMolvexDoc", "Unexpected file format.");
const char* const kOpenFailed = CHEM_PHRASE("CMolvexDoc", "Failed to open document.");
const char* const kSaveFailed = CHEM_PHRASE("CMolvexDoc", "Failed to save document.");
} // namespace

CLineTexts::CLineTexts()
{
    texts.fill(std::string());
}

void CLineTexts::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const std::string& text : texts)
            ar << text;
    } else {
        for (std::string& text : texts)
            ar >> text;
    }
}

CMolvexDoc::CMolvexDoc(MolvexAppState& app) : m_app(app) {}

CMolvexDoc::~CMolvexDoc() = default;

void CMolvexDoc::SetEquationText(const std::string& text)
{
    entryText = text;
    std::string rest = text;
    for (int i = 0; i < kEquationLines - 1; ++i) {
        const std::size_t p = rest.empty() ? std::string::npos : rest.find('\r');
        if (p == std::string::npos) {
            lineList.texts[i] = rest;
            rest.clear();
            continue;
        }
        lineList.texts[i] = rest.substr(0, p);
        // The break is two characters: the CR and whatever follows it (the LF of a
        // CR LF pair). A lone CR as the whole rest stays for the lines after it.
        if (rest.size() >= 2)
            rest.erase(0, std::min(rest.size(), p + 2));
    }
    lineList.texts[kEquationLines - 1] = rest;
    NotifyChanged();
}

std::string CMolvexDoc::GetEquationText() const
{
    std::string joined;
    for (int i = 0; i < kEquationLines - 1; ++i) {
        joined += lineList.texts[i];
        joined += "\r\n";
    }
    joined += lineList.texts[kEquationLines - 1];
    return joined;
}

bool CMolvexDoc::IsSingleLine() const
{
    if (lineList.texts[0].empty())
        return false;
    for (int i = 1; i < kEquationLines; ++i)
        if (!lineList.texts[i].empty())
            return false;
    return true;
}

CEquationLine CMolvexDoc::ClassifiedLine(int i) const
{
    CEquationLine line;
    if (i >= 0 && i < kEquationLines)
        line.SetText(lineList.texts[static_cast<std::size_t>(i)]);
    return line;
}

std::shared_ptr<const EquationBox> CMolvexDoc::Layout(CDC& dc)
{
    LayoutInputs inputs = LayoutInputs::Of(m_app.options, dc.MetricsKey());
    auto it = std::find_if(m_layouts.begin(), m_layouts.end(),
                           [&inputs](const CachedLayout& l) { return l.inputs.metricsKey == inputs.metricsKey; });
    if (it == m_layouts.end()) {
        if (m_layouts.size() < kLayoutSets)
            it = m_layouts.insert(m_layouts.end(), CachedLayout{});
        else
            it = std::min_element(m_layouts.begin(), m_layouts.end(),
                                  [](const CachedLayout& a, const CachedLayout& b) { return a.lastUse < b.lastUse; });
        *it = CachedLayout{};
    }
    it->lastUse = ++m_layoutUses;
    const bool sameInputs = it->box && it->inputs == inputs;
    if (!sameInputs || it->box->texts != lineList.texts) {
        // Lines whose text is unchanged keep their boxes, when nothing else changed.
        const EquationBox* previous = sameInputs ? it->box.get() : nullptr;
        it->box = std::make_shared<const EquationBox>(LayOutEquation(lineList.texts, inputs, dc.Attribute(), previous));
        it->inputs = std::move(inputs);
    }
    return it->box;
}

void CMolvexDoc::DrawEquation(CDC& dc, int x, int y, std::optional<EquationBand> only)
{
    DrawEquationBox(*Layout(dc), dc, x, y, only);
}

std::optional<LineHit> CMolvexDoc::HitTest(CDC& dc, POINT point, int x, int y)
{
    const std::shared_ptr<const EquationBox> equation = Layout(dc);
    for (int i = 0; i < kEquationLines; ++i) {
        if (!equation->HasText(i))
            continue;
        const LineBox& box = equation->Line(i);
        // Drawn with its top-left corner at the line's top.
        const std::int64_t baseline =
            static_cast<std::int64_t>(y) + equation->lineTops[static_cast<std::size_t>(i)] + box.top * box.direction;
        if (const auto position = HitTestBox(box, static_cast<std::int64_t>(point.x) - x - equation->grown.left,
                                             point.y - baseline))
            return LineHit{i, *position};
    }
    return std::nullopt;
}

std::optional<std::int64_t> CMolvexDoc::CaretX(CDC& dc, int line, int position)
{
    if (line < 0 || line >= kEquationLines || lineList.texts[static_cast<std::size_t>(line)].empty())
        return std::nullopt;
    const std::shared_ptr<const EquationBox> equation = Layout(dc);
    const LineBox& box = equation->Line(line);
    // The nearest placed character at or after the position (hidden markup has none).
    std::optional<std::int64_t> x;
    std::int32_t nearest = std::numeric_limits<std::int32_t>::max();
    for (const BoxItem& item : box.items)
        if (item.source >= position && item.source < nearest) {
            nearest = item.source;
            x = item.left;
        }
    return equation->grown.left + (x ? *x : box.extent.width);
}

void CMolvexDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::string(kDocumentTag) << static_cast<std::uint16_t>(1);
        lineList.Serialize(ar);
        m_app.options.Serialize(ar);
        return;
    }

    // Read into copies and take them over only when the archive has been read
    // without error, so a damaged file leaves the document and the options as they
    // were. A version below 1 or a wrong options tag stops reading but is not an
    // error: the document then holds what was read up to there. Without the document
    // tag the bytes are not an equation at all (random data, another program's file),
    // and opening them as an empty one would let Save overwrite them.
    CLineTexts lines;
    CEquationOptions options = m_app.options;
    bool linesRead = false;
    std::string tag;
    ar >> tag;
    if (tag != kDocumentTag)
        throw CArchiveException(CArchiveException::badFormat, "not an equation document");
    std::int16_t version = 0;
    ar >> version;
    if (version >= 1) {
        lines.Serialize(ar);
        linesRead = true;
        options.Serialize(ar);
    }
    lineList = lines;
    if (linesRead)
        m_app.options = options;
}

std::vector<std::uint8_t> CMolvexDoc::SaveToBytes()
{
    CArchive ar;
    Serialize(ar);
    return ar.TakeBuffer();
}

DocResult CMolvexDoc::LoadFromBytes(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() > kMaxDocumentBytes)
        return DocResult::Fail(kUnexpectedFormat);
    try {
        CArchive ar(bytes);
        Serialize(ar);
    } catch (const CArchiveException&) {
        return DocResult::Fail(kUnexpectedFormat);
    } catch (const std::bad_alloc&) {
        return DocResult::Fail(kUnexpectedFormat);
    }
    entryText = GetEquationText();
    SetModifiedFlag(false);
    UpdateAllViews();
    return DocResult::Ok();
}

DocResult CMolvexDoc::OpenFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return DocResult::Fail(kOpenFailed, std::strerror(errno ? errno : ENOENT));
    const std::streamoff size = in.tellg();
    // A folder opens as a stream but reports no size.
    if (size < 0)
        return DocResult::Fail(kOpenFailed, std::strerror(EISDIR));
    // Checked before anything is allocated: no equation comes near this size.
    if (static_cast<std::uint64_t>(size) > kMaxDocumentBytes)
        return DocResult::Fail(kUnexpectedFormat);
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(file.data()), size))
        return DocResult::Fail(kOpenFailed, std::strerror(errno ? errno : EIO));

    if (!CCompoundFile::HasSignature(file))
        return LoadFromBytes(file); // not a compound file: the whole file is the archive
    auto stream = CCompoundFile::ReadStream(file, "Contents");
    if (!stream)
        return DocResult::Fail(kUnexpectedFormat);
    return LoadFromBytes(*stream);
}

DocResult CMolvexDoc::SaveFile(const std::string& path)
{
    const auto file = CCompoundFile::WriteContents(SaveToBytes());
    if (!file)
        return DocResult::Fail(kSaveFailed);
    if (auto reason = WriteFileSafely(path, file->data(), file->size()))
        return DocResult::Fail(kSaveFailed, *reason);
    SetModifiedFlag(false);
    return DocResult::Ok();
}

std::optional<IniSaveError> CMolvexDoc::ApplyFont(const KVLogFont& font)
{
    m_app.options.font.SetFont(font);
    m_app.options.font.Save(m_app.mainStore);
    std::optional<IniSaveError> error = m_app.mainStore.Save();
    NotifyChanged();
    return error;
}

std::optional<IniSaveError> CMolvexDoc::ApplyOptions(const CEquationOptions& options)
{
    m_app.options = options;
    std::optional<IniSaveError> error = m_app.options.Save(m_app.mainStore);
    NotifyChanged();
    return error;
}

void CMolvexDoc::SetModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    const auto observers = m_observers;
    for (IDocumentObserver* o : observers)
        o->ModifiedChanged(*this, modified);
}

void CMolvexDoc::AddObserver(IDocumentObserver* observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CMolvexDoc::RemoveObserver(IDocumentObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CMolvexDoc::UpdateAllViews()
{
    TellViews();
}

void CMolvexDoc::TellViews()
{
    // A copy: an observer may remove itself while being told.
    const auto observers = m_observers;
    for (IDocumentObserver* o : observers)
        o->UpdateView(*this);
}

void CMolvexDoc::NotifyChanged()
{
    // Containers first, then the modified mark, then the views.
    UpdateAllItems();
    SetModifiedFlag(true);
    TellViews();
}

void CMolvexDoc::UpdateAllItems()
{
    const auto observers = m_observers;
    for (IDocumentObserver* o : observers)
        o->ItemsChanged(*this);
}

std::optional<std::string> CMolvexDoc::CopyAsPicture(IClipboard& clipboard, CDC& screen)
{
    // Recorded first, so that a picture too large for its coordinates leaves the
    // clipboard as it was.
    std::optional<RecordedPicture> maybe = RecordEquationPicture(*this, screen);
    if (!maybe)
        return std::string(kPictureTooLarge);
    RecordedPicture& recorded = *maybe;
    if (!clipboard.Open())
        return std::string(CHEM_PHRASE("CMolvexDoc", "Cannot open the Clipboard"));
    if (!clipboard.Empty()) {
        clipboard.Close();
        return std::string(CHEM_PHRASE("CMolvexDoc", "Cannot empty the Clipboard"));
    }

    MetafilePicture picture;
    picture.metafile = std::move(recorded.metafile);
    picture.mappingMode = MM_ANISOTROPIC;
    picture.xExt = recorded.himetricSize.cx;
    picture.yExt = recorded.himetricSize.cy;
    picture.logicalSize = recorded.logicalSize;
    picture.native = SaveToBytes();
    const int style = App().options.equilibriumArrow.Get();
    picture.text = EquationUnicodeText(*this, style);
    picture.speech = EquationSpeech(*this);
    if (!picture.text.empty())
        picture.mathml = EquationMathML(*this, style);
    picture.lowering = recorded.metrics.lowering;
    // The clipboard renders its other formats while SetPicture runs; the document
    // is alive until then.
    picture.draw = [this](CDC& dc) { DrawEquation(dc, 0, 0); };

    std::optional<std::string> error;
    if (!clipboard.SetPicture(picture))
        error = std::string("Unable to set Clipboard data");
    clipboard.Close();
    return error;
}
