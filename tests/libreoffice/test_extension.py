# The extension in a real LibreOffice: converting, editing through the equation's
# own server, saving and exporting, drawings, and failures shown as messages.
# Run with the system python3 (python3-uno): test_extension.py BUILD_DIR
import base64
import contextlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from office_harness import Office, props  # noqa: E402

import uno  # noqa: E402
from com.sun.star.lang import DisposedException, IndexOutOfBoundsException  # noqa: E402
from com.sun.star.uno import RuntimeException  # noqa: E402

BUILD = None
OFFICE = None
IFACE = "com.tamrel.Molvex2.Equation"
PATH = "/com/tamrel/Molvex2/Equation"
EQUATION = "CaCO3(s) =900`C> CaO(s) + CO2(g)"


def setUpModule():
    global OFFICE
    OFFICE = Office(BUILD).start()


def tearDownModule():
    OFFICE.stop()


def render(*args):
    """The command-line renderer, which reads the same configuration as the server."""
    return subprocess.run([os.path.join(BUILD, "cli", "molvex2-render")] + list(args),
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=OFFICE.config),
                          capture_output=True, text=True, check=True).stdout


def speech(text):
    return render(text, "--format", "speech", "-o", "-").strip()


def measure(text):
    """Size and lowering in 1/100 mm."""
    m = dict(kv.split("=") for kv in render("--measure", text).split())

    def himetric(px):
        return (int(px) * 2540 + 48) // 96
    return himetric(m["width"]), himetric(m["height"]), himetric(m["lowering"])


class Bus:
    """The test's own connection to the private bus, as a second container would."""

    def __init__(self):
        self.conn = Gio.DBusConnection.new_for_address_sync(
            OFFICE.address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)

    def call(self, dest, method, args=None, reply=None):
        return self.conn.call_sync(dest, PATH, IFACE, method, args, GLib.VariantType.new(reply) if reply else None,
                                   Gio.DBusCallFlags.NO_AUTO_START, 10000, None)

    def equation_objects(self):
        names = self.conn.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                    "ListNames", None, None, Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
        found = []
        for n in names:
            if n.startswith(":") and n != self.conn.get_unique_name():
                try:
                    self.call(n, "GetEquationText", None, "(s)")
                    found.append(n)
                except GLib.Error:
                    pass
        return found

    def decode(self, b64):
        """The lines of native data, read back by a fresh server."""
        owner = self.conn.call_sync("com.tamrel.Molvex2", PATH, IFACE, "Load",
                                    GLib.Variant("(ay)", (base64.b64decode(b64),)), GLib.VariantType.new("(s)"),
                                    Gio.DBusCallFlags.NONE, 20000, None).unpack()[0]
        text = self.call(owner, "GetEquationText", None, "(s)").unpack()[0]
        self.call(owner, "Release")
        return text.rstrip("\n")

    def close(self):
        self.conn.close_sync(None)


