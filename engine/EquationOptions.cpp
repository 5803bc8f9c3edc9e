#include "engine/EquationOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

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

// ---- Option<T>

namespace {

// The range rule: the midpoint of the range, truncated toward zero for integers. The
// test is written so that NaN counts as outside: it would otherwise reach layout, where
// converting it to an integer is undefined.
template <class T>
T InRange(T v, T lo, T hi)
{
    if (v >= lo && v <= hi)
        return v;
    if constexpr (std::is_same_v<T, double>)
        return (lo + hi) * 0.5;
    else // 64-bit sum: the ends of a wide range must not overflow
        return static_cast<T>((static_cast<std::int64_t>(lo) + hi) / 2);
}

} // namespace

template <class T>
void Option<T>::Define(const std::string& sec, const std::string& k, T def, T lo, T hi)
{
    m_section = sec;
    m_key = k;
    m_minimum = lo;
    m_maximum = hi;
    m_default = def;
    Set(def);
    m_saved = m_value;
}

template <class T>
void Option<T>::Set(T v)
{
    m_value = InRange(v, m_minimum, m_maximum);
}

template <class T>
void Option<T>::Load(CIniStore& store)
{
    if constexpr (std::is_same_v<T, double>) {
        const std::string text = store.GetString(m_section, m_key);
        Set(text.empty() ? m_default : std::strtod(text.c_str(), nullptr));
    } else {
        // -1 is what a missing entry reads as, so a stored "-1" selects the default too.
        const int v = store.GetInt(m_section, m_key);
        if (v == -1)
            Set(m_default);
        else if constexpr (std::is_same_v<T, bool>)
            Set(v == 1);
        else
            Set(v);
    }
    m_saved = m_value;
}

template <class T>
void Option<T>::Save(CIniStore& store)
{
    if constexpr (std::is_same_v<T, double>) {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%f", m_value);
        store.SetString(m_section, m_key, buf, true);
    } else if constexpr (std::is_same_v<T, bool>) {
        store.SetString(m_section, m_key, m_value ? "1" : "0", true);
    } else {
        store.SetInt(m_section, m_key, m_value, true);
    }
    m_saved = m_value;
}

template <class T>
void Option<T>::Serialize(CArchive& ar)
{
    // A bool travels as one byte, 0 or 1.
    using Stored = std::conditional_t<std::is_same_v<T, bool>, std::uint8_t, T>;
    if (ar.IsStoring()) {
        ar << static_cast<Stored>(m_value);
    } else {
        Stored v = static_cast<Stored>(m_value);
        ReadRaw(ar, v);
        if constexpr (std::is_same_v<T, bool>)
            Set(v != 0);
        else
            Set(v);
    }
}

template class Option<std::int32_t>;
template class Option<double>;
template class Option<bool>;

// ---- FontOption

FontOption::FontOption()
{
    const KVEquationFont font;
    value = font;
    defaultValue = font;
}

void FontOption::Define(const std::string& sec, const std::string& k)
{
    Set(sec, k, m_flag, KVEquationFont());
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
    VisitEach([&store](auto& option) { option.Load(store); }, *this);
    return true;
}

void CEquationOptions::SaveEntries(CIniStore& store)
{
    VisitEach([&store](auto& option) { option.Save(store); }, *this);
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
    VisitEach([&ar](auto& option) { option.Serialize(ar); }, *this);
}

bool SameFont(const KVLogFont& a, const KVLogFont& b)
{
    return std::memcmp(&a.lf, &b.lf, sizeof a.lf) == 0 && a.color == b.color && a.himetricHeight == b.himetricHeight;
}

bool CEquationOptions::SameValues(const CEquationOptions& other) const
{
    bool same = true;
    VisitEach(
        [&same](const auto& a, const auto& b) {
            if constexpr (std::is_same_v<std::decay_t<decltype(a)>, FontOption>)
                same = same && SameFont(a.Get(), b.Get());
            else
                same = same && a.Get() == b.Get();
        },
        *this, other);
    return same;
}

LayoutInputs LayoutInputs::Of(const CEquationOptions& options, std::uint64_t metricsKey)
{
    return LayoutInputs{options, options.font.Get(), metricsKey};
}
