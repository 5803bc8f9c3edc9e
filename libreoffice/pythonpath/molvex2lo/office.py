# Equations as pictures in LibreOffice documents: placing, reading back and
# replacing them. Runs on LibreOffice's own thread only.
import base64
import binascii
import html
import re
from collections import namedtuple

import uno
from com.sun.star.awt import Point, Size

from molvex2lo.bus import EquationError

ATTRIBUTE = "MolvexEquation"
TITLE = "Molvex 2 Equation"
UNDO_TITLE = "Molvex 2 Equation"

# svg bytes; width, height, lowering in 1/100 mm; level adjustment; native data;
# the equation's text; what a screen reader says for it.
Picture = namedtuple("Picture", "svg width height lowering level data text description")

_SVG_DESC = re.compile(rb"<desc>(.*?)</desc>", re.DOTALL)


def spoken(svg, text):
    """The alt text: the spoken form the server puts in the SVG's <desc>, read
    as words ("2 H 2 plus O 2 yields ..."); the lines themselves when the server
    sends none. Unescaped either way, as servers differ in escaping it."""
    m = _SVG_DESC.search(svg)
    desc = html.unescape(m.group(1).decode("utf-8", "replace")).strip() if m else ""
    return desc or text


def vert_position(height, lowering, level):
    """Top edge against the base line, downwards positive: the part above the
    equation's base line rises over the text's, and a positive level lowers it by
    level/1000 of its height (truncated, as the program computes its hints)."""
    return -(height - lowering) + int(level * height / 1000)


def kind_of(model):
    for service, kind in (("com.sun.star.text.TextDocument", "writer"),
                          ("com.sun.star.presentation.PresentationDocument", "impress"),
                          ("com.sun.star.drawing.DrawingDocument", "draw"),
                          ("com.sun.star.sheet.SpreadsheetDocument", "calc")):
        if model is not None and model.supportsService(service):
            return kind
    return None


def make_graphic(ctx, svg):
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


def stored_data(obj):
    """The native data kept with a picture; None when the picture is no equation.
    Damaged data raises, and the picture stays as it is."""
    try:
        attrs = obj.getPropertyValue("UserDefinedAttributes")
    except Exception:
        return None
    if attrs is None or not attrs.hasByName(ATTRIBUTE):
        return None
    try:
        data = base64.b64decode(attrs.getByName(ATTRIBUTE).Value, validate=True)
    except (binascii.Error, ValueError):
        data = b""
    if not data:
        raise EquationError("The equation's stored data is damaged, so it cannot be edited. "
                            "The picture is left as it is.")
    return data


def _state(obj, writer):
    """What an update changes, to put back when an edit's steps are folded into one."""
    names = ["Graphic", "UserDefinedAttributes", "Description", "Title"]
    if writer:
        names.append("VertOrientPosition")
    state = {n: obj.getPropertyValue(n) for n in names}
    state["size"] = obj.getSize()
    return state


def _restore(obj, state):
    for name in ("Graphic", "UserDefinedAttributes", "Description", "Title", "VertOrientPosition"):
        if name in state:
            obj.setPropertyValue(name, state[name])
    obj.setSize(state["size"])


def apply_picture(ctx, obj, pic, writer):
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

    def __init__(self, doc):
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

    def __init__(self, ctx, model):
        self.ctx = ctx
        self.model = model
        self.kind = kind_of(model)
        self.writer = self.kind == "writer"

    def undo(self):
        return self.model.getUndoManager()

    def selected_equation(self):
        """The selected picture that carries equation data, or None."""
        sel = self.model.getCurrentController().getSelection()
        if sel is None:
            return None
        candidates = []
        if hasattr(sel, "supportsService") and (sel.supportsService("com.sun.star.text.TextGraphicObject")
                                                or sel.supportsService("com.sun.star.drawing.GraphicObjectShape")):
            candidates.append(sel)
        elif hasattr(sel, "getCount") and hasattr(sel, "getByIndex") and sel.getCount() == 1:
            item = sel.getByIndex(0)
            if hasattr(item, "supportsService") and item.supportsService("com.sun.star.drawing.GraphicObjectShape"):
                candidates.append(item)
        for obj in candidates:
            try:
                if obj.getPropertyValue("UserDefinedAttributes").hasByName(ATTRIBUTE):
                    return obj
            except Exception:
                continue
        return None

    def selected_text(self):
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

    def create(self, place, pic, replace_range=None):
        if self.writer:
            obj = self.model.createInstance("com.sun.star.text.TextGraphicObject")
            obj.setPropertyValue("AnchorType", uno.Enum("com.sun.star.text.TextContentAnchorType", "AS_CHARACTER"))
            obj.setPropertyValue("VertOrient", 0)  # VertOrientation.NONE: placed by position alone
            obj.setPropertyValue("TopMargin", 0)
            obj.setPropertyValue("BottomMargin", 0)
            apply_picture(self.ctx, obj, pic, True)
            rng = replace_range if replace_range is not None else place.range
            rng.getText().insertTextContent(rng, obj, replace_range is not None)
            # Setting the size again after insertion: Writer sizes a new frame by
            # the graphic's own size when it is inserted.
            obj.setSize(Size(pic.width, pic.height))
            return obj
        obj = self.model.createInstance("com.sun.star.drawing.GraphicObjectShape")
        place.page.add(obj)
        try:
            apply_picture(self.ctx, obj, pic, False)
        except Exception:
            place.page.remove(obj)
            raise
        if place.cell is not None:
            obj.setPropertyValue("Anchor", place.cell)
            pos = place.cell.getPropertyValue("Position")
            obj.setPosition(Point(pos.X, pos.Y))
        else:
            obj.setPosition(Point(place.center[0] - pic.width // 2, place.center[1] - pic.height // 2))
        return obj

    def remove(self, obj):
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
                if anchor is not None and hasattr(anchor, "getCellAddress"):
                    place.cell = anchor
            except Exception:
                pass
            place.page.remove(obj)
        return place

    def _page_of(self, obj):
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

    def state(self, obj):
        return _state(obj, self.writer)

    def restore(self, obj, state):
        _restore(obj, state)

    def apply(self, obj, pic):
        apply_picture(self.ctx, obj, pic, self.writer)
