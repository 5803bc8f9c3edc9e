#!/usr/bin/python3
# ConvertSelection on a warm LibreOffice: the median time from the command to the
# picture in the paragraph, over a number of runs (default 20) after two for
# warming up. Uses the same private bus and headless office as the tests.
#   bench/libreoffice/convert_selection.py BUILD_DIR [RUNS]
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "libreoffice"))
from office_harness import Office  # noqa: E402

TEXT = "CaCO3(s) =900`C> CaO(s) + CO2(g)"


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    with Office(build) as office:
        doc = office.new("swriter")
        text = doc.getText()
        times = []
        for i in range(runs + 2):
            text.setString("Heat: " + TEXT)
            cur = text.createTextCursor()
            cur.gotoStart(False)
            cur.goRight(6, False)
            cur.goRight(len(TEXT), True)
            doc.getCurrentController().select(cur)
            start = time.perf_counter()
            error = office.command(doc, "ConvertSelection")
            elapsed = time.perf_counter() - start
            if error or doc.getGraphicObjects().getCount() != 1:
                sys.exit("ConvertSelection failed: %s" % (error or "no picture"))
            if i >= 2:
                times.append(elapsed * 1000)
        doc.close(True)
    print("ConvertSelection: median %.0f ms, min %.0f ms, max %.0f ms over %d runs"
          % (statistics.median(times), min(times), max(times), len(times)))


if __name__ == "__main__":
    main()
