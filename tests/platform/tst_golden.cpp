// Pictures of a fixed corpus of equations, compared with the fingerprints in
// golden.txt: the PNG pixels, the metafile bytes, and what the metafile draws when
// played back (every text and stroke with its font, colour, alignment and pen), so a
// change in how layout is built can be checked against the pictures users had.
// MOLVEX_GOLDEN_WRITE=1 rewrites the file from the current build.
#include <QtTest>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"

namespace {

std::uint64_t Fnv(const void* data, std::size_t n, std::uint64_t h = 1469598103934665603ull)
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

// Option sets: the defaults, each equilibrium style, moved levels, changed sizes.
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

// Plays a metafile back into a list of what it draws, independent of object slots
// and of records that draw nothing.
std::string Playback(const std::vector<std::uint8_t>& wmf)
{
    auto word = [&](std::size_t at) -> std::uint16_t {
        return at + 1 < wmf.size() ? static_cast<std::uint16_t>(wmf[at] | (wmf[at + 1] << 8)) : 0;
    };
    std::map<int, std::vector<std::uint16_t>> table;
    std::vector<std::uint16_t> font, pen;
    std::uint16_t align = 0, bk = 0;
    std::uint32_t color = 0;
    int px = 0, py = 0;
    std::ostringstream out;
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
                    font = it->second;
                else if (it->second[0] == 0x02FA)
                    pen = it->second;
            }
            break;
        }
        case 0x012E: align = p.empty() ? 0 : p[0]; break;
        case 0x0102: bk = p.empty() ? 0 : p[0]; break;
        case 0x0209: color = p.size() > 1 ? (p[0] | (static_cast<std::uint32_t>(p[1]) << 16)) : 0; break;
        case 0x0214: py = s16(0); px = s16(1); break;
        case 0x0213: {
            out << "L " << px << ',' << py << ' ' << s16(1) << ',' << s16(0) << " pen " << Hex(Fnv(pen.data(), 2 * pen.size())) << '\n';
            py = s16(0);
            px = s16(1);
            break;
        }
        case 0x0521: {
            const int n = s16(0);
            std::string text;
            for (int i = 0; i < n; ++i)
                text += static_cast<char>(n > 0 ? (p[1 + i / 2] >> (8 * (i % 2))) & 0xFF : 0);
            const std::size_t y = 1 + (n + 1) / 2;
            out << "T " << s16(y + 1) << ',' << s16(y) << ' ' << text << " font " << Hex(Fnv(font.data(), 2 * font.size()))
                << " c" << color << " a" << align << " b" << bk << '\n';
            break;
        }
        default:
            if (fn != 0x0103 && (fn & 0xFF00) != 0x0200)
                out << "R " << fn << '\n'; // any other record counts as drawn
            break;
        }
        at += 2 * static_cast<std::size_t>(words);
    }
    return out.str();
}

std::uint64_t PixelHash(const QImage& image)
{
    std::uint64_t h = Fnv(nullptr, 0);
    const int w = image.width(), hgt = image.height();
    h = Fnv(&w, sizeof w, h);
    h = Fnv(&hgt, sizeof hgt, h);
    for (int y = 0; y < hgt; ++y)
        h = Fnv(image.constScanLine(y), static_cast<std::size_t>(w) * 4, h);
    return h;
}

struct Case {
    std::string options, font, mode, text; // text escaped as stored
};

struct Fingerprint {
    std::string png, wmf, drawn;
};

