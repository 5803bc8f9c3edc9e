#pragma once
// A small well-formedness check for the XML the program writes, without a parser
// library (the fuzz targets use it too): one root, every tag closed in order, only the
// predefined entities and character references, and only characters XML 1.0 allows,
// in valid UTF-8. Attributes, comments and declarations are taken as they come.
#include <cstddef>
#include <string>
#include <vector>

namespace xmlcheck {

// The character at `i` (advancing `i`), or -1 for bytes that are not UTF-8.
inline long NextChar(const std::string& s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80)
        return b0;
    const std::size_t len = (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len - 1 > s.size())
        return -1;
    long cp = b0 & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i++]);
        if ((b & 0xC0) != 0x80)
            return -1;
        cp = (cp << 6) | (b & 0x3F);
    }
    const long minimum = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    return cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ? -1 : cp;
}

inline bool XmlChar(long c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// `root` receives the root element's tag as written (name and attributes).
inline bool WellFormed(const std::string& xml, std::string& root)
{
    std::vector<std::string> open;
    root.clear();
    for (std::size_t i = 0; i < xml.size();) {
        if (xml[i] == '&') {
            const std::size_t semi = xml.find(';', i);
            const std::string entity = semi == std::string::npos ? "" : xml.substr(i, semi - i + 1);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" &&
                entity != "&apos;" && entity.rfind("&#", 0) != 0)
                return false;
        }
        if (xml[i] != '<') {
            const long c = NextChar(xml, i);
            if (!XmlChar(c) || (open.empty() && c != ' ' && c != '\t' && c != '\n' && c != '\r'))
                return false;
            continue;
        }
        const std::size_t end = xml.find('>', i);
        if (end == std::string::npos)
            return false;
        for (std::size_t k = i; k < end;)
            if (!XmlChar(NextChar(xml, k)))
                return false;
        std::string tag = xml.substr(i + 1, end - i - 1);
        i = end + 1;
        if (!tag.empty() && (tag[0] == '?' || tag[0] == '!'))
            continue; // declaration, comment or doctype
        const bool closing = !tag.empty() && tag[0] == '/';
        const bool empty = !tag.empty() && tag.back() == '/';
        const std::size_t from = closing ? 1 : 0;
        const std::string name = tag.substr(from, tag.find_first_of(" \t\r\n/", from) - from);
        if (name.empty())
            return false;
        if (closing) {
            if (open.empty() || open.back() != name)
                return false;
            open.pop_back();
        } else {
            if (open.empty() && !root.empty())
                return false;
            if (open.empty())
                root = tag;
            if (!empty)
                open.push_back(name);
        }
    }
    return open.empty() && !root.empty();
}

} // namespace xmlcheck
