#pragma once
// The equation options: levels and sizes of raised, lowered, state and arrow text, the
// equilibrium-arrow style, the default arrow width, italic state symbols, the line
// spacing and the equation font. Each option knows its section, key, default and range.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "engine/LogRecords.h"

class CArchive;
class CIniStore;
struct IniSaveError;

// A number or yes/no option. Its value always lies within its range: whatever brings a
// value in (Define, Set, Load, reading a document) replaces one outside it by the
// midpoint, so reading an option never changes it and can be done through a const
// reference. Yes/no options span the whole type and are never replaced.
template <class T>
class Option {
public:
    virtual ~Option() = default;
    // Value and saved become the default (brought into the range).
    void Define(const std::string& section, const std::string& key, T def,
                T minimum = std::numeric_limits<T>::lowest(), T maximum = std::numeric_limits<T>::max());
    T Get() const { return m_value; }
    void Set(T v);
    void Load(CIniStore& store);          // missing entry: the default
    void Save(CIniStore& store);          // decimal, "%f", or "1"/"0"
    virtual void Serialize(CArchive& ar); // 4, 8 or 1 bytes, little-endian

    T Saved() const { return m_saved; } // the value last loaded or saved
    T Minimum() const { return m_minimum; }
    T Maximum() const { return m_maximum; }
    const std::string& Key() const { return m_key; }
    const std::string& Section() const { return m_section; }

private:
    T m_value{};
    T m_default{};
    T m_saved{};
    T m_minimum{};
    T m_maximum{};
    std::string m_key;
    std::string m_section;
};

using IntOption = Option<std::int32_t>;
using DoubleOption = Option<double>;
using BoolOption = Option<bool>;

extern template class Option<std::int32_t>;
extern template class Option<double>;
extern template class Option<bool>;

// The equation font: a font option whose default is a new KVEquationFont.
class FontOption : public KVOptionKVLogFont {
public:
    FontOption();
    void Define(const std::string& section, const std::string& key);
    // The equation font as layout receives it.
    KVEquationFont Get() const { return AsEquationFont(); }
    void SetFont(const KVLogFont& font) { value = font; }
    virtual void Serialize(CArchive&) override {} // the font is not archived
};

// How an equilibrium arrow is drawn, stored as its number. Any other number is kept
// too: such an arrow takes its length and texts but has no strokes.
enum class EquilibriumStyle : std::int32_t {
    HalfHeads = 0,       // one line, a half head at each end, on opposite sides
    FullHeads = 1,       // one line, a full head at each end
    DoubleHalfHeads = 2, // two lines, each with a half head
    DoubleFullHeads = 3, // two lines, each with a flatter full head
};

class CEquationOptions {
public:
    CEquationOptions();
    virtual ~CEquationOptions() = default;
    CEquationOptions(const CEquationOptions&) = default;
    CEquationOptions& operator=(const CEquationOptions&) = default;

    // Applies the keys, section "Options", defaults and ranges.
    void Define();
    // Reloads the store's file, then loads every option in field order. Returns true.
    bool Load(CIniStore& store);
    // Saves every option in field order, then writes the store's file; the error, if
    // the file could not be written, is returned for the caller to show.
    std::optional<IniSaveError> Save(CIniStore& store);
    // Only the entries, without writing the file.
    void SaveEntries(CIniStore& store);
    // The options block of a document: tag "MLVOptions", version 1, twelve values.
    // Loading stops silently at a wrong tag or a version below 1; values the data cuts
    // off keep their previous values.
    virtual void Serialize(CArchive& ar);

    // True when every option holds the same value (the font compared field by field).
    bool SameValues(const CEquationOptions& other) const;

    EquilibriumStyle EquilibriumArrowStyle() const { return static_cast<EquilibriumStyle>(equilibriumArrow.Get()); }

    IntOption equilibriumArrow;
    DoubleOption arrowWidth;
    DoubleOption levelArrow;
    DoubleOption levelSuper;
    DoubleOption levelSub;
    DoubleOption levelPhase;
    DoubleOption textArrow;
    DoubleOption textSuper;
    DoubleOption textSub;
    DoubleOption textPhase;
    BoolOption italicPhase;
    IntOption verticalSpacing;
    FontOption font;

    // Calls visit(option) (or visit(a.option, b.option) for two sets) on every option
    // in field order, the order of the options block and the settings file. The one
    // list of the options: loading, saving, archiving and comparing all go through it,
    // so a new option added here is in each of them and in the layout's cache key.
    template <class Visit, class... Options>
    static void VisitEach(Visit&& visit, Options&... o)
    {
        visit(o.equilibriumArrow...);
        visit(o.arrowWidth...);
        visit(o.levelArrow...);
        visit(o.levelSuper...);
        visit(o.levelSub...);
        visit(o.levelPhase...);
        visit(o.textArrow...);
        visit(o.textSuper...);
        visit(o.textSub...);
        visit(o.textPhase...);
        visit(o.italicPhase...);
        visit(o.verticalSpacing...);
        visit(o.font...);
    }
};

bool SameFont(const KVLogFont& a, const KVLogFont& b);

// Everything the layout of an equation depends on besides its text: the options, the
// base font and the metrics of the context measured on. Equal inputs lay the same
// text out the same, so it is the key of every cached layout.
struct LayoutInputs {
    CEquationOptions options;
    KVEquationFont font;
    std::uint64_t metricsKey = 0;

    // The inputs of a context with `metricsKey` and the options' own font.
    static LayoutInputs Of(const CEquationOptions& options, std::uint64_t metricsKey);
    friend bool operator==(const LayoutInputs& a, const LayoutInputs& b)
    {
        return a.metricsKey == b.metricsKey && SameFont(a.font, b.font) && a.options.SameValues(b.options);
    }
    friend bool operator!=(const LayoutInputs& a, const LayoutInputs& b) { return !(a == b); }
};
