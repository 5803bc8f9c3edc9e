# Equations as pictures in LibreOffice documents: placing, reading back and
# replacing them. Runs on LibreOffice's own thread only.
import base64
import binascii
import html
import os
import re
import secrets
from collections import namedtuple
from typing import Any, Optional, Tuple

import uno
from com.sun.star.awt import Point, Size
from com.sun.star.beans import UnknownPropertyException
from com.sun.star.embed.Aspects import MSOLE_CONTENT
from com.sun.star.embed.EmbedStates import LOADED as EMBED_LOADED, RUNNING as EMBED_RUNNING
from com.sun.star.text.TextContentAnchorType import AS_CHARACTER
from com.sun.star.text.VertOrientation import NONE as VERT_NONE
from com.sun.star.uno import RuntimeException

from molvex2lo.bus import Equation, EquationError
from molvex2lo.log import log
from molvex2lo.wordfile import DPI, Extra, add_equation_parts, position_of

ATTRIBUTE = "MolvexEquation"
# Word documents keep neither a picture's user attributes nor its title, but both
# LibreOffice and Word keep its name (wp:docPr/@name), so in Writer the name
# carries the data too: NAME_PREFIX;token;vertical position;base64 data. The token
# keeps names unique, as Writer requires.
NAME_PREFIX = "Molvex2Equation"
NO_DATA = "This picture holds no Molvex 2 equation data."
DAMAGED = "The equation's stored data is damaged, so it cannot be edited. The picture is left as it is."
TITLE = "Molvex 2 Equation"
UNDO_TITLE = "Molvex 2 Equation"

# svg bytes; width, height, lowering in 1/100 mm; level adjustment; native data;
# the equation's text; what a screen reader says for it; for an office formula its
# LibreOffice Math text (None for a picture).
Picture = namedtuple("Picture", "svg width height lowering level data text description starmath",
                     defaults=(None,))
# LibreOffice Math's formula object.
MATH_CLSID = "078B7ABA-54FC-457F-8551-6147e776a997"

_SVG_DESC = re.compile(rb"<desc>(.*?)</desc>", re.DOTALL)


def spoken(svg: bytes, text: str) -> str:
    """The alt text: the spoken form the server puts in the SVG's <desc>, read
    as words ("2 H 2 plus O 2 yields ..."); the lines themselves when the server
    sends none. Unescaped either way, as servers differ in escaping it."""
    m = _SVG_DESC.search(svg)
    desc = html.unescape(m.group(1).decode("utf-8", "replace")).strip() if m else ""
    return desc or text


def vert_position(height: int, lowering: int, level: int) -> int:
    """Top edge against the base line, downwards positive: the part above the
    equation's base line rises over the text's, and a positive level lowers it by
    level/1000 of its height (truncated, as the program computes its hints)."""
    return -(height - lowering) + int(level * height / 1000)


def frame_name(data: bytes, position: int, token: Optional[str] = None) -> str:
    return "%s;%s;%d;%s" % (NAME_PREFIX, token or secrets.token_hex(4), position,
                            base64.b64encode(data).decode("ascii"))


def _name_parts(name: str) -> Optional[Tuple[str, str]]:
    """The position and base64 text of a name made by frame_name, unchecked."""
    parts = name.split(";")
    if len(parts) != 4 or parts[0] != NAME_PREFIX:
        return None
    return parts[2], parts[3]


def parse_frame_name(name: str) -> Optional[Tuple[int, bytes]]:
    """The vertical position and native data a Writer picture's name carries; None
    for any other name; empty data when it is damaged."""
    parts = _name_parts(name)
    if parts is None:
        return None
    try:
        position = int(parts[0])
    except ValueError:
        return 0, b""
    return position, decode_data(parts[1])


def decode_data(text: str) -> bytes:
    try:
        return base64.b64decode(text, validate=True)
    except (binascii.Error, ValueError):
        return b""


def kind_of(model: Any) -> Optional[str]:
    for service, kind in (("com.sun.star.text.TextDocument", "writer"),
                          ("com.sun.star.presentation.PresentationDocument", "impress"),
                          ("com.sun.star.drawing.DrawingDocument", "draw"),
                          ("com.sun.star.sheet.SpreadsheetDocument", "calc")):
        if model is not None and model.supportsService(service):
            return kind
    return None


