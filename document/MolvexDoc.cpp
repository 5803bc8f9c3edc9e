#include "document/MolvexDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>

#include "config/SafeWrite.h"
#include "document/AppState.h"
#include "document/CompoundFile.h"
#include "document/InputLimits.h"
#include "engine/Archive.h"
#include "engine/EquationOptions.h"

namespace {

const char* const kDocumentTag = "MLV2";
const char* const kUnexpectedFormat = "Unexpected file format.";
const char* const kOpenFailed = "Failed to open document.";
const char* const kSaveFailed = "Failed to save document.";

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

EquationMetrics CMolvexDoc::MeasureEquation(CDC& dc)
{
    CEquationOptions& options = m_app.options;
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
        lineRecords[i].SetText(text);
        metrics.lineTops[i] = ClampToInt32(total);
        const LineExtent extent = lineRecords[i].MeasureLine(dc, options, options.font.Get());
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
        lineRecords[0].SetText("3");
        first = lineRecords[0].MeasureLine(dc, options, options.font.Get());
        total = first.height;
        widest = first.width;
    }

    metrics.size = SIZE{widest, ClampToInt32(total)};
    metrics.lowering = ClampToInt32(total - first.height + first.depth);
    metrics.firstLine = first;
    metrics.fontHeight = options.font.Get().lf.lfHeight;
    return metrics;
}

void CMolvexDoc::DrawEquation(CDC& dc, LineTops lineTops, int x, int y)
{
    CEquationOptions& options = m_app.options;
    for (int i = 0; i < kEquationLines; ++i) {
        lineRecords[i].SetText(lineList.texts[i]);
        dc.SetTextAlign(TA_TOP | TA_LEFT);
        lineRecords[i].DrawLine(dc, x, ClampToInt32(static_cast<std::int64_t>(y) + lineTops[i]), options,
                                options.font.Get());
    }
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
    UpdateAllViews();
}

void CMolvexDoc::UpdateAllItems()
{
    const auto observers = m_observers;
    for (IDocumentObserver* o : observers)
        o->ItemsChanged(*this);
}
