// The picture path without Qt against the Qt one, over the golden corpus drawn in the
// built-in face that stands in for each of its fonts: layout through the built-in
// metrics places and measures everything exactly as through the Qt context, and the
// SVG written holds what the metafile recorder records, item for item, placed as GDI
// places it.
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "engine/Cp1252.h"
#include "platform/QtDeviceContext.h"
#include "svg/BuiltinFonts.h"
#include "svg/SvgDC.h"
#include "svg/SvgPicture.h"
#include "tests/support/GoldenCorpus.h"

namespace {

// The corpus font with the built-in face of its kind.
KVLogFont BuiltinFontOf(const std::string& name)
{
    KVLogFont f = golden::FontOf(name);
    if (std::strcmp(f.lf.lfFaceName, "DejaVu Serif") == 0)
        f.lf.SetFaceName("Times New Roman");
    else if (std::strcmp(f.lf.lfFaceName, "DejaVu Sans") == 0)
        f.lf.SetFaceName("Arial");
    return f;
}

struct Item {
    QString text;             // empty for a stroke
    std::vector<double> xs;   // each character's x, or the stroke's two ends
    std::vector<double> ys;
    double size = 0;          // font size or stroke width
    friend bool operator==(const Item& a, const Item& b)
    {
        auto near = [](const std::vector<double>& p, const std::vector<double>& q) {
            if (p.size() != q.size())
                return false;
            for (std::size_t i = 0; i < p.size(); ++i)
                if (std::fabs(p[i] - q[i]) > 1e-3)
                    return false;
            return true;
        };
        return a.text == b.text && near(a.xs, b.xs) && near(a.ys, b.ys) && std::fabs(a.size - b.size) < 1e-3;
    }
};

QString Describe(const std::vector<Item>& items)
{
    // To the thousandth, as the SVG writes coordinates.
    const auto number = [](double v) { return QString::number(std::round(v * 1000) / 1000); };
    QString s;
    for (const Item& i : items) {
        s += i.text.isEmpty() ? QStringLiteral("line") : i.text;
        for (double x : i.xs)
            s += QLatin1Char(' ') + number(x);
        s += QStringLiteral(" /");
        for (double y : i.ys)
            s += QLatin1Char(' ') + number(y);
        s += QStringLiteral(" size ") + QString::number(i.size) + QLatin1Char('\n');
    }
    return s;
}

std::vector<double> Numbers(const QString& s)
{
    std::vector<double> v;
    for (const QString& part : s.split(QRegularExpression(QStringLiteral("[ ,ML]+")), Qt::SkipEmptyParts))
        v.push_back(part.toDouble());
    return v;
}

// The texts and strokes of an SVG, in document order.
std::vector<Item> SvgItems(const std::string& svg, QString* error)
{
    std::vector<Item> items;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        Item item;
        if (xml.name() == QLatin1String("text")) {
            item.xs = Numbers(a.value(QLatin1String("x")).toString());
            item.ys = {a.value(QLatin1String("y")).toDouble()};
            item.size = a.value(QLatin1String("font-size")).toDouble();
            item.text = xml.readElementText();
            items.push_back(item);
        } else if (xml.name() == QLatin1String("path")) {
            const std::vector<double> d = Numbers(a.value(QLatin1String("d")).toString());
            if (d.size() == 4) {
                item.xs = {d[0], d[2]};
                item.ys = {d[1], d[3]};
            }
            item.size = a.value(QLatin1String("stroke-width")).toDouble();
            items.push_back(item);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return items;
}

// What a metafile draws, placed as GDI places it, with the built-in metrics of the
// fonts it names: each character at its advance from the aligned start of the string,
// on the base line; each stroke through pixel centres up to, not including, its end.
std::vector<Item> RecordedItems(const std::vector<std::uint8_t>& wmf)
{
    std::vector<Item> items;
    golden::WalkMetafile(wmf, [&items](std::uint16_t fn, const std::vector<std::uint16_t>& p,
                                       const golden::MetafileState& s) {
        auto s16 = [&](std::size_t k) { return k < p.size() ? static_cast<std::int16_t>(p[k]) : 0; };
        if (fn == 0x0213) {
            const int x = s16(1), y = s16(0);
            // The pen record: function, style, width, 0, colour.
            if ((s.pen.size() > 1 && s.pen[1] == PS_NULL) || (x == s.x && y == s.y))
                return;
            const double w = std::max(1, s.pen.size() > 2 ? static_cast<int>(s.pen[2]) : 1);
            const double dx = x - s.x, dy = y - s.y, major = std::max(std::fabs(dx), std::fabs(dy));
            const double sx = dx / major * w / 2, sy = dy / major * w / 2;
            items.push_back(Item{QString(), {s.x + w / 2 - sx, x + w / 2 - sx}, {s.y + w / 2 - sy, y + w / 2 - sy}, w});
            return;
        }
        if (fn != 0x0521 || s.font.size() < 26)
            return;
        // The font record: function, height, width, escapement, orientation, weight,
        // italic/underline, strike-out/charset, two words of precision and pitch, face.
        LOGFONTA lf;
        lf.lfHeight = static_cast<std::int16_t>(s.font[1]);
        lf.lfWeight = static_cast<std::int16_t>(s.font[5]);
        lf.lfItalic = static_cast<std::uint8_t>(s.font[6] & 0xFF);
        char face[LF_FACESIZE] = {};
        for (int i = 0; i < LF_FACESIZE - 1; ++i)
            face[i] = static_cast<char>((s.font[10 + i / 2] >> (8 * (i % 2))) & 0xFF);
        std::memcpy(lf.lfFaceName, face, LF_FACESIZE);
        const BuiltinFace* f = FindBuiltinFace(lf);
        if (!f) {
            items.push_back(Item{QStringLiteral("no built-in face ") + QString::fromLatin1(face), {}, {}, 0});
            return;
        }
        const bool symbol = IsSymbolFace(*f);
        const BuiltinFont m = RealiseBuiltin(*f, lf, -lf.lfHeight);
        const int n = s16(0);
        std::string text;
        for (int i = 0; i < n; ++i)
            text += static_cast<char>((p[1 + i / 2] >> (8 * (i % 2))) & 0xFF);
        const std::size_t yAt = 1 + (n + 1) / 2;
        int advance = 0;
        for (char c : text)
            advance += m.advance[static_cast<unsigned char>(c)];
        double left = s16(yAt + 1);
        double baseline = s16(yAt);
        if ((s.align & TA_HORZ_MASK) == TA_RIGHT)
            left -= advance;
        else if ((s.align & TA_HORZ_MASK) == TA_CENTER)
            left -= advance / 2;
        if ((s.align & TA_VERT_MASK) == TA_TOP)
            baseline += m.ascent;
        else if ((s.align & TA_VERT_MASK) == TA_BOTTOM)
            baseline -= m.descent;
        Item item{QString(), {}, {baseline}, static_cast<double>(m.emHeight)};
        double x = left;
        for (char c : text) {
            const auto b = static_cast<unsigned char>(c);
            const char32_t cp = symbol ? SymbolToCodePoint(b) : Cp1252ToCodePoint(b);
            item.text += QString::fromUcs4(&cp, 1);
            item.xs.push_back(x);
            x += m.advance[b];
        }
        items.push_back(item);
    });
    return items;
}

} // namespace

class TestSvgPicture : public QObject {
    Q_OBJECT
private slots:
    void corpus_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("text");
        const std::vector<golden::Case> cases = golden::ReadCases(golden::CorpusPath());
        QVERIFY(cases.size() > 100);
        int row = 0;
        for (const golden::Case& c : cases)
            QTest::addRow("%d %s %s %s", ++row, c.options.c_str(), c.font.c_str(), c.text.c_str())
                << QString::fromStdString(c.options) << QString::fromStdString(c.font) << QString::fromStdString(c.text);
    }
    // Every position and extent of the layout, through the metafile it records.
    void corpus()
    {
        QFETCH(QString, options);
        QFETCH(QString, font);
        QFETCH(QString, text);
        MolvexAppState app;
        golden::ApplyOptionSet(app.options, options.toStdString());
        app.options.font.SetFont(BuiltinFontOf(font.toStdString()));
        QVERIFY(HasBuiltinMetrics(app.options.font.Get()));
        CMolvexDoc doc(app);
        doc.SetEquationText(golden::Unescape(text.toStdString()));

        CQtDC qt(96, 96);
        CSvgDC builtin;
        const EquationBox a = doc.MeasureEquation(qt);
        const EquationBox b = doc.MeasureEquation(builtin);
        // The layout is the same; the room grown for ink may differ by a pixel, as the
        // Qt context finds ink in hinted pixels and the built-in one in outlines.
        const auto laidOut = [](const EquationBox& m) {
            const InkRoom& g = m.grown;
            std::vector<std::int64_t> v{m.size.cx - g.left - g.right, m.size.cy - g.top - g.bottom, m.lowering - g.bottom,
                                        m.firstLine.width, m.firstLine.height, m.firstLine.depth};
            for (int i = 0; i < kEquationLines; ++i)
                v.push_back(m.HasText(i) ? m.lineTops[static_cast<std::size_t>(i)] - g.top : 0);
            return v;
        };
        QCOMPARE(laidOut(b), laidOut(a));
        const bool sameRoom = a.grown.left == b.grown.left && a.grown.top == b.grown.top &&
                              a.grown.right == b.grown.right && a.grown.bottom == b.grown.bottom;
        const auto recordedQt = RecordEquationPicture(doc, qt);
        const auto recorded = RecordEquationPicture(doc, builtin);
        QCOMPARE(recorded.has_value(), recordedQt.has_value());
        if (!recorded)
            return;
        if (sameRoom) {
            QCOMPARE(QString::fromStdString(golden::Playback(recorded->metafile)),
                     QString::fromStdString(golden::Playback(recordedQt->metafile)));
            QVERIFY(recorded->metafile == recordedQt->metafile);
        }
        QVERIFY(builtin.AllFontsBuiltin());

        // The SVG holds what the recording holds.
        const SvgPicture picture =
            RenderSvgPicture(std::vector<std::string>(doc.Lines().texts.begin(), doc.Lines().texts.end()), app.options,
                             app.options.font.Get());
        QCOMPARE(picture.width, b.size.cx);
        QCOMPARE(picture.height, b.size.cy);
        QCOMPARE(picture.lowering, b.lowering);
        QString error;
        const std::vector<Item> drawn = SvgItems(picture.svg, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const std::vector<Item> expected = RecordedItems(recorded->metafile);
        QCOMPARE(Describe(drawn), Describe(expected));
        QVERIFY(drawn == expected);
    }

    void pictureIsAccessibleAndEscaped()
    {
        MolvexAppState app;
        const SvgPicture p = RenderSvgPicture({"H2 + \"<b> & </svg>\" => X"}, app.options, app.options.font.Get());
        QVERIFY2(p.svg.find("<svg role=\"img\"") != std::string::npos, p.svg.c_str());
        QVERIFY(p.svg.find("<title>H\xE2\x82\x82 + ") != std::string::npos);
        QVERIFY(p.svg.find("<desc>") != std::string::npos);
        QVERIFY(p.svg.find("</svg>\"") == std::string::npos && p.svg.find("<b>") == std::string::npos);
        QString error;
        SvgItems(p.svg, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // An empty equation is the size of a digit, a huge one is refused.
        const SvgPicture empty = RenderSvgPicture({}, app.options, app.options.font.Get());
        QVERIFY(empty.width > 0 && empty.height > 0 && !empty.svg.empty());
        KVEquationFont huge = app.options.font.Get();
        huge.lf.lfHeight = -2000;
        const SvgPicture tooLarge = RenderSvgPicture(std::vector<std::string>(20, std::string(200, 'W')), app.options, huge);
        QVERIFY(tooLarge.svg.empty());
        QCOMPARE(QString::fromStdString(tooLarge.error), QStringLiteral("the picture is too large"));
    }
};

QTEST_MAIN(TestSvgPicture)
#include "tst_svgpicture.moc"
