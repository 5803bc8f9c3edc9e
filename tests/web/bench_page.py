"""Benchmark of the web edition in headless Chromium:

- per keystroke: the 20-line equation of the native benchmarks typeset to an SVG
  string by the module (renderSvg), against KaTeX + mhchem's renderToString of the
  same lines (their mhchem form) in the same page, median of interleaved runs;
- the whole page's work per keystroke (picture into the page, balance, hints);
- the first picture after loading the page (performance mark, median of loads).

    bench_page.py [--quick]     --quick: few runs, as ctest runs it to prove it works
"""
import ast
import os
import re
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import webpage  # noqa: E402

quick = "--quick" in sys.argv
RUNS = 20 if quick else 200
LOADS = 3 if quick else 15


def twenty_lines():
    """The lines of tests/support/SampleLines.h, so both benchmarks typeset the same text."""
    source = open(os.path.join(os.environ["MOLVEX_SOURCE_DIR"], "tests/support/SampleLines.h"), encoding="utf-8").read()
    sample = ast.literal_eval(re.search(r'kSample = ("(?:[^"\\]|\\.)*")', source).group(1))
    body = source[source.index("TwentyLines()"):]
    body = body[body.index("{", body.index("lines =")):body.index("};")]
    lines = [sample] + [ast.literal_eval(s) for s in re.findall(r'"(?:[^"\\]|\\.)*"', body)]
    assert len(lines) == 20, lines
    return lines


MEASURE = """
const [lines, runs, done] = arguments;
molvex2Ready.then(api => {
  const text = lines.join("\\n");
  const tex = api.format(text, "mhchem").split("\\n");
  const ours = [], theirs = [];
  // Batches of calls: the browser's clock has a coarse grain (0.1 ms).
  const batch = 10;
  const time = (f) => { const t = performance.now(); for (let i = 0; i < batch; ++i) f(); return (performance.now() - t) / batch; };
  const typeset = () => api.renderSvg(text).svg.length;
  const katexAll = () => { let n = 0; for (const t of tex) n += katex.renderToString(t, {throwOnError: false}).length; return n; };
  for (let i = 0; i < 5; ++i) { typeset(); katexAll(); }
  for (let i = 0; i < runs; ++i) { ours.push(time(typeset)); theirs.push(time(katexAll)); }
  done({ours, theirs, svgBytes: api.renderSvg(text).svg.length, texLines: tex.length});
});
"""

PAGE_UPDATE = """
const [lines, runs, done] = arguments;
const entry = document.getElementById("entry");
const times = [];
for (let i = 0; i < runs; ++i) {
  entry.value = lines.join("\\n") + "x".repeat(i % 5);
  const t = performance.now();
  entry.dispatchEvent(new Event("input"));
  times.push(performance.now() - t);
}
done(times);
"""


def main():
    site = webpage.site_folder()
    katex = os.environ["MOLVEX_KATEX_DIR"]
    lines = twenty_lines()
    with tempfile.TemporaryDirectory() as root:
        for name in os.listdir(site):
            os.symlink(os.path.join(site, name), os.path.join(root, name))
        os.symlink(katex, os.path.join(root, "katex"))
        os.symlink(os.path.join(os.path.dirname(os.path.abspath(__file__)), "bench.html"), os.path.join(root, "bench.html"))
        server = webpage.Server(root)
        driver = webpage.browser()
        driver.set_script_timeout(300)
        try:
            driver.get(server.url + "bench.html")
            r = driver.execute_async_script(MEASURE, lines, RUNS)
            ours, theirs = statistics.median(r["ours"]), statistics.median(r["theirs"])

            first = []
            for _ in range(LOADS):
                driver.get("about:blank")
                driver.get(server.url + "index.html")
                first.append(driver.execute_async_script("""
                    const done = arguments[0];
                    const look = () => { const m = performance.getEntriesByName("molvex2-first-picture");
                                         m.length ? done(m[0].startTime) : setTimeout(look, 5); };
                    look();"""))
            update = driver.execute_async_script(PAGE_UPDATE, lines, RUNS)
        finally:
            driver.quit()
            server.stop()

    print("Chromium %s, %d runs (medians, ms):" % (webpage.chromium_version(), RUNS))
    print("  molvex2 renderSvg, 20 lines (%d bytes of SVG):  %8.3f" % (r["svgBytes"], ours))
    print("  KaTeX + mhchem renderToString, same 20 lines:   %8.3f" % theirs)
    print("  ratio molvex2 / KaTeX:                          %8.3f" % (ours / theirs))
    print("  page update per keystroke (picture, status):    %8.3f" % statistics.median(update))
    print("  first picture after load (%d loads):            %8.1f" % (LOADS, statistics.median(first)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
