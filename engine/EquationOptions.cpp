#include "engine/EquationOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/IniStore.h"
#include "engine/Archive.h"

namespace {

// Reads up to sizeof(T) raw bytes; a value the data cuts off keeps what it held, so a
// short options block in a document leaves the remaining options as they were.
template <class T>
void ReadRaw(CArchive& ar, T& v)
{
    unsigned char bytes[sizeof(T)];
    if (ar.Read(bytes, sizeof bytes) == sizeof bytes)
        std::memcpy(&v, bytes, sizeof bytes);
}

} // namespace

// ---- IntOption

void IntOption::Define(const std::string& sec, const std::string& k, std::int32_t def, std::int32_t lo,
                       std::int32_t hi)
{
    section = sec;
    key = k;
    defaultValue = def;
    value = def;
    saved = def;
    minimum = lo;
    maximum = hi;
}

bool IntOption::ApplyRange()
{
    if (value >= minimum && value <= maximum)
        return false;
    // 64-bit sum: the ends of a wide range must not overflow; division truncates toward zero.
    value = static_cast<std::int32_t>((static_cast<std::int64_t>(minimum) + maximum) / 2);
    return true;
}

std::int32_t IntOption::Get()
{
    ApplyRange();
    return value;
}

void IntOption::Load(CIniStore& store)
{
    const int v = store.GetInt(section, key);
    value = v == -1 ? defaultValue : v;
    ApplyRange();
    saved = value;
}

void IntOption::Save(CIniStore& store)
{
    ApplyRange();
    store.SetInt(section, key, value, true);
    saved = value;
}

void IntOption::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << value;
    else
        ReadRaw(ar, value);
}

// ---- DoubleOption

void DoubleOption::Define(const std::string& sec, const std::string& k, double def, double lo, double hi)
{
    section = sec;
    key = k;
    defaultValue = def;
    value = def;
    saved = def;
    minimum = lo;
    maximum = hi;
}

bool DoubleOption::ApplyRange()
{
    // Written so that NaN counts as outside: it would otherwise reach layout, where
    // converting it to an integer is undefined.
    if (value >= minimum && value <= maximum)
        return false;
    value = (minimum + maximum) * 0.5;
    return true;
}

double DoubleOption::Get()
{
    ApplyRange();
    return value;
}

void DoubleOption::Load(CIniStore& store)
{
    const std::string text = store.GetString(section, key);
    value = text.empty() ? defaultValue : std::strtod(text.c_str(), nullptr);
    ApplyRange();
    saved = value;
}

void DoubleOption::Save(CIniStore& store)
{
    ApplyRange();
    char buf[512];
    std::snprintf(buf, sizeof buf, "%f", value);
    store.SetString(section, key, buf, true);
    saved = value;
}

void DoubleOption::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << value;
    else
        ReadRaw(ar, value);
}

// ---- BoolOption

void BoolOption::Define(const std::string& sec, const std::string& k, bool def)
{
    section = sec;
    key = k;
    defaultValue = def;
    value = def;
    saved = def;
}

void BoolOption::Load(CIniStore& store)
{
    const int v = store.GetInt(section, key);
    value = v == -1 ? defaultValue : v == 1;
    saved = value;
}

void BoolOption::Save(CIniStore& store)
{
    store.SetString(section, key, value ? "1" : "0", true);
    saved = value;
}

void BoolOption::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint8_t>(value ? 1 : 0);
    } else {
        std::uint8_t b = value ? 1 : 0;
        ReadRaw(ar, b);
        value = b != 0;
    }
}

// ---- FontOption

FontOption::FontOption()
{
    const KVLogFontTBD font;
    value = font;
    defaultValue = font;
}

void FontOption::Define(const std::string& sec, const std::string& k)
{
    Set(sec, k, m_flag, KVLogFontTBD());
}

// ---- CEquationOptions

CEquationOptions::CEquationOptions()
{
    Define();
}

void CEquationOptions::Define()
{
    const std::string s = "Options";
    constexpr double lo = -1e17;
    constexpr double hi = 1e16;
    equilibriumArrow.Define(s, "EquilibriumArrow", 1, -32768, 32767);
    arrowWidth.Define(s, "ArrowWidth", 3.0, lo, hi);
    levelArrow.Define(s, "LevelArrow", 0.5, lo, hi);
    levelSuper.Define(s, "LevelSuper", 0.5, lo, hi);
    levelSub.Define(s, "LevelSub", 0.5, lo, hi);
    levelPhase.Define(s, "LevelPhase", 0.5, lo, hi);
    textArrow.Define(s, "TextArrow", 0.5, lo, hi);
    textSuper.Define(s, "TextSuper", 0.5, lo, hi);
    textSub.Define(s, "TextSub", 0.5, lo, hi);
    textPhase.Define(s, "TextPhase", 0.5, lo, hi);
    italicPhase.Define(s, "ItalicPhase", true);
    verticalSpacing.Define(s, "VerticalSpacing", 15, -32768, 32767);
    font.Define(s, "Font");
}

bool CEquationOptions::Load(CIniStore& store)
{
    store.Load();
    equilibriumArrow.Load(store);
    arrowWidth.Load(store);
    levelArrow.Load(store);
    levelSuper.Load(store);
    levelSub.Load(store);
    levelPhase.Load(store);
    textArrow.Load(store);
    textSuper.Load(store);
    textSub.Load(store);
    textPhase.Load(store);
    italicPhase.Load(store);
    verticalSpacing.Load(store);
    font.Load(store);
    return true;
}

void CEquationOptions::SaveEntries(CIniStore& store)
{
    equilibriumArrow.Save(store);
    arrowWidth.Save(store);
    levelArrow.Save(store);
    levelSuper.Save(store);
    levelSub.Save(store);
    levelPhase.Save(store);
    textArrow.Save(store);
    textSuper.Save(store);
    textSub.Save(store);
    textPhase.Save(store);
    italicPhase.Save(store);
    verticalSpacing.Save(store);
    font.Save(store);
}

std::optional<IniSaveError> CEquationOptions::Save(CIniStore& store)
{
    SaveEntries(store);
    return store.Save();
}

void CEquationOptions::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::string("MLVOptions") << static_cast<std::uint16_t>(1);
    } else {
        if (ar.ReadString() != "MLVOptions")
            return;
        std::int16_t version = 0;
        ar >> version;
        if (version < 1)
            return;
    }
    equilibriumArrow.Serialize(ar);
    arrowWidth.Serialize(ar);
    levelArrow.Serialize(ar);
    levelSuper.Serialize(ar);
    levelSub.Serialize(ar);
    levelPhase.Serialize(ar);
    textArrow.Serialize(ar);
    textSuper.Serialize(ar);
    textSub.Serialize(ar);
    textPhase.Serialize(ar);
    italicPhase.Serialize(ar);
    verticalSpacing.Serialize(ar);
    font.Serialize(ar);
}
