# The extension's pure helpers, without an office: run with the system python3
# (python3-uno, python3-gi) and the extension's pythonpath on sys.path.
import io
import os
import sys
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "libreoffice", "pythonpath"))
from gi.repository import Gio  # noqa: E402

from molvex2lo import bus, office, wordfile  # noqa: E402


class ReasonTest(unittest.TestCase):
    def test_remote_errors_read_as_sentences(self):
        for name, message, expected in (
            ("com.tamrel.Molvex2.Error.TooLarge", "The picture is too large.",
             "Molvex 2 reported an error: The picture is too large."),
            ("com.tamrel.Molvex2.Error.Render", "", "Molvex 2 reported an error: com.tamrel.Molvex2.Error.Render"),
            ("com.tamrel.Molvex2.Error.Format", "Unexpected file format.", "damaged"),
            ("org.freedesktop.DBus.Error.ServiceUnknown", "no such name", "cannot be started"),
            ("org.freedesktop.DBus.Error.NoReply", "timeout", "stopped answering"),
        ):
            with self.subTest(name):
                reason = bus._reason(Gio.DBusError.new_for_dbus_error(name, message))
                self.assertIn(expected, reason)
                self.assertNotIn("True", reason)
                self.assertNotIn("GDBus.Error", reason)

    def test_strip_remote_keeps_colons_in_the_sentence(self):
        self.assertEqual(bus.strip_remote("GDBus.Error:a.b.C: Line 2: too long"), "Line 2: too long")
        self.assertEqual(bus.strip_remote("plain: text"), "plain: text")


class PictureTest(unittest.TestCase):
    def test_vert_position(self):
        # height, lowering, level -> top edge against the base line (1/100 mm)
        for height, lowering, level, expected in ((1000, 200, 0, -800), (1000, 0, 0, -1000), (1001, 200, 250, -551),
                                                  (999, 300, -400, -1098), (0, 0, 500, 0)):
            with self.subTest(height=height, level=level):
                self.assertEqual(office.vert_position(height, lowering, level), expected)

    def test_spoken_reads_the_description_or_falls_back_to_the_text(self):
        for svg, expected in ((b"<svg><desc>2 H 2 &amp; O</desc></svg>", "2 H 2 & O"),
                              (b"<svg><desc>\n  </desc></svg>", "2H2"), (b"<svg/>", "2H2"),
                              (b"<svg><desc>caf\xc3\xa9 \xff</desc></svg>", "caf\u00e9 \ufffd")):
            with self.subTest(svg=svg):
                self.assertEqual(office.spoken(svg, "2H2"), expected)

    def test_frame_name_carries_position_and_data(self):
        data = bytes(range(256))
        name = office.frame_name(data, -801, "ab12")
        self.assertEqual(office.parse_frame_name(name), (-801, data))
        self.assertNotEqual(office.frame_name(data, 0), office.frame_name(data, 0))  # unique tokens
        for other, expected in (("Image1", None), ("Molvex2Equation;t;x;AAAA", (0, b"")),
                                ("Molvex2Equation;t;-5;%%%", (-5, b"")), ("Molvex2Equation;t;5", None)):
            with self.subTest(other):
                self.assertEqual(office.parse_frame_name(other), expected)


def docx(body):
    parts = {"[Content_Types].xml": '<Types><Default Extension="png" ContentType="image/png"/></Types>',
             "word/_rels/document.xml.rels": "<Relationships></Relationships>",
             "word/document.xml": "<w:document><w:body>%s</w:body></w:document>" % body}
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        for name, text in parts.items():
            z.writestr(name, text)
    return buf.getvalue()


def picture_run(rpr, name):
    return ('<w:r>%s<w:drawing><wp:inline><wp:docPr id="1" name="%s" descr="x"/><a:graphic><pic:pic>'
            '<a:blip r:embed="rId2"></a:blip></pic:pic></a:graphic></wp:inline></w:drawing></w:r>' % (rpr, name))


class WordFileTest(unittest.TestCase):
    def test_position_in_half_points_lowers_what_lies_below_the_line(self):
        # top edge -801 of a picture 1058 high: 257/100 mm below the line = 7.3 pt
        self.assertEqual(wordfile.position_of(-801, 1058), -15)
        self.assertEqual(wordfile.position_of(-1058, 1058), 0)

    def test_equations_get_position_and_pictures_others_stay(self):
        eq = office.frame_name(b"data", -801, "t1")
        body = (picture_run("<w:rPr><w:rFonts w:ascii=\"A\"/><w:position w:val=\"3\"/><w:sz w:val=\"24\"/></w:rPr>", eq)
                + '<w:r><w:t>text</w:t></w:r>' + picture_run("<w:rPr/>", "Image2"))
        out = wordfile.add_equation_parts(docx(body), {eq: wordfile.Extra(b"PNG", b"<svg/>", -15)})
        z = zipfile.ZipFile(io.BytesIO(out))
        xml = z.read("word/document.xml").decode()
        self.assertIn('<w:rPr><w:rFonts w:ascii="A"/><w:position w:val="-15"/><w:sz w:val="24"/></w:rPr>', xml)
        self.assertEqual(xml.count("<w:position"), 1)
        self.assertIn('<a:blip r:embed="rIdMolvex2Png1"><a:extLst>', xml)
        self.assertIn('r:embed="rIdMolvex2Svg1"/>', xml)
        self.assertIn(picture_run("<w:rPr/>", "Image2"), xml)  # an ordinary picture is left alone
        rels = z.read("word/_rels/document.xml.rels").decode()
        self.assertIn('Id="rIdMolvex2Png1"', rels)
        self.assertIn('Target="media/molvex2-1.svg"', rels)
        self.assertIn('<Default Extension="svg" ContentType="image/svg+xml"/>', z.read("[Content_Types].xml").decode())
        self.assertEqual((z.read("word/media/molvex2-1.png"), z.read("word/media/molvex2-1.svg")), (b"PNG", b"<svg/>"))

    def test_files_without_equations_or_not_zip_are_returned_as_they_were(self):
        extras = {"Molvex2Equation;x;0;AA==": wordfile.Extra(b"", b"", 0)}
        for original in (docx(picture_run("", "Image1")), b"\xd0\xcf\x11\xe0 encrypted"):
            self.assertEqual(wordfile.add_equation_parts(original, extras), original)


if __name__ == "__main__":
    unittest.main(verbosity=2)
