#include "engine/LogRecords.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/IniStore.h"
#include "engine/Archive.h"

namespace {

// The standard decimal conversion: leading blanks and a sign, digits up to the first
// other character, 0 when there are none. Out-of-range numbers are reduced to 32 bits
// instead of being undefined.
std::int32_t ToInt(const std::string& field)
{
    return static_cast<std::int32_t>(std::strtol(field.c_str(), nullptr, 10));
}

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* fmt, ...)
{
    char buf[512];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return n < 0 ? std::string() : std::string(buf, static_cast<std::size_t>(n) < sizeof buf ? static_cast<std::size_t>(n) : sizeof buf - 1);
}

} // namespace

KVLogFont::KVLogFont() : KVLogFont(388) {}

KVLogFont::KVLogFont(std::int32_t himetricDefault) : himetricHeight(himetricDefault)
{
    lf.lfHeight = -14;
    lf.lfWidth = 0;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = 400;
    lf.lfItalic = 0;
    lf.lfUnderline = 0;
    lf.lfStrikeOut = 0;
    lf.lfCharSet = 0;
    lf.lfOutPrecision = 7;
    lf.lfClipPrecision = 48;
    lf.lfQuality = 2;
    lf.lfPitchAndFamily = 2;
    lf.SetFaceName("Arial");
}

KVEquationFont::KVEquationFont() : KVLogFont(400) {}

void KVLogFont::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << lf.lfHeight << lf.lfWeight << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet;
        ar.Write(lf.lfFaceName, sizeof lf.lfFaceName);
        ar << color << himetricHeight;
        return;
    }
    ar >> lf.lfHeight >> lf.lfWeight >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet;
    char face[LF_FACESIZE];
    if (ar.Read(face, sizeof face) != sizeof face)
        throw CArchiveException(CArchiveException::endOfFile, "unexpected end of archive");
    std::memcpy(lf.lfFaceName, face, sizeof face);
    // A stored name without its terminator must not run past the array when used.
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    ar >> color >> himetricHeight;
}

std::string KVLogFont::ToText() const
{
    return Format("%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%.32s", lf.lfHeight, lf.lfWidth, lf.lfEscapement,
                  lf.lfOrientation, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet,
                  lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily,
                  static_cast<std::int32_t>(color), himetricHeight, lf.lfFaceName);
}

void KVLogFont::FromText(const std::string& text)
{
    std::string rest = text;
    std::int32_t n[15];
    for (auto& value : n) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string::npos) {
            value = 0;
            continue;
        }
        value = ToInt(rest.substr(0, comma));
        rest.erase(0, comma + 1);
    }
    lf.lfHeight = n[0];
    lf.lfWidth = n[1];
    lf.lfEscapement = n[2];
    lf.lfOrientation = n[3];
    lf.lfWeight = n[4];
    lf.lfItalic = static_cast<std::uint8_t>(n[5]);
    lf.lfUnderline = static_cast<std::uint8_t>(n[6]);
    lf.lfStrikeOut = static_cast<std::uint8_t>(n[7]);
    lf.lfCharSet = static_cast<std::uint8_t>(n[8]);
    lf.lfOutPrecision = static_cast<std::uint8_t>(n[9]);
    lf.lfClipPrecision = static_cast<std::uint8_t>(n[10]);
    lf.lfQuality = static_cast<std::uint8_t>(n[11]);
    lf.lfPitchAndFamily = static_cast<std::uint8_t>(n[12]);
    color = static_cast<COLORREF>(n[13]);
    himetricHeight = n[14];
    // The record holds 31 characters; a longer stored name is cut.
    lf.SetFaceName(rest.c_str());
}

void KVLogPen::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << first << style << color << width;
    else
        ar >> first >> style >> color >> width;
}

std::string KVLogPen::ToText() const
{
    return Format("%i,%i,%i,%i,%i,%f", GetRValue(color), GetGValue(color), GetBValue(color),
                  static_cast<std::int32_t>(style), first, width);
}

void KVLogBrush::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << first << style << color << last;
    else
        ar >> first >> style >> color >> last;
}

std::string KVLogBrush::ToText() const
{
    return Format("%i,%i,%i,%i,%i,%i", GetRValue(color), GetGValue(color), GetBValue(color),
                  static_cast<std::int32_t>(style), first, last);
}

template <class Record>
void KVOption<Record>::Save(CIniStore& store) const
{
    store.SetString(m_section, m_key, value.ToText(), true);
}

template class KVOption<KVLogFont>;
template class KVOption<KVLogPen>;
template class KVOption<KVLogBrush>;

void KVOptionKVLogFont::Load(CIniStore& store)
{
    const std::string text = store.GetString(m_section, m_key);
    if (text.empty())
        value = defaultValue;
    else
        value.FromText(text);
}

KVOptionKVLogFont& KVOptionKVLogFont::operator=(const KVOptionKVLogFont& other)
{
    if (this != &other) {
        value = other.value;
        m_flag = other.m_flag;
        m_key = other.m_key;
        m_section = other.m_section;
    }
    return *this;
}
