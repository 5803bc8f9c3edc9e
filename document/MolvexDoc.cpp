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
// What an empty equation measures like.
const std::string kEmptyEquationText = "3";

std::int32_t ClampToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

CFunctionList::CFunctionList()
{
    texts.fill(std::string());
}

void CFunctionList::Serialize(CArchive& ar)
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
    const std::array<std::string, kEquationLines> before = lineList.texts;
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
    std::array<bool, kEquationLines> changed{};
    for (int i = 0; i < kEquationLines; ++i)
        changed[i] = lineList.texts[i] != before[i];
    NotifyChanged(changed);
}

std::string CMolvexDoc::GetEquationText()
{
    std::string joined;
    for (int i = 0; i < kEquationLines - 1; ++i) {
        joined += lineList.texts[i];
        joined += "\r\n";
    }
    joined += lineList.texts[kEquationLines - 1];
    entryText = joined;
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

bool CMolvexDoc::LayoutInputs::operator==(const LayoutInputs& o) const
{
    return reals == o.reals && style == o.style && italicState == o.italicState &&
           std::memcmp(&font.lf, &o.font.lf, sizeof font.lf) == 0 && font.color == o.font.color &&
           font.himetricHeight == o.font.himetricHeight;
}

CMolvexDoc::LayoutInputs CMolvexDoc::CurrentInputs()
{
    const CEquationOptions& o = m_app.options;
    LayoutInputs in;
    in.reals = {o.arrowWidth.Get(), o.levelArrow.Get(), o.levelSuper.Get(), o.levelSub.Get(), o.levelPhase.Get(),
                o.textArrow.Get(), o.textSuper.Get(), o.textSub.Get(), o.textPhase.Get()};
    in.style = o.equilibriumArrow.Get();
    in.italicState = o.italicPhase.Get();
    in.font = o.font.Get();
    return in;
}

CMolvexDoc::Layouts& CMolvexDoc::LayoutsFor(CDC& dc)
{
    const std::uint64_t key = dc.MetricsKey();
    const LayoutInputs inputs = CurrentInputs();
    auto it = std::find_if(m_layouts.begin(), m_layouts.end(), [key](const Layouts& l) { return l.metricsKey == key; });
    if (it == m_layouts.end()) {
        if (m_layouts.size() < kLayoutSets)
            it = m_layouts.insert(m_layouts.end(), Layouts{});
        else
            it = std::min_element(m_layouts.begin(), m_layouts.end(),
                                  [](const Layouts& a, const Layouts& b) { return a.lastUse < b.lastUse; });
        *it = Layouts{};
        it->metricsKey = key;
        it->inputs = inputs;
    } else if (!(it->inputs == inputs)) {
        for (CachedLine& line : it->lines)
            line.valid = false;
        it->inputs = inputs;
    }
    it->lastUse = ++m_layoutUses;
    return *it;
}

const LineBox& CMolvexDoc::Box(Layouts& layouts, int i, CDC& dc)
{
    const bool digit = i == kEquationLines;
    const std::string& text = digit ? kEmptyEquationText : lineList.texts[static_cast<std::size_t>(i)];
    CEquationLine& record = lineRecords[digit ? 0 : static_cast<std::size_t>(i)];
    // The record holds its text classified, as measuring and drawing always left it.
    if (record.text.size() != text.size() + (text.empty() ? 0 : 1) || record.text.compare(0, text.size(), text) != 0)
        record.SetText(text);
    CachedLine& cached = layouts.lines[static_cast<std::size_t>(i)];
    if (!cached.valid || cached.text != text) {
        const CEquationOptions& options = m_app.options;
        cached.box = LayOutLine(record, dc, options, options.font.Get());
        cached.text = text;
        cached.valid = true;
    }
    return cached.box;
}

namespace {

// The rows a line drawn at `top` may ink: an em of its largest font beyond its box on
// either side, which no glyph overhangs.
EquationBand InkOf(const LineBox& box, std::int64_t top)
{
    if (box.empty)
        return {};
    std::int64_t em = 0;
    for (const KVLogFontTBD& font : box.fonts)
        em = std::max<std::int64_t>(em, std::abs(static_cast<std::int64_t>(font.lf.lfHeight)));
    return {top - em, top + box.Measured().height + em};
}

} // namespace

EquationMetrics CMolvexDoc::MeasureEquation(CDC& dc)
{
    const CEquationOptions& options = m_app.options;
    Layouts& layouts = LayoutsFor(dc);
    EquationMetrics metrics;
    // 64-bit sums: twenty lines in a huge font with a large spacing must not overflow.
    std::int64_t total = 0;
    std::int32_t widest = 0;
    LineExtent first;
    bool anyLine = false;

    for (int i = 0; i < kEquationLines; ++i) {
        metrics.lineTops[i] = 0;
        const std::string& text = lineList.texts[i];
        if (text.empty())
            continue;
        metrics.lineTops[i] = ClampToInt32(total);
        const LineBox& box = Box(layouts, i, dc);
        const LineExtent extent = box.Measured();
        metrics.lineInk[i] = InkOf(box, metrics.lineTops[i]);
        // The first drawn line carries the base line the lowering refers to; with
        // line 0 empty that is the first non-empty line.
        if (!anyLine)
            first = extent;
        anyLine = true;
        total += static_cast<std::int64_t>(options.verticalSpacing.Get()) + extent.height;
        widest = std::max(widest, extent.width);
    }

    // Whether any line was measured decides, not the sum: a spacing of minus the line
    // height would otherwise make a one-line equation measure like an empty one.
    if (anyLine) {
        total -= options.verticalSpacing.Get();
    } else {
        // An empty equation measures like a digit, so its picture is never empty.
        first = Box(layouts, kEquationLines, dc).Measured();
        total = first.height;
        widest = first.width;
    }

    metrics.size = SIZE{widest, ClampToInt32(total)};
    metrics.lowering = ClampToInt32(total - first.height + first.depth);
    metrics.firstLine = first;
    metrics.fontHeight = options.font.Get().lf.lfHeight;
    return metrics;
}

void CMolvexDoc::DrawEquation(CDC& dc, LineTops lineTops, int x, int y, std::optional<EquationBand> only)
{
    Layouts& layouts = LayoutsFor(dc);
    for (int i = 0; i < kEquationLines; ++i) {
        const LineBox& box = Box(layouts, i, dc);
        if (only && !InkOf(box, lineTops[i]).Meets(*only))
            continue;
        dc.SetTextAlign(TA_TOP | TA_LEFT);
        DrawLineBox(box, dc, x, ClampToInt32(static_cast<std::int64_t>(y) + lineTops[i]));
    }
}

std::optional<LineHit> CMolvexDoc::HitTest(CDC& dc, POINT point, int x, int y)
{
    const EquationMetrics metrics = MeasureEquation(dc);
    Layouts& layouts = LayoutsFor(dc);
    for (int i = 0; i < kEquationLines; ++i) {
        if (lineList.texts[i].empty())
            continue;
        const LineBox& box = Box(layouts, i, dc);
        // Drawn with its top-left corner at the line's top.
        const std::int64_t baseline = static_cast<std::int64_t>(y) + metrics.lineTops[i] + box.top * box.direction;
        if (const auto position = HitTestBox(box, static_cast<std::int64_t>(point.x) - x, point.y - baseline))
            return LineHit{i, *position};
    }
    return std::nullopt;
}

std::optional<std::int64_t> CMolvexDoc::CaretX(CDC& dc, int line, int position)
{
    if (line < 0 || line >= kEquationLines || lineList.texts[static_cast<std::size_t>(line)].empty())
        return std::nullopt;
    const LineBox& box = Box(LayoutsFor(dc), line, dc);
    // The nearest placed character at or after the position (hidden markup has none).
    std::optional<std::int64_t> x;
    std::int32_t nearest = std::numeric_limits<std::int32_t>::max();
    for (const BoxItem& item : box.items)
        if (item.source >= position && item.source < nearest) {
            nearest = item.source;
            x = item.left;
        }
    return x ? x : std::optional<std::int64_t>(box.extent.width);
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
    CFunctionList lines;
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
    for (CEquationLine& record : lineRecords)
        record = CEquationLine();
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
    GetEquationText();
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
    m_changedLines.fill(true);
    TellViews();
}

void CMolvexDoc::TellViews()
{
    // A copy: an observer may remove itself while being told.
    const auto observers = m_observers;
    for (IDocumentObserver* o : observers)
        o->UpdateView(*this);
}

void CMolvexDoc::NotifyChanged(const std::array<bool, kEquationLines>& lines)
{
    // Containers first, then the modified mark, then the views.
    UpdateAllItems();
    SetModifiedFlag(true);
    m_changedLines = lines;
    TellViews();
}

void CMolvexDoc::NotifyChanged()
{
    std::array<bool, kEquationLines> all;
    all.fill(true);
    NotifyChanged(all);
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
    const LineTops tops = recorded.metrics.lineTops;
    picture.draw = [this, tops](CDC& dc) { DrawEquation(dc, tops, 0, 0); };

    std::optional<std::string> error;
    if (!clipboard.SetPicture(picture))
        error = std::string("Unable to set Clipboard data");
    clipboard.Close();
    return error;
}
