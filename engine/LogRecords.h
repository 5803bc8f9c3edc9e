#pragma once
// Font, pen and brush records: plain descriptions with archive and text forms; live
// fonts and pens are made from them only while drawing.
#include <cstdint>
#include <string>

#include "engine/DeviceContext.h"

class CArchive;
class CIniStore;
struct IniSaveError;

class KVLogFont {
public:
    KVLogFont();
    virtual ~KVLogFont() = default;
    KVLogFont(const KVLogFont&) = default;
    KVLogFont& operator=(const KVLogFont&) = default;

    void CopyFrom(const KVLogFont& other) { *this = other; }
    // 52 bytes: height, weight, italic, underline, strike-out, charset, face (32),
    // colour, HIMETRIC height. Loading leaves the fields not in the form unchanged.
    virtual void Serialize(CArchive& ar);
    // "%i,...,%i,%s": thirteen LOGFONT numbers, colour, HIMETRIC height, face name.
    std::string ToText() const;
    // Never fails: missing or malformed numbers become 0, the rest is the face name
    // (cut to 31 characters).
    void FromText(const std::string& text);

    LOGFONTA lf;
    COLORREF color = 0;
    std::int32_t himetricHeight = 388;

protected:
    explicit KVLogFont(std::int32_t himetricDefault);
};

// The equation font record: a KVLogFont whose HIMETRIC height starts at 400.
class KVEquationFont : public KVLogFont {
public:
    KVEquationFont();
    explicit KVEquationFont(const KVLogFont& font) : KVLogFont(font) {}
};

class KVLogPen {
public:
    virtual ~KVLogPen() = default;
    void CopyFrom(const KVLogPen& other) { *this = other; }
    virtual void Serialize(CArchive& ar); // 20 bytes
    std::string ToText() const;           // "r,g,b,style,first,width"

    std::int32_t first = 0;
    std::uint32_t style = 65542; // PS_GEOMETRIC | PS_INSIDEFRAME
    COLORREF color = 0;
    double width = 17.63888775;
};

class KVLogBrush {
public:
    virtual ~KVLogBrush() = default;
    void CopyFrom(const KVLogBrush& other) { *this = other; }
    virtual void Serialize(CArchive& ar); // 16 bytes
    std::string ToText() const;           // "r,g,b,style,first,last"

    std::int32_t first = 0;
    std::uint32_t style = 1; // BS_NULL
    COLORREF color = 0;
    std::int32_t last = 0;
};

// An option wrapper: a current and a default record under a section and key.
template <class Record>
class KVOption {
public:
    virtual ~KVOption() = default;
    void Set(const std::string& section, const std::string& key, bool flag, const Record& record)
    {
        m_section = section;
        m_key = key;
        m_flag = flag;
        value = record;
        defaultValue = record;
    }
    // Serializes the current value only.
    virtual void Serialize(CArchive& ar) { value.Serialize(ar); }
    // Writes the text form under the section and key (creating them).
    void Save(CIniStore& store) const;

    const std::string& Section() const { return m_section; }
    const std::string& Key() const { return m_key; }
    bool Flag() const { return m_flag; }

    Record value;
    Record defaultValue;

protected:
    bool m_flag = false;
    std::string m_key;
    std::string m_section;
};

class KVOptionKVLogFont : public KVOption<KVLogFont> {
public:
    // An empty or missing entry gives the default; otherwise the text is parsed.
    void Load(CIniStore& store);
    // Copies value, flag, key and section; the default stays.
    KVOptionKVLogFont& operator=(const KVOptionKVLogFont& other);
    KVOptionKVLogFont() = default;
    KVOptionKVLogFont(const KVOptionKVLogFont& other) = default;
    KVEquationFont AsEquationFont() const { return KVEquationFont(value); }
};
class KVOptionKVLogPen : public KVOption<KVLogPen> {};
class KVOptionKVLogBrush : public KVOption<KVLogBrush> {};