def make_graphic(ctx: Any, svg: bytes) -> Any:
    smgr = ctx.ServiceManager
    stream = smgr.createInstanceWithArgumentsAndContext(
        "com.sun.star.io.SequenceInputStream", (uno.ByteSequence(svg),), ctx)
    provider = smgr.createInstanceWithContext("com.sun.star.graphic.GraphicProvider", ctx)
    pv = uno.createUnoStruct("com.sun.star.beans.PropertyValue")
    pv.Name, pv.Value = "InputStream", stream
    graphic = provider.queryGraphic((pv,))
    if graphic is None:
        raise EquationError("LibreOffice could not read the equation's picture.")
    return graphic


def _attributes(obj: Any) -> Any:
    try:
        return obj.getPropertyValue("UserDefinedAttributes")
    except UnknownPropertyException:
        return None


def _name_of(obj: Any) -> str:
    return obj.getName() if hasattr(obj, "getName") else ""


def is_equation(obj: Any) -> bool:
    attrs = _attributes(obj)
    return (attrs is not None and attrs.hasByName(ATTRIBUTE)) or _name_parts(_name_of(obj)) is not None


def stored_data(obj: Any) -> bytes:
    """The native data kept with a picture. A picture without it, and damaged
    data, raise with the sentence for the user; the picture stays as it is."""
    attrs = _attributes(obj)
    if attrs is not None and attrs.hasByName(ATTRIBUTE):
        data = decode_data(attrs.getByName(ATTRIBUTE).Value)
    else:
        # A picture from a Word document that was opened without the extension's help.
        parsed = parse_frame_name(_name_of(obj))
        if parsed is None:
            raise EquationError(NO_DATA)
        data = parsed[1]
    if not data:
        raise EquationError(DAMAGED)
    return data


def is_formula(obj: Any) -> bool:
    return obj.supportsService("com.sun.star.text.TextEmbeddedObject") or \
        obj.supportsService("com.sun.star.drawing.OLE2Shape")


def _formula_model(obj: Any) -> Any:
    if hasattr(obj, "getEmbeddedObject"):  # Writer's embedded object hands its model out
        return obj.getEmbeddedObject()
    # A drawing's OLE shape gives None for its Model while the office keeps the object
    # unloaded: bring it to the running state to reach the formula.
    embedded = obj.getPropertyValue("EmbeddedObject")
    if embedded is None:
        raise RuntimeError("the formula object is not available")
    if embedded.getCurrentState() == EMBED_LOADED:
        embedded.changeState(EMBED_RUNNING)
    return embedded.getComponent()


def _state(obj: Any, writer: bool) -> dict:
    """What an update changes, to put back when an edit's steps are folded into one."""
    if is_formula(obj):
        return {"formula": _formula_model(obj).getPropertyValue("Formula"), "Description": obj.Description}
    names = ["Graphic", "UserDefinedAttributes", "Description", "Title"]
    if writer:
        names.append("VertOrientPosition")
    state = {n: obj.getPropertyValue(n) for n in names}
    state["size"] = obj.getSize()
    if writer:
        state["name"] = obj.getName()
    return state


def _restore(obj: Any, state: dict) -> None:
    if "formula" in state:
        _formula_model(obj).setPropertyValue("Formula", state["formula"])
        obj.setPropertyValue("Description", state["Description"])
        return
    for name in ("Graphic", "UserDefinedAttributes", "Description", "Title", "VertOrientPosition"):
        if name in state:
            obj.setPropertyValue(name, state[name])
    obj.setSize(state["size"])
    if "name" in state and obj.getName() != state["name"]:
        obj.setName(state["name"])


def set_unique_name(obj: Any, data: bytes, position: int) -> None:
    """Once the picture is in the text: Writer checks names against the others then."""
    for _ in range(8):
        try:
            obj.setName(frame_name(data, position))
            return
        except RuntimeException:  # a name in use: another token
            continue


def apply_picture(ctx: Any, obj: Any, pic: Picture, writer: bool) -> None:
    obj.setPropertyValue("Graphic", make_graphic(ctx, pic.svg))
    obj.setSize(Size(pic.width, pic.height))
    if writer:
        obj.setPropertyValue("VertOrientPosition", vert_position(pic.height, pic.lowering, pic.level))
    attrs = obj.getPropertyValue("UserDefinedAttributes")
    value = uno.createUnoStruct("com.sun.star.xml.AttributeData")
    value.Namespace, value.Type, value.Value = "", "CDATA", base64.b64encode(pic.data).decode("ascii")
    if attrs.hasByName(ATTRIBUTE):
        attrs.replaceByName(ATTRIBUTE, value)
    else:
        attrs.insertByName(ATTRIBUTE, value)
    obj.setPropertyValue("UserDefinedAttributes", attrs)
    obj.setPropertyValue("Title", TITLE)
    obj.setPropertyValue("Description", pic.description)


