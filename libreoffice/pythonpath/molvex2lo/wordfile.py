# Word documents (.docx) as LibreOffice 7.4 writes them lose what makes a picture
# an equation in Word: its lowering and a sharp picture. After LibreOffice has
# saved, the extension adds them to the file:
# - w:position on the picture's run (ECMA-376 Part 1, 17.3.2.24: the run is raised
#   or lowered by this many half-points against the base line; an inline drawing,
#   20.4.2.8, sits in its run, so Word lowers the picture with it);
# - the picture as a PNG at 300 dpi, with the SVG beside it as Office 2016 and later
#   read it (a:blip/a:extLst, asvg:svgBlip), which older readers skip.
# The equation's data already travels in the picture's name (wp:docPr/@name).
import re
import zipfile
from collections import namedtuple
from io import BytesIO
from typing import Dict
from xml.sax.saxutils import quoteattr

# png, svg: the picture's bytes; position: w:position's value, half-points, up positive.
Extra = namedtuple("Extra", "png svg position")

DPI = 300
SVG_EXT = "{96DAC541-7B7A-43D3-8B79-37D633B846F1}"
SVG_NS = "http://schemas.microsoft.com/office/drawing/2016/SVG/main"
IMAGE_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image"
# The run properties that come after w:position in CT_RPr; Word insists on the order.
_AFTER_POSITION = ("sz", "szCs", "highlight", "u", "effect", "bdr", "shd", "fitText", "vertAlign", "rtl", "cs",
                   "em", "lang", "eastAsianLayout", "specVanish", "oMath")

_DOCPR = re.compile(r'<wp:docPr\b[^>]*\bname="([^"]*)"')
_RUN_START = re.compile(r"<w:r[ >]")
_BLIP = re.compile(r'<a:blip\b[^>]*?(?:/>|>.*?</a:blip>)', re.DOTALL)
_POSITION = re.compile(r'<w:position\b[^>]*/>')


def half_points(hundredths_mm: int) -> int:
    return int(round(hundredths_mm * 144 / 2540))


def position_of(vert_position: int, height: int) -> int:
    """w:position for a picture whose top edge is vert_position (1/100 mm, down
    positive) against the base line: Word puts an inline picture's bottom on the
    base line, so it is lowered by what lies below the line."""
    return -half_points(vert_position + height)


def _with_position(rpr_and_rest: str, position: int) -> str:
    """The run's content after <w:r>, with w:position set in its properties."""
    tag = '<w:position w:val="%d"/>' % position
    if rpr_and_rest.startswith("<w:rPr/>"):
        return "<w:rPr>" + tag + "</w:rPr>" + rpr_and_rest[len("<w:rPr/>"):]
    if not rpr_and_rest.startswith("<w:rPr>"):
        return "<w:rPr>" + tag + "</w:rPr>" + rpr_and_rest
    end = rpr_and_rest.index("</w:rPr>")
    props = _POSITION.sub("", rpr_and_rest[len("<w:rPr>"):end])
    cut = len(props)
    for name in _AFTER_POSITION:
        m = re.search(r"<w:%s[ />]" % name, props)
        if m:
            cut = min(cut, m.start())
    return "<w:rPr>" + props[:cut] + tag + props[cut:] + rpr_and_rest[end:]


def add_equation_parts(docx: bytes, extras: Dict[str, Extra]) -> bytes:
    """The .docx with each named equation lowered and given its sharp pictures.
    Pictures whose name is not in extras are left alone."""
    try:
        src = zipfile.ZipFile(BytesIO(docx))
    except zipfile.BadZipFile:  # saved with a password: an encrypted container, left alone
        return docx
    parts = {info.filename: src.read(info) for info in src.infolist()}
    if not {"word/document.xml", "word/_rels/document.xml.rels", "[Content_Types].xml"} <= parts.keys():
        return docx
    doc = parts["word/document.xml"].decode("utf-8")
    rels = parts["word/_rels/document.xml.rels"].decode("utf-8")
    types = parts["[Content_Types].xml"].decode("utf-8")
    added = []
    out = []
    done = 0
    for m in _DOCPR.finditer(doc):
        extra = extras.get(m.group(1))
        if extra is None or m.start() < done:
            continue
        drawing = doc.rfind("<w:drawing>", done, m.start())
        run = None
        for r in _RUN_START.finditer(doc, done, drawing if drawing >= 0 else m.start()):
            run = r
        blip = _BLIP.search(doc, m.end())
        if drawing < 0 or run is None or blip is None:
            continue
        n = len(added) + 1
        png_id, svg_id = "rIdMolvex2Png%d" % n, "rIdMolvex2Svg%d" % n
        added.append((png_id, "media/molvex2-%d.png" % n, extra.png))
        added.append((svg_id, "media/molvex2-%d.svg" % n, extra.svg))
        run_open = doc.index(">", run.start()) + 1
        out.append(doc[done:run_open])
        out.append(_with_position(doc[run_open:blip.start()], extra.position))
        out.append('<a:blip r:embed="%s"><a:extLst><a:ext uri="%s"><asvg:svgBlip xmlns:asvg="%s" r:embed="%s"/>'
                   "</a:ext></a:extLst></a:blip>" % (png_id, SVG_EXT, SVG_NS, svg_id))
        done = blip.end()
    if not added:
        return docx
    out.append(doc[done:])
    parts["word/document.xml"] = "".join(out).encode("utf-8")
    new_rels = "".join('<Relationship Id=%s Type="%s" Target=%s/>' % (quoteattr(i), IMAGE_REL, quoteattr(t))
                       for i, t, _ in added)
    parts["word/_rels/document.xml.rels"] = rels.replace("</Relationships>", new_rels + "</Relationships>").encode("utf-8")
    for ext, mime in (("png", "image/png"), ("svg", "image/svg+xml")):
        if 'Extension="%s"' % ext not in types:
            types = types.replace("</Types>", '<Default Extension="%s" ContentType="%s"/></Types>' % (ext, mime), 1)
    parts["[Content_Types].xml"] = types.encode("utf-8")
    for _, target, data in added:
        parts["word/" + target] = data
    buf = BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        for info in src.infolist():
            z.writestr(info, parts.pop(info.filename))
        for name, data in parts.items():
            z.writestr(name, data)
    return buf.getvalue()