def wait_for(predicate, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return predicate()


def settled_text(bus, doc):
    """The equation text of the document's one picture; None while an update is
    replacing it (the old picture is gone, the new one not yet in)."""
    try:
        graphics = doc.getGraphicObjects()
        return bus.decode(attribute(graphics.getByIndex(0))) if graphics.getCount() == 1 else None
    except (RuntimeException, IndexOutOfBoundsException):
        return None


def select_text(doc, start, length):
    cur = doc.getText().createTextCursor()
    cur.gotoStart(False)
    cur.goRight(start, False)
    cur.goRight(length, True)
    doc.getCurrentController().select(cur)


def graphic_shapes(page):
    shapes = (page.getByIndex(i) for i in range(page.getCount()))
    return [s for s in shapes if s.supportsService("com.sun.star.drawing.GraphicObjectShape")]


def attribute(obj):
    """The native data, base64: the picture's attribute, or in Writer its name
    (which is all a Word document keeps)."""
    attrs = obj.getPropertyValue("UserDefinedAttributes")
    if attrs.hasByName("MolvexEquation"):
        return attrs.getByName("MolvexEquation").Value
    parts = obj.getName().split(";") if hasattr(obj, "getName") else []
    return parts[3] if len(parts) == 4 and parts[0] == "Molvex2Equation" else None


def writer_with_equation(text, before="Heat: ", after=" in a kiln."):
    doc = OFFICE.new("swriter")
    doc.getText().setString(before + text + after)
    select_text(doc, len(before), len(text))
    return doc


@contextlib.contextmanager
def level_adjustment(level):
    """Options > Adjust Level in force for the equations made meanwhile."""
    settings = os.path.join(OFFICE.config, "Tamrel", "MLV2.ini")
    os.makedirs(os.path.dirname(settings), exist_ok=True)
    with open(settings, "w") as f:
        f.write("[Adjustment]\nLevel=%d\n" % level)
    try:
        yield
    finally:
        os.remove(settings)


class WriterTest(unittest.TestCase):
    def setUp(self):
        self.bus = Bus()
        self.docs = []
        wait_for(lambda: not self.bus.equation_objects())

    def tearDown(self):
        for d in self.docs:
            d.close(True)
        self.bus.close()

    def convert(self, text, level=0):
        """Converted with this level adjustment (Options > Adjust Level) in force."""
        with level_adjustment(level):
            doc = writer_with_equation(text)
            self.docs.append(doc)
            self.assertEqual(OFFICE.command(doc, "ConvertSelection"), "")
        return doc

    def insert(self, text, level=0):
        """Inserted through the equation's window, typed there and closed."""
        doc = OFFICE.new("swriter")
        self.docs.append(doc)
        with level_adjustment(level):
            self.assertEqual(OFFICE.command(doc, "InsertEquation"), "")
            owners = wait_for(self.bus.equation_objects)
            self.assertEqual(len(owners), 1)
            self.bus.call(owners[0], "SetEquationText", GLib.Variant("(s)", (text,)))
            self.assertTrue(wait_for(lambda: doc.getGraphicObjects().getCount() == 1 and
                                     doc.getGraphicObjects().getByIndex(0).Description == speech(text)))
            self.bus.call(owners[0], "Release")
            self.assertTrue(wait_for(lambda: not self.bus.equation_objects()))
        self.assertTrue(wait_for(lambda: settled_text(self.bus, doc) == text))
        return doc

    def check_placed(self, obj, text, level=0):
        width, height, lowering = measure(text)
        self.assertEqual(obj.AnchorType.value, "AS_CHARACTER")
        self.assertEqual(obj.VertOrient, 0)
        self.assertEqual((obj.TopMargin, obj.BottomMargin), (0, 0))
        self.assertAlmostEqual(obj.Size.Width, width, delta=1)
        self.assertAlmostEqual(obj.Size.Height, height, delta=1)
        # A positive level ("your equations are high") lowers the picture.
        self.assertAlmostEqual(obj.VertOrientPosition, -(height - lowering) + int(level * height / 1000), delta=1)
        self.assertEqual(obj.Graphic.MimeType, "image/svg+xml")
        self.assertEqual(obj.Title, "Molvex 2 Equation")
        # Screen readers get the equation as words, not as its typed form.
        self.assertEqual(obj.Description, speech(text))
        self.assertEqual(self.bus.decode(attribute(obj)), text)

    def test_convert_places_the_equation_on_the_base_line(self):
        for text, level in (("2H2 + O2 => 2H2O", 0), (EQUATION, 0), ("Fe3+ + 3OH- -> Fe(OH)3\nFe(OH)3 -> FeO(OH) + H2O", 0),
                            (EQUATION, 250), (EQUATION, -400)):
            with self.subTest(text=text, level=level):
                doc = self.convert(text, level)
                graphics = doc.getGraphicObjects()
                self.assertEqual(graphics.getCount(), 1)
                self.check_placed(graphics.getByIndex(0), text, level)
                if text.startswith("2H2"):
                    self.assertTrue(graphics.getByIndex(0).Description.startswith("2 H 2 plus O 2 yields"))
                self.assertEqual(doc.getText().getString(), "Heat:  in a kiln.")

    def test_edit_replaces_in_place_and_survives_saving(self):
        doc = self.convert("2H2 + O2 => 2H2O")
        obj = doc.getGraphicObjects().getByIndex(0)
        doc.getCurrentController().select(obj)
        self.assertEqual(OFFICE.command(doc, "EditEquation"), "")
        owners = wait_for(self.bus.equation_objects)
        self.assertEqual(len(owners), 1)
        self.bus.call(owners[0], "SetEquationText", GLib.Variant("(s)", (EQUATION,)))
        self.assertTrue(wait_for(lambda: obj.Description == speech(EQUATION)), "the picture did not follow the typing")
        self.bus.call(owners[0], "Release")
        self.assertTrue(wait_for(lambda: not self.bus.equation_objects()))
        time.sleep(0.5)
        self.assertEqual(doc.getGraphicObjects().getCount(), 1)
        self.check_placed(doc.getGraphicObjects().getByIndex(0), EQUATION)
        self.assertEqual(doc.getText().getString(), "Heat:  in a kiln.")
        # The whole session is one undo step back to the converted equation.
        doc.getUndoManager().undo()
        undone = doc.getGraphicObjects().getByIndex(0)
        self.assertEqual(self.bus.decode(attribute(undone)), "2H2 + O2 => 2H2O")
        self.assertEqual(undone.Description, speech("2H2 + O2 => 2H2O"))
        self.assertAlmostEqual(undone.Size.Width, measure("2H2 + O2 => 2H2O")[0], delta=1)
        doc.getUndoManager().redo()

        tmp = tempfile.mkdtemp(prefix="molvex2-lo-save-")
        for name, filt in (("eq.odt", "writer8"), ("eq.docx", "MS Word 2007 XML"), ("eq.pdf", "writer_pdf_Export")):
            url = uno.systemPathToFileUrl(os.path.join(tmp, name))
            doc.storeToURL(url, props(FilterName=filt))
            self.assertGreater(os.path.getsize(os.path.join(tmp, name)), 0)
        again = OFFICE.load(uno.systemPathToFileUrl(os.path.join(tmp, "eq.odt")))
        self.docs.append(again)
        reloaded = again.getGraphicObjects().getByIndex(0)
        self.assertEqual(self.bus.decode(attribute(reloaded)), EQUATION)
        self.assertEqual(reloaded.VertOrientPosition, doc.getGraphicObjects().getByIndex(0).VertOrientPosition)
        pdf = subprocess.run(["pdftotext", os.path.join(tmp, "eq.pdf"), "-"], capture_output=True,
                             text=True, check=True).stdout
        glyphs = re.sub(r"\s", "", pdf)
        for part in ("Heat:", "CaCO", "CaO", "CO", "900"):
            self.assertIn(part, glyphs)

    def test_word_round_trip_keeps_position_data_and_sharpness(self):
        tmp = tempfile.mkdtemp(prefix="molvex2-lo-docx-")
        for k, (make, text, level) in enumerate(((self.convert, "2H2 + O2 => 2H2O", 0), (self.convert, EQUATION, 250),
                                                 (self.insert, EQUATION, -400))):
            with self.subTest(make=make.__name__, text=text, level=level):
                doc = make(text, level)
                obj = doc.getGraphicObjects().getByIndex(0)
                position, size = obj.VertOrientPosition, obj.Size
                if k == 1:
                    obj.setName("Image 7")  # as a copy is named: saving names it again
                path = os.path.join(tmp, "eq%d.docx" % k)
                doc.storeAsURL(uno.systemPathToFileUrl(path), props(FilterName="MS Word 2007 XML"))

                # In the file: the run lowered for Word, a PNG of 300 dpi and the SVG beside it.
                with zipfile.ZipFile(path) as z:
                    xml = z.read("word/document.xml").decode()
                    lowered = int(re.search(r'<w:position w:val="(-?\d+)"/>', xml).group(1))
                    self.assertAlmostEqual(lowered, -(position + size.Height) * 144 / 2540, delta=1)
                    self.assertIn("asvg:svgBlip", xml)
                    png = z.read("word/media/molvex2-1.png")
                    width_px = struct.unpack(">I", png[16:20])[0]
                    self.assertGreaterEqual(width_px, size.Width / 2540 * 300 * 0.98)
                    self.assertTrue(z.read("word/media/molvex2-1.svg").lstrip().startswith(b"<"))

                again = OFFICE.load(uno.systemPathToFileUrl(path))
                self.docs.append(again)
                self.assertEqual(again.getGraphicObjects().getCount(), 1)
                back = again.getGraphicObjects().getByIndex(0)
                self.assertEqual(back.VertOrient, 0)
                # LibreOffice 7.4 reads the PNG of the two pictures: 300 dpi.
                self.assertGreaterEqual(back.Graphic.SizePixel.Width, size.Width / 2540 * 300 * 0.98)
                self.assertAlmostEqual(back.VertOrientPosition, position, delta=26)  # 1 px at 96 dpi
                self.assertEqual(back.Title, "Molvex 2 Equation")
                self.assertEqual(back.Description, speech(text))
                self.assertEqual(self.bus.decode(attribute(back)), text)
                self.assertFalse(again.isModified())

                # Edit after reopening replaces it in place; one undo brings it back.
                again.getCurrentController().select(back)
                self.assertEqual(OFFICE.command(again, "EditEquation"), "")
                owners = wait_for(self.bus.equation_objects)
                self.assertEqual(len(owners), 1)
                self.bus.call(owners[0], "SetEquationText", GLib.Variant("(s)", ("H2O",)))
                self.assertTrue(wait_for(lambda: again.getGraphicObjects().getByIndex(0).Description == speech("H2O")))
                self.bus.call(owners[0], "Release")
                self.assertTrue(wait_for(lambda: not self.bus.equation_objects()))
                self.assertTrue(wait_for(lambda: settled_text(self.bus, again) == "H2O"))
                self.assertEqual(again.getGraphicObjects().getCount(), 1)
                again.getUndoManager().undo()
                self.assertEqual(self.bus.decode(attribute(again.getGraphicObjects().getByIndex(0))), text)

    def test_office_formula_is_word_math_in_a_docx(self):
        text = "2H2O + SO42- + Ba2+ => BaSO4(s)"
        doc = writer_with_equation(text)
        self.docs.append(doc)
        self.assertEqual(OFFICE.command(doc, "ConvertSelectionToFormula"), "")
        self.assertEqual(doc.getGraphicObjects().getCount(), 0)
        self.assertEqual(doc.getEmbeddedObjects().getCount(), 1)
        formula = doc.getEmbeddedObjects().getByIndex(0)
        self.assertEqual(formula.getEmbeddedObject().Formula, render(text, "--format", "starmath", "-o", "-").strip())
        self.assertEqual(formula.Description, speech(text))
        self.assertEqual(doc.getText().getString(), "Heat:  in a kiln.")

        path = os.path.join(tempfile.mkdtemp(prefix="molvex2-lo-omml-"), "formula.docx")
        doc.storeAsURL(uno.systemPathToFileUrl(path), props(FilterName="MS Word 2007 XML"))
        with zipfile.ZipFile(path) as z:
            xml = z.read("word/document.xml").decode()
        math = re.sub(r"<(w:rPr|m:rPr|m:ctrlPr)>.*?</\1>|<m:t[^>]*>", "", re.search(r"<m:oMath\b.*</m:oMath>", xml).group(0))
        math = math.replace("</m:t>", "")
        for part in ("<m:sSub><m:e><m:r>H</m:r></m:e><m:sub><m:r>2</m:r></m:sub></m:sSub>",
                     "<m:sSubSup><m:e><m:r>SO</m:r></m:e><m:sub><m:r>4</m:r></m:sub><m:sup><m:r>2\u2212</m:r></m:sup></m:sSubSup>",
                     "<m:sSup><m:e><m:r>Ba</m:r></m:e><m:sup><m:r>2+</m:r></m:sup></m:sSup>", "<m:r>\u2192</m:r>"):
            self.assertIn(part, math)

        again = OFFICE.load(uno.systemPathToFileUrl(path))
        self.docs.append(again)
        self.assertEqual(again.getEmbeddedObjects().getCount(), 1)
        model = again.getEmbeddedObjects().getByIndex(0).getEmbeddedObject()
        self.assertTrue(model.supportsService("com.sun.star.formula.FormulaProperties"))
        self.assertIn("BaSO", model.Formula)

    def test_insert_office_formula_follows_the_window(self):
        doc = OFFICE.new("swriter")
        self.docs.append(doc)
        self.assertEqual(OFFICE.command(doc, "InsertOfficeFormula"), "")
        owners = wait_for(self.bus.equation_objects)
        self.assertEqual(len(owners), 1)
        self.bus.call(owners[0], "SetEquationText", GLib.Variant("(s)", ("2H2 + O2 => 2H2O",)))
        objects = doc.getEmbeddedObjects()
        self.assertTrue(wait_for(lambda: objects.getCount() == 1 and "toward" in
                                 objects.getByIndex(0).getEmbeddedObject().Formula))
        self.bus.call(owners[0], "Release")
        self.assertTrue(wait_for(lambda: not self.bus.equation_objects()))
        time.sleep(0.5)
        self.assertEqual(objects.getCount(), 1)
        self.assertEqual(objects.getByIndex(0).getEmbeddedObject().Formula, '{2 "H"_2 + "O"_2} toward {2 "H"_2 "O"}')
        self.assertEqual(doc.getGraphicObjects().getCount(), 0)

    def test_an_ordinary_picture_says_it_holds_no_equation(self):
        doc = OFFICE.new("swriter")
        self.docs.append(doc)
        pic = doc.createInstance("com.sun.star.text.TextGraphicObject")
        provider = OFFICE.smgr.createInstanceWithContext("com.sun.star.graphic.GraphicProvider", OFFICE.ctx)
        icon = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "libreoffice", "icons", "molvex2_26.png")
        pic.Graphic = provider.queryGraphic(props(URL=uno.systemPathToFileUrl(os.path.abspath(icon))))
        doc.getText().insertTextContent(doc.getText().getEnd(), pic, False)
        doc.getCurrentController().select(pic)
        self.assertEqual(OFFICE.command(doc, "EditEquation"), "This picture holds no Molvex 2 equation data.")

    def test_damaged_data_gives_a_message_and_keeps_the_picture(self):
        for label, value in (("not base64", "%%%"), ("not an equation", base64.b64encode(b"plain bytes").decode())):
            with self.subTest(label):
                doc = self.convert("2H2 + O2 => 2H2O")
                obj = doc.getGraphicObjects().getByIndex(0)
                attrs = obj.UserDefinedAttributes
                data = attrs.getByName("MolvexEquation")
                data.Value = value
                attrs.replaceByName("MolvexEquation", data)
                obj.UserDefinedAttributes = attrs
                doc.getCurrentController().select(obj)
                self.assertIn("damaged", OFFICE.command(doc, "EditEquation"))
                self.assertEqual(attribute(doc.getGraphicObjects().getByIndex(0)), value)
                self.assertTrue(wait_for(lambda: not self.bus.equation_objects()))

    def test_commands_without_a_selection_explain_what_is_missing(self):
        for command, words in (("ConvertSelection", "Select the equation"), ("EditEquation", "Select a Molvex 2")):
            with self.subTest(command):
                doc = OFFICE.new("swriter")
                self.docs.append(doc)
                self.assertIn(words, OFFICE.command(doc, command))
                self.assertEqual(doc.getGraphicObjects().getCount(), 0)