class Place:
    """Where a new equation goes: a text position in Writer, a page and point
    elsewhere (with the cell it belongs to in Calc)."""

    def __init__(self, doc: "Document"):
        self.doc = doc
        self.range = None
        self.page = None
        self.center = None
        self.cell = None
        ctrl = doc.model.getCurrentController()
        if doc.writer:
            vc = ctrl.getViewCursor()
            self.range = vc.getText().createTextCursorByRange(vc.getStart())
        elif doc.kind == "calc":
            sheet = ctrl.getActiveSheet()
            self.page = sheet.getDrawPage()
            sel = ctrl.getSelection()
            if sel is not None and hasattr(sel, "getCellByPosition"):
                self.cell = sel.getCellByPosition(0, 0)
            else:
                self.cell = sheet.getCellByPosition(0, 0)
        else:
            self.page = ctrl.getCurrentPage()
            area = ctrl.getPropertyValue("VisibleArea")
            if area.Width > 0 and area.Height > 0:
                self.center = (area.X + area.Width // 2, area.Y + area.Height // 2)
            else:
                self.center = (self.page.Width // 2, self.page.Height // 2)


class Document:
    """One LibreOffice document seen as a container of equations."""

    def __init__(self, ctx: Any, model: Any):
        self.ctx = ctx
        self.model = model
        self.kind = kind_of(model)
        self.writer = self.kind == "writer"

    def undo(self) -> Any:
        return self.model.getUndoManager()

    def selected_picture(self) -> Optional[Any]:
        """The one selected picture, equation or not, or None."""
        sel = self.model.getCurrentController().getSelection()
        if sel is None:
            return None
        if hasattr(sel, "supportsService") and (sel.supportsService("com.sun.star.text.TextGraphicObject")
                                                or sel.supportsService("com.sun.star.drawing.GraphicObjectShape")):
            return sel
        if hasattr(sel, "getCount") and hasattr(sel, "getByIndex") and sel.getCount() == 1:
            item = sel.getByIndex(0)
            if hasattr(item, "supportsService") and item.supportsService("com.sun.star.drawing.GraphicObjectShape"):
                return item
        return None

    def selected_equation(self) -> Optional[Any]:
        """The selected picture that carries equation data, or None."""
        obj = self.selected_picture()
        return obj if obj is not None and is_equation(obj) else None

    def selected_text(self) -> Tuple[str, Any]:
        """The equation text selected in Writer (paragraphs become lines) or the
        current cell's text in Calc; the range it came from (Writer) or None."""
        sel = self.model.getCurrentController().getSelection()
        if self.writer:
            if sel is None or not hasattr(sel, "getCount") or sel.getCount() < 1:
                return "", None
            rng = sel.getByIndex(0)
            if not hasattr(rng, "getString"):
                return "", None
            return rng.getString().replace("\r\n", "\n").replace("\r", "\n"), rng
        if self.kind == "calc" and sel is not None and hasattr(sel, "getCellByPosition"):
            return sel.getCellByPosition(0, 0).getString(), None
        return "", None

    def _create_formula(self, place: Place, pic: Picture, replace_range: Any) -> Any:
        """A LibreOffice Math object with the equation's formula: Writer sets it on
        the base line by itself."""
        if self.writer:
            obj = self.model.createInstance("com.sun.star.text.TextEmbeddedObject")
            obj.setPropertyValue("CLSID", MATH_CLSID)
            obj.setPropertyValue("AnchorType", AS_CHARACTER)
            rng = replace_range if replace_range is not None else place.range
            rng.getText().insertTextContent(rng, obj, replace_range is not None)
        else:
            obj = self.model.createInstance("com.sun.star.drawing.OLE2Shape")
            place.page.add(obj)
            obj.setPropertyValue("CLSID", MATH_CLSID)
            if place.cell is not None:
                obj.setPropertyValue("Anchor", place.cell)
        self.apply(obj, pic)
        if not self.writer:
            size = obj.getSize()
            if place.cell is not None:
                pos = place.cell.getPropertyValue("Position")
                obj.setPosition(Point(pos.X, pos.Y))
            else:
                obj.setPosition(Point(place.center[0] - size.Width // 2, place.center[1] - size.Height // 2))
        return obj

    def create(self, place: Optional[Place], pic: Picture, replace_range: Any = None) -> Any:
        if pic.starmath is not None:
            return self._create_formula(place, pic, replace_range)
        if self.writer:
            obj = self.model.createInstance("com.sun.star.text.TextGraphicObject")
            obj.setPropertyValue("AnchorType", AS_CHARACTER)
            obj.setPropertyValue("VertOrient", VERT_NONE)  # placed by its position alone
            obj.setPropertyValue("TopMargin", 0)
            obj.setPropertyValue("BottomMargin", 0)
            apply_picture(self.ctx, obj, pic, True)
            rng = replace_range if replace_range is not None else place.range
            rng.getText().insertTextContent(rng, obj, replace_range is not None)
            # Setting the size again after insertion: Writer sizes a new frame by
            # the graphic's own size when it is inserted.
            obj.setSize(Size(pic.width, pic.height))
            set_unique_name(obj, pic.data, obj.getPropertyValue("VertOrientPosition"))
            return obj
        obj = self.model.createInstance("com.sun.star.drawing.GraphicObjectShape")
        place.page.add(obj)
        try:
            apply_picture(self.ctx, obj, pic, False)
        except BaseException:  # not left half made; the caller reports why
            place.page.remove(obj)
            raise
        if place.cell is not None:
            obj.setPropertyValue("Anchor", place.cell)
            pos = place.cell.getPropertyValue("Position")
            obj.setPosition(Point(pos.X, pos.Y))
        else:
            obj.setPosition(Point(place.center[0] - pic.width // 2, place.center[1] - pic.height // 2))
        return obj

    def remove(self, obj: Any) -> Place:
        """Takes a picture out and returns where a new one would go instead."""
        place = Place.__new__(Place)
        place.doc, place.range, place.page, place.center, place.cell = self, None, None, None, None
        if self.writer:
            anchor = obj.getAnchor()
            place.range = anchor.getText().createTextCursorByRange(anchor.getStart())
            place.range.getText().removeTextContent(obj)
        else:
            pos, size = obj.getPosition(), obj.getSize()
            place.center = (pos.X + size.Width // 2, pos.Y + size.Height // 2)
            place.page = self._page_of(obj)
            try:
                anchor = obj.getPropertyValue("Anchor")
            except UnknownPropertyException:  # shapes outside Calc have no anchor cell
                anchor = None
            if anchor is not None and hasattr(anchor, "getCellAddress"):
                place.cell = anchor
            place.page.remove(obj)
        return place

    def _page_of(self, obj: Any) -> Any:
        ctrl = self.model.getCurrentController()
        if self.kind == "calc":
            return ctrl.getActiveSheet().getDrawPage()
        pages = self.model.getDrawPages()
        for i in range(pages.getCount()):
            page = pages.getByIndex(i)
            for j in range(page.getCount()):
                if page.getByIndex(j) == obj:
                    return page
        return ctrl.getCurrentPage()

    def state(self, obj: Any) -> dict:
        return _state(obj, self.writer)

    def restore(self, obj: Any, state: dict) -> None:
        _restore(obj, state)

    def apply(self, obj: Any, pic: Picture) -> None:
        if is_formula(obj):
            model = _formula_model(obj)
            model.setPropertyValue("Formula", pic.starmath or "")
            obj.setPropertyValue("Description", pic.description)
            if not self.writer:
                # A drawing's OLE shape does not follow its formula's size by itself; the
                # formula's model has laid it out when the formula was set.
                obj.setSize(model.getVisualAreaSize(MSOLE_CONTENT))
            return
        apply_picture(self.ctx, obj, pic, self.writer)
        if self.writer:
            set_unique_name(obj, pic.data, obj.getPropertyValue("VertOrientPosition"))


def name_equations(model: Any) -> int:
    """Before saving: every equation picture of a Writer document carries its data
    and position in its name, also one that got another name on the way (a copy
    is named anew by Writer). Returns how many were named."""
    if kind_of(model) != "writer":
        return 0
    graphics = model.getGraphicObjects()
    undo = model.getUndoManager()
    undo.lock()
    named = 0
    try:
        for name in graphics.getElementNames():
            obj = graphics.getByName(name)
            attrs = _attributes(obj)
            if attrs is None or not attrs.hasByName(ATTRIBUTE):
                continue
            data = decode_data(attrs.getByName(ATTRIBUTE).Value)
            position = obj.getPropertyValue("VertOrientPosition")
            if data and parse_frame_name(name) != (position, data):
                set_unique_name(obj, data, position)
                named += 1
    finally:
        undo.unlock()
    return named


def restore_equations(model: Any) -> int:
    """After a Word document is opened: the equations' pictures get back what the
    format did not keep and the eye needs at once, their title and their place on
    the base line. The data stays in the name, where Edit finds it (setting it
    as an attribute too would triple the time of opening). Neither an undo step
    nor a modification. Returns how many were restored."""
    if kind_of(model) != "writer":
        return 0
    graphics = model.getGraphicObjects()
    names = [n for n in graphics.getElementNames() if n.startswith(NAME_PREFIX + ";")]
    if not names:
        return 0
    modified = model.isModified()
    undo = model.getUndoManager()
    undo.lock()
    try:
        for name in names:
            try:
                position = int(_name_parts(name)[0])
            except ValueError:
                continue  # damaged: the picture stays where Word put it; Edit says why
            obj = graphics.getByName(name)
            obj.setPropertyValue("Title", TITLE)
            obj.setPropertyValue("VertOrient", VERT_NONE)
            obj.setPropertyValue("VertOrientPosition", position)
    finally:
        undo.unlock()
        if not modified:
            model.setModified(False)
    return len(names)


WORD_FILTERS = ("MS Word 2007 XML", "Office Open XML Text")
# Native data -> (png, svg) made for earlier saves in this office.
_sharp = {}
_SHARP_KEPT = 1000


def _draw_sharp_pictures(datas: list) -> None:
    """PNG and SVG for each native data not drawn yet, by one server process: its
    object loads one equation after the other. Data it refuses is left out."""
    todo = [d for d in dict.fromkeys(datas) if d not in _sharp]
    if not todo:
        return
    if len(_sharp) + len(todo) > _SHARP_KEPT:
        _sharp.clear()
    eq = Equation()
    try:
        for data in todo:
            try:
                eq.load(data)
                _sharp[data] = (eq.png(DPI / 96.0), eq.svg())
            except EquationError as err:
                log.warning("an equation is kept as LibreOffice saved it: %s", err)
    finally:
        eq.release()


def complete_word_file(model: Any) -> int:
    """After a Writer document was saved as .docx: its equations get their lowering
    and sharp pictures in the file. Returns how many; an equation the program
    cannot draw stays as LibreOffice wrote it (and the log says why)."""
    if kind_of(model) != "writer" or not model.getURL().startswith("file:"):
        return 0
    args = {p.Name: p.Value for p in model.getArgs()}
    if args.get("FilterName") not in WORD_FILTERS:
        return 0
    graphics = model.getGraphicObjects()
    equations = {}
    for name in graphics.getElementNames():
        parsed = parse_frame_name(name)
        if parsed is not None and parsed[1]:
            equations[name] = parsed[1]
    try:
        _draw_sharp_pictures(list(equations.values()))
    except EquationError as err:  # no program to draw them: the file stays as it is
        log.warning("equations kept as LibreOffice saved them: %s", err)
        return 0
    extras = {}
    for name, data in equations.items():
        if data in _sharp:
            obj = graphics.getByName(name)
            extras[name] = Extra(*_sharp[data], position_of(obj.getPropertyValue("VertOrientPosition"),
                                                            obj.getSize().Height))
    if not extras:
        return 0
    path = uno.fileUrlToSystemPath(model.getURL())
    with open(path, "rb") as f:
        saved = f.read()
    completed = add_equation_parts(saved, extras)
    tmp = os.path.join(os.path.dirname(path), ".%s.molvex2-tmp" % os.path.basename(path))
    try:
        with open(tmp, "wb") as f:
            f.write(completed)
        os.chmod(tmp, os.stat(path).st_mode & 0o7777)
        os.replace(tmp, path)
    except OSError:
        log.exception("could not complete %s", path)
        if os.path.exists(tmp):
            os.remove(tmp)
        return 0
    return len(extras)
