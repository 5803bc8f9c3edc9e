#pragma once
// The equation options: levels and sizes of raised, lowered, state and arrow text, the
// equilibrium-arrow style, the default arrow width, italic state symbols, the line
// spacing and the equation font. Each option knows its section, key, default and range.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/LogRecords.h"

class CArchive;
class CIniStore;
struct IniSaveError;

class IntOption {
public:
    virtual ~IntOption() = default;
    void Define(const std::string& section, const std::string& key, std::int32_t def,
                std::int32_t minimum, std::int32_t maximum);
    // The value brought into range (a value outside becomes the midpoint, stored back).
    std::int32_t Get();
    void Set(std::int32_t v) { value = v; }
    // Range rule on the held value; true when it was changed.
    bool ApplyRange();
    void Load(CIniStore& store);       // empty or "-1" selects the default
    void Save(CIniStore& store);       // decimal text
    virtual void Serialize(CArchive& ar); // 4 bytes

    std::int32_t value = 0;
    std::int32_t defaultValue = 0;
    std::int32_t saved = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::string key;
    std::string section;
};

class DoubleOption {
public:
    virtual ~DoubleOption() = default;
    void Define(const std::string& section, const std::string& key, double def, double minimum, double maximum);
    double Get();
    void Set(double v) { value = v; }
    bool ApplyRange();
    void Load(CIniStore& store);       // empty selects the default
    void Save(CIniStore& store);       // "%f"
    virtual void Serialize(CArchive& ar); // 8 bytes

    double value = 0;
    double defaultValue = 0;
    double saved = 0;
    std::string key;
    std::string section;
    double minimum = 0;
    double maximum = 0;
};

class BoolOption {
public:
    virtual ~BoolOption() = default;
    void Define(const std::string& section, const std::string& key, bool def);
    bool Get() const { return value; }
    void Set(bool v) { value = v; }
    void Load(CIniStore& store);       // 1 true, missing default, else false
    void Save(CIniStore& store);       // "1" / "0"
    virtual void Serialize(CArchive& ar); // 1 byte

    bool value = false;
    bool defaultValue = false;
    bool saved = false;
    std::string key;
    std::string section;
};

// The equation font: a font option whose default is a new KVLogFontTBD.
class FontOption : public KVOptionKVLogFont {
public:
    FontOption();
    void Define(const std::string& section, const std::string& key);
    // The equation font as layout receives it.
    KVLogFontTBD Get() const { return AsTBD(); }
    void SetFont(const KVLogFont& font) { value = font; }
    virtual void Serialize(CArchive&) override {} // the font is not archived
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
};