class ToolbarTest(unittest.TestCase):
    def config(self, path):
        provider = OFFICE.smgr.createInstanceWithContext("com.sun.star.configuration.ConfigurationProvider", OFFICE.ctx)
        return provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", props(nodepath=path))

    def test_the_toolbar_has_the_commands_and_is_shown_from_the_start(self):
        bar = self.config("/org.openoffice.Office.Addons/AddonUI/OfficeToolBar/com.tamrel.molvex2.toolbar")
        urls = [bar.getByName(n).URL for n in sorted(bar.getElementNames())]
        self.assertEqual(urls, ["vnd.tamrel.molvex2:" + c for c in ("InsertEquation", "EditEquation", "ConvertSelection")])
        for app in ("Writer", "Impress", "Draw", "Calc"):
            with self.subTest(app):
                states = self.config("/org.openoffice.Office.UI.%sWindowState/UIElements/States" % app)
                state = states.getByName("private:resource/toolbar/addon_com.tamrel.molvex2.toolbar")
                self.assertTrue(state.Visible)
                self.assertTrue(state.Docked)


class DrawingTest(unittest.TestCase):
    def test_insert_places_a_shape_through_the_window(self):
        bus = Bus()
        try:
            for kind in ("simpress", "sdraw", "scalc"):
                with self.subTest(kind):
                    doc = OFFICE.new(kind)
                    try:
                        self.assertEqual(OFFICE.command(doc, "InsertEquation"), "")
                        owners = wait_for(bus.equation_objects)
                        self.assertEqual(len(owners), 1)
                        bus.call(owners[0], "SetEquationText", GLib.Variant("(s)", ("2H2 + O2 => 2H2O",)))
                        ctrl = doc.getCurrentController()
                        page = ctrl.getActiveSheet().getDrawPage() if kind == "scalc" else ctrl.getCurrentPage()
                        self.assertTrue(wait_for(lambda: len(graphic_shapes(page)) == 1))
                        bus.call(owners[0], "Release")
                        self.assertTrue(wait_for(lambda: not bus.equation_objects()))
                        time.sleep(0.5)
                        shapes = graphic_shapes(page)
                        self.assertEqual(len(shapes), 1)
                        shape = shapes[0]
                        self.assertEqual(shape.Graphic.MimeType, "image/svg+xml")
                        self.assertEqual(bus.decode(attribute(shape)), "2H2 + O2 => 2H2O")
                        width, height, _ = measure("2H2 + O2 => 2H2O")
                        self.assertAlmostEqual(shape.Size.Width, width, delta=1)
                        if kind != "scalc":
                            # In the middle of what is shown: the page, for a fresh view.
                            self.assertAlmostEqual(shape.Position.X + width / 2, page.Width / 2, delta=600)
                        else:
                            self.assertIsNotNone(shape.Anchor)
                    finally:
                        doc.close(True)
        finally:
            bus.close()


