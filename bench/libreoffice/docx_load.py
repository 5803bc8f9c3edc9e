#!/usr/bin/python3
# Opening a Word document with 50 equations in a warm LibreOffice, the extension's
# load-time work included (each equation gets its title and base-line position
# back): the median over a number of openings (default 10), after one
# for warming up. Also reports saving it (the extension completes the .docx).
#   bench/libreoffice/docx_load.py BUILD_DIR [RUNS]
import os
import statistics
import sys
import tempfile
import time
import zipfile

import uno
from com.sun.star.text.ControlCharacter import PARAGRAPH_BREAK

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "libreoffice"))
from office_harness import Office, props  # noqa: E402

COUNT = 50


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    path = os.path.join(tempfile.mkdtemp(prefix="molvex2-bench-"), "fifty.docx")
    url = uno.systemPathToFileUrl(path)
    with Office(build) as office:
        doc = office.new("swriter")
        text = doc.getText()
        for k in range(COUNT):
            equation = "%dH2 + O2 => H2O%d" % (k + 1, k)
            text.insertString(text.getEnd(), "Step %d: " % k, False)
            start = text.getEnd()
            cur = text.createTextCursorByRange(start)
            text.insertString(cur, equation, True)
            doc.getCurrentController().select(cur)
            error = office.command(doc, "ConvertSelection")
            if error:
                sys.exit("ConvertSelection failed: %s" % error)
            text.insertControlCharacter(text.getEnd(), PARAGRAPH_BREAK, False)
        start = time.perf_counter()
        doc.storeAsURL(url, props(FilterName="MS Word 2007 XML"))
        saved = time.perf_counter() - start
        doc.close(True)
        # The same file with names the extension does not know: LibreOffice's own
        # work alone, opened in turn with the real one.
        plain = path.replace(".docx", "-plain.docx")
        with zipfile.ZipFile(path) as src, zipfile.ZipFile(plain, "w", zipfile.ZIP_DEFLATED) as dst:
            for info in src.infolist():
                data = src.read(info)
                if info.filename == "word/document.xml":
                    data = data.replace(b'name="Molvex2Equation;', b'name="PlainPicture;')
                dst.writestr(info, data)
        times = {url: [], uno.systemPathToFileUrl(plain): []}
        for i in range(runs + 1):
            for which, found in times.items():
                start = time.perf_counter()
                again = office.load(which)
                elapsed = time.perf_counter() - start
                graphics = again.getGraphicObjects()
                restored = sum(1 for n in graphics.getElementNames()
                               if graphics.getByName(n).Title == "Molvex 2 Equation")
                again.close(True)
                if restored != (COUNT if which == url else 0):
                    sys.exit("%d of %d equations restored" % (restored, COUNT))
                if i > 0:
                    found.append(elapsed * 1000)
    print("Save as .docx with %d equations (first save, pictures drawn by the program): %.0f ms" % (COUNT, saved * 1000))
    for label, found in zip(("made editable again", "LibreOffice alone"), times.values()):
        print("Open .docx with %d equations, %s: median %.0f ms, min %.0f ms, max %.0f ms over %d runs"
              % (COUNT, label, statistics.median(found), min(found), max(found), len(found)))


if __name__ == "__main__":
    main()