// Modes: "doc" is the whole document as a picture and a recorded metafile; "c", "r"
// and "b" draw one line anchored at its centre, right or baseline.
Fingerprint Render(const Case& c)
{
    MolvexAppState app;
    ApplyOptionSet(app.options, c.options);
    app.options.font.SetFont(FontOf(c.font));
    CMolvexDoc doc(app);
    const std::string text = Unescape(c.text);
    Fingerprint f;
    CQtDC attribute(96, 96);
    if (c.mode == "doc") {
        doc.SetEquationText(text);
        const RecordedPicture pic = RecordEquationPicture(doc, attribute).value();
        f.wmf = Hex(Fnv(pic.metafile.data(), pic.metafile.size()));
        f.drawn = Hex(Fnv(Playback(pic.metafile).data(), Playback(pic.metafile).size()));
        f.png = Hex(PixelHash(RenderImage(EquationDrawing(doc), RenderSettings{1.0, 4, false, false})));
        return f;
    }
    CEquationLine line;
    line.SetText(text);
    const KVLogFontTBD font = app.options.font.Get();
    const unsigned align = c.mode == "c" ? (TA_CENTER | TA_BOTTOM) : c.mode == "r" ? (TA_RIGHT | TA_TOP) : (TA_BASELINE | TA_LEFT);
    Drawing d;
    d.measure = [&](CDC& dc) {
        const LineExtent e = line.MeasureLine(dc, app.options, font);
        return SIZE{e.width, e.height};
    };
    d.draw = [&](CDC& dc, int x, int y) {
        const LineExtent e = line.MeasureLine(dc, app.options, font);
        dc.SetTextAlign(align);
        const int ax = c.mode == "c" ? x + e.width / 2 : c.mode == "r" ? x + e.width : x;
        const int ay = c.mode == "c" ? y + e.height : c.mode == "r" ? y : y + e.height - e.depth;
        line.DrawLine(dc, ax, ay, app.options, font);
    };
    f.png = Hex(PixelHash(RenderImage(d, RenderSettings{1.0, 4, false, false})));
    CMetafileDC recorder(attribute);
    recorder.SetMapMode(MM_ANISOTROPIC);
    const LineExtent e = line.MeasureLine(attribute, app.options, font);
    recorder.SetWindowOrg(0, 0);
    recorder.SetWindowExt(e.width + 8, e.height + 8);
    recorder.SetViewportExt(e.width + 8, e.height + 8);
    d.draw(recorder, 4, 4);
    const std::vector<std::uint8_t> wmf = recorder.Close();
    f.wmf = Hex(Fnv(wmf.data(), wmf.size()));
    const std::string drawn = Playback(wmf);
    f.drawn = Hex(Fnv(drawn.data(), drawn.size()));
    return f;
}

std::string GoldenPath()
{
    return qEnvironmentVariable("MOLVEX_SOURCE_DIR").toStdString() + "/tests/platform/golden.txt";
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT
private slots:
    void corpusDrawsAsRecorded()
    {
        std::ifstream in(GoldenPath());
        QVERIFY2(in, "golden.txt not found");
        const bool write = qEnvironmentVariableIntValue("MOLVEX_GOLDEN_WRITE") == 1;
        std::ostringstream rewritten;
        std::string row;
        int cases = 0;
        QStringList differences;
        while (std::getline(in, row)) {
            if (row.empty() || row[0] == '#') {
                rewritten << row << '\n';
                continue;
            }
            // options font mode png wmf drawn text, tab-separated; hashes may be "-".
            std::vector<std::string> cols;
            std::size_t start = 0;
            for (int k = 0; k < 6; ++k) {
                const std::size_t tab = row.find('\t', start);
                cols.push_back(row.substr(start, tab - start));
                start = tab == std::string::npos ? row.size() : tab + 1;
            }
            const Case c{cols[0], cols[1], cols[2], row.substr(start)};
            const Fingerprint f = Render(c);
            ++cases;
            const std::string name = c.options + " " + c.font + " " + c.mode + " " + c.text;
            if (f.png != cols[3])
                differences << QString::fromStdString("png   " + name);
            if (f.drawn != cols[5])
                differences << QString::fromStdString("drawn " + name);
            if (f.wmf != cols[4])
                differences << QString::fromStdString("bytes " + name);
            rewritten << c.options << '\t' << c.font << '\t' << c.mode << '\t' << f.png << '\t' << f.wmf << '\t'
                      << f.drawn << '\t' << c.text << '\n';
        }
        in.close();
        if (write) {
            std::ofstream(GoldenPath()) << rewritten.str();
            return;
        }
        QVERIFY(cases > 100);
        for (const QString& d : differences)
            qWarning("%s", qPrintable(d));
        QCOMPARE(differences.size(), 0);
    }
};

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