class DrawingFormulaTest(unittest.TestCase):
    def test_office_formula_is_a_formula_shape_of_its_own_size(self):
        bus = Bus()
        try:
            for kind in ("simpress", "sdraw"):
                with self.subTest(kind):
                    doc = OFFICE.new(kind)
                    try:
                        self.assertEqual(OFFICE.command(doc, "InsertOfficeFormula"), "")
                        owners = wait_for(bus.equation_objects)
                        bus.call(owners[0], "SetEquationText", GLib.Variant("(s)", ("2H2 + O2 => 2H2O",)))
                        page = doc.getCurrentController().getCurrentPage()
                        formulas = lambda: [page.getByIndex(i) for i in range(page.getCount())  # noqa: E731
                                            if page.getByIndex(i).ShapeType == "com.sun.star.drawing.OLE2Shape"]
                        self.assertTrue(wait_for(lambda: len(formulas()) == 1))
                        bus.call(owners[0], "Release")
                        self.assertTrue(wait_for(lambda: not bus.equation_objects()))
                        # The shape's size and the formula's own: the office may have unloaded
                        # the object meanwhile.
                        def sizes():
                            shapes = formulas()
                            if len(shapes) != 1:
                                return None
                            try:
                                embedded = shapes[0].EmbeddedObject
                                if embedded is None:
                                    return None
                                if embedded.getCurrentState() == 0:  # EmbedStates.LOADED
                                    embedded.changeState(1)  # RUNNING
                                visual = embedded.getComponent().getVisualAreaSize(1)  # Aspects.MSOLE_CONTENT
                            except DisposedException:
                                return None
                            return ((shapes[0].Size.Width, shapes[0].Size.Height), (visual.Width, visual.Height),
                                    shapes[0].Position.X + shapes[0].Size.Width // 2)
                        # The window's last picture is committed as one undo step; the shape it
                        # replaces is gone by then.
                        self.assertTrue(wait_for(doc.getUndoManager().isUndoPossible))
                        measured = wait_for(sizes)
                        self.assertIsNotNone(measured)
                        self.assertEqual(measured[0], measured[1])
                        self.assertAlmostEqual(measured[2], page.Width / 2, delta=600)
                    finally:
                        doc.close(True)
        finally:
            bus.close()


class LayersTest(unittest.TestCase):
    def test_a_user_copy_installs_over_the_bundled_one(self):
        """As with the Debian package installed: its bundled copy, unpacked as the
        package does, and the built extension added to the user's profile."""
        tmp = tempfile.mkdtemp(prefix="molvex2-lo-bundled-")
        source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        subprocess.run(["cmake", "-DOXT=" + os.path.join(BUILD, "libreoffice", "molvex2.oxt"),
                        "-DDEST=" + os.path.join(tmp, "molvex2"), "-P",
                        os.path.join(source, "cmake", "BundleExtension.cmake")], check=True)
        with Office(BUILD, with_service=False, bundled=tmp) as office:  # raises when adding fails
            manager = office.ctx.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
            active = {}
            for layers in manager.getAllExtensions(None, None):
                for ext in layers:
                    if ext is not None and ext.getIdentifier().Value == "com.tamrel.molvex2.libreoffice":
                        reg = ext.isRegistered(None, None)
                        active[ext.getRepositoryName()] = reg.IsPresent and reg.Value.Value
            self.assertEqual(active, {"user": True, "bundled": False})
            office.restart()
            doc = office.new("swriter")
            self.assertIn("Select the equation", office.command(doc, "ConvertSelection"))
            doc.close(True)


class UnavailableTest(unittest.TestCase):
    def test_no_service_gives_a_message_and_loses_nothing(self):
        with Office(BUILD, with_service=False) as office:
            doc = office.new("swriter")
            doc.getText().setString("2H2 + O2 => 2H2O")
            select_text(doc, 0, 16)
            for command in ("ConvertSelection", "InsertEquation"):
                with self.subTest(command):
                    self.assertIn("cannot be started", office.command(doc, command))
                    self.assertEqual(doc.getText().getString(), "2H2 + O2 => 2H2O")
                    self.assertEqual(doc.getGraphicObjects().getCount(), 0)
            doc.close(True)


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
