#include "tests/support/GoldenCorpus.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace golden {

std::uint64_t Fnv(const void* data, std::size_t n, std::uint64_t h)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < n; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

std::string Hex(std::uint64_t h)
{
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'x' && i + 2 < s.size() + 1) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

void ApplyOptionSet(CEquationOptions& o, const std::string& name)
{
    if (name.rfind("eq", 0) == 0)
        o.equilibriumArrow.Set(name[2] - '0');
    if (name == "lev") {
        o.levelArrow.Set(0.3);
        o.levelSuper.Set(0.8);
        o.levelSub.Set(0.2);
        o.levelPhase.Set(0.7);
        o.italicPhase.Set(true);
        o.verticalSpacing.Set(3);
    }
    if (name == "size") {
        o.textSuper.Set(0.8);
        o.textSub.Set(0.4);
        o.textArrow.Set(0.9);
        o.textPhase.Set(0.5);
        o.arrowWidth.Set(1.5);
        o.equilibriumArrow.Set(3);
    }
}

KVLogFont FontOf(const std::string& name)
{
    KVLogFont f;
    if (name == "serif") {
        f.lf.SetFaceName("DejaVu Serif");
        f.lf.lfHeight = -20;
        f.lf.lfWeight = 700;
        f.himetricHeight = 530;
    } else if (name == "italic") {
        f.lf.SetFaceName("Liberation Sans");
        f.lf.lfHeight = -11;
        f.lf.lfItalic = 1;
        f.color = RGB(200, 0, 0);
    } else if (name == "big") {
        f.lf.SetFaceName("DejaVu Sans");
        f.lf.lfHeight = -32;
    } else {
        f.lf.SetFaceName("DejaVu Sans");
    }
    return f;
}

void WalkMetafile(const std::vector<std::uint8_t>& wmf, const MetafileVisitor& draw)
{
    auto word = [&](std::size_t at) -> std::uint16_t {
        return at + 1 < wmf.size() ? static_cast<std::uint16_t>(wmf[at] | (wmf[at + 1] << 8)) : 0;
    };
    std::map<int, std::vector<std::uint16_t>> table;
    MetafileState state;
    std::size_t at = 18;
    while (at + 6 <= wmf.size()) {
        const std::uint32_t words = word(at) | (static_cast<std::uint32_t>(word(at + 2)) << 16);
        const std::uint16_t fn = word(at + 4);
        if (words < 3 || fn == 0)
            break;
        std::vector<std::uint16_t> p;
        for (std::uint32_t k = 3; k < words; ++k)
            p.push_back(word(at + 2 * k));
        auto s16 = [&](std::size_t k) { return k < p.size() ? static_cast<std::int16_t>(p[k]) : 0; };
        switch (fn) {
        case 0x02FA: case 0x02FB: case 0x02FC: {
            int slot = 0;
            while (table.count(slot))
                ++slot;
            p.insert(p.begin(), fn);
            table[slot] = p;
            break;
        }
        case 0x01F0: table.erase(s16(0)); break;
        case 0x012D: {
            const auto it = table.find(s16(0));
            if (it != table.end()) {
                if (it->second[0] == 0x02FB)
                    state.font = it->second;
                else if (it->second[0] == 0x02FA)
                    state.pen = it->second;
            }
            break;
        }
        case 0x012E: state.align = p.empty() ? 0 : p[0]; break;
        case 0x0102: state.bk = p.empty() ? 0 : p[0]; break;
        case 0x0209: state.color = p.size() > 1 ? (p[0] | (static_cast<std::uint32_t>(p[1]) << 16)) : 0; break;
        case 0x0214: state.y = s16(0); state.x = s16(1); break;
        case 0x0213:
            draw(fn, p, state);
            state.y = s16(0);
            state.x = s16(1);
            break;
        default:
            draw(fn, p, state);
            break;
        }
        at += 2 * static_cast<std::size_t>(words);
    }
}

std::string Playback(const std::vector<std::uint8_t>& wmf)
{
    std::ostringstream out;
    WalkMetafile(wmf, [&out](std::uint16_t fn, const std::vector<std::uint16_t>& p, const MetafileState& s) {
        auto s16 = [&](std::size_t k) { return k < p.size() ? static_cast<std::int16_t>(p[k]) : 0; };
        if (fn == 0x0213) {
            out << "L " << s.x << ',' << s.y << ' ' << s16(1) << ',' << s16(0) << " pen "
                << Hex(Fnv(s.pen.data(), 2 * s.pen.size())) << '\n';
        } else if (fn == 0x0521) {
            const int n = s16(0);
            std::string text;
            for (int i = 0; i < n; ++i)
                text += static_cast<char>(n > 0 ? (p[1 + i / 2] >> (8 * (i % 2))) & 0xFF : 0);
            const std::size_t y = 1 + (n + 1) / 2;
            out << "T " << s16(y + 1) << ',' << s16(y) << ' ' << text << " font "
                << Hex(Fnv(s.font.data(), 2 * s.font.size())) << " c" << s.color << " a" << s.align << " b" << s.bk
                << '\n';
        } else if (fn != 0x0103 && (fn & 0xFF00) != 0x0200) {
            out << "R " << fn << '\n'; // any other record counts as drawn
        }
    });
    return out.str();
}

std::vector<Case> ReadCases(const std::string& path)
{
    std::vector<Case> cases;
    std::ifstream in(path);
    std::string row;
    while (std::getline(in, row)) {
        if (row.empty() || row[0] == '#')
            continue;
        // options font mode png wmf drawn text, tab-separated.
        std::vector<std::string> cols;
        std::size_t start = 0;
        for (int k = 0; k < 6; ++k) {
            const std::size_t tab = row.find('\t', start);
            cols.push_back(row.substr(start, tab - start));
            start = tab == std::string::npos ? row.size() : tab + 1;
        }
        cases.push_back(Case{cols[0], cols[1], cols[2], row.substr(start), cols[3], cols[4], cols[5]});
    }
    return cases;
}

std::string CorpusPath()
{
    const char* dir = std::getenv("MOLVEX_SOURCE_DIR");
    return std::string(dir ? dir : ".") + "/tests/platform/golden.txt";
}

} // namespace golden
