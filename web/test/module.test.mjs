// The JavaScript API: answers, options, and bad input turned into Errors that leave
// the module usable.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import path from "node:path";
import { gzipSync } from "node:zlib";
import { molvex2, site } from "./load.mjs";

const { renderSvg, check, hints, format, explain, options } = molvex2;

function stillWorks() {
  assert.equal(check("2H2 + O2 => 2H2O").verdict, "balanced");
}

// The element names and attributes of an SVG document, by a plain scan (node has no
// XML parser); enough to see that nothing but drawing made it in.
function tags(svg) {
  return [...svg.matchAll(/<([A-Za-z?][\w:-]*)([^>]*)>/g)].map((m) => ({ name: m[1], attributes: m[2] }));
}
const drawing = new Set(["?xml", "svg", "title", "desc", "text", "path", "rect", "g"]);

test("renderSvg draws the equation as SVG, named and described", () => {
  const text = "SO42-(aq) + Ba2+(aq) => BaSO4(s)";
  const p = renderSvg(text);
  for (const n of [p.width, p.height, p.lowering])
    assert.ok(Number.isInteger(n) && n > 0, JSON.stringify(p));
  assert.match(p.svg, new RegExp('^<\\?xml[^>]*>\\s*<svg[^>]* role="img"[^>]* width="' + p.width + '" height="' + p.height + '"'));
  assert.ok(p.svg.includes("<title>" + format(text, "text") + "</title>"));
  assert.ok(p.svg.includes("<desc>" + format(text, "speech") + "</desc>"));
  // Larger font, larger picture; more lines, taller picture.
  const big = renderSvg(text, { Font: options().Font.replace(/^-14/, "-28") });
  assert.ok(big.width > 1.8 * p.width && big.height > 1.8 * p.height, JSON.stringify([p.width, big.width]));
  assert.ok(renderSvg(text + "\n" + text).height > 2 * p.height);
  assert.ok(renderSvg(text, { Font: options().Font.replace(/Arial$/, "Courier New") }).svg.includes("Courier New"));
});

test("renderSvg keeps hostile text as text", () => {
  for (const text of ["<img src=x onerror=alert(1)>", "\"]]><script>alert(1)</script>\"", "\"<svg onload=alert(1)>\" & '\"'",
                      "{<a href='javascript:alert(1)'>,x}", "\"\u0001\u0008\"", "\"&amp;lt;\" <!-- x -->"]) {
    const { svg } = renderSvg(text);
    for (const t of tags(svg)) {
      assert.ok(drawing.has(t.name), text + ": <" + t.name + "> in " + svg);
      assert.doesNotMatch(t.attributes, /\son\w+=|href/i, text);
    }
  }
});

test("check gives each line's verdict and the worst of them", () => {
  const cases = [
    ["H2O", "none", []],
    ["2H2 + O2 => 2H2O", "balanced", [1]],
    ["\"heat\" => x\n2H2 + O2 => 2H2O", "cannot check", [1, 2]],
    ["2H2 + O2 => 2H2O\n\nH2 => H", "not balanced", [1, 3]],
  ];
  for (const [text, verdict, lines] of cases) {
    const result = check(text);
    assert.equal(result.verdict, verdict, text);
    assert.deepEqual(result.lines.map((l) => l.line), lines, text);
  }
});

test("hints name their line", () => {
  assert.deepEqual(hints("2H2 + O2 => 2H2O\nco").map((h) => h.line), [2]);
  assert.deepEqual(hints("2H2 + O2 => 2H2O"), []);
});

test("line ends: LF, CR LF and CR each end a line, a final one ends the last", () => {
  for (const text of ["H2 => H\nH2 => 2H", "H2 => H\r\nH2 => 2H\r\n", "H2 => H\rH2 => 2H\n"])
    assert.deepEqual(check(text).lines.map((l) => [l.line, l.verdict]), [[1, "not balanced"], [2, "balanced"]], JSON.stringify(text));
  assert.equal(check("H2 => 2H\n".repeat(20)).lines.length, 20);
});

test("options by their MLV2.ini names, brought into range as the file's are", () => {
  const defaults = options();
  assert.equal(defaults.EquilibriumArrow, "1");
  assert.equal(defaults.ItalicPhase, "1");
  assert.match(defaults.Font, /^-14,.*,Arial$/);
  const set = options({ EquilibriumArrow: 3, ArrowWidth: 2.5, ItalicPhase: false, VerticalSpacing: 40,
                        Font: "-20,0,0,0,700,0,0,0,0,7,48,2,2,0,400,Times New Roman" });
  assert.deepEqual([set.EquilibriumArrow, set.ArrowWidth, set.ItalicPhase, set.VerticalSpacing, set.Font],
                   ["3", "2.500000", "0", "40", "-20,0,0,0,700,0,0,0,0,7,48,2,2,0,400,Times New Roman"]);
  // Outside the range: the range's midpoint, as when MLV2.ini holds such a value.
  const wild = options({ EquilibriumArrow: 99999, LevelSub: NaN, TextSuper: Infinity, VerticalSpacing: -1e12 });
  assert.deepEqual([wild.EquilibriumArrow, wild.LevelSub, wild.TextSuper],
                   ["0", "-45000000000000000.000000", "-45000000000000000.000000"]);
  assert.equal(format("<=>", "text", { EquilibriumArrow: 0 }), format("<=>", "text", { EquilibriumArrow: 0.9 }));
  // Text is read as the file's text is: a word where a number belongs reads as 0.
  assert.equal(options({ VerticalSpacing: "wide", ArrowWidth: "2.5" }).VerticalSpacing, "0");
  assert.equal(options({ ArrowWidth: "2.5" }).ArrowWidth, "2.500000");
});

test("format writes every form and escapes markup in MathML", () => {
  assert.equal(format("SO42-", "text"), "SO₄²⁻");
  assert.equal(format("SO42-", "mhchem"), "\\ce{SO4^{2-}}");
  assert.match(format("H2O", "speech"), /^H 2 O$/);
  const mathml = format("\"<script>x</script>\"", "mathml");
  assert.ok(!mathml.includes("<script"), mathml);
});

// Every kind of bad argument: the Error's class and message, then the module works on.
test("bad input throws a clear Error and the module stays usable", () => {
  const huge = "H".repeat(17000);
  const wide = "€".repeat(8000); // under the character limit, over the byte limit
  const cases = [
    [() => check(null), TypeError, /must be text \(a string\), not null/],
    [() => renderSvg(7), TypeError, /not number/],
    [() => renderSvg("\n\n"), Error, /nothing to typeset/],
    [() => renderSvg("H".repeat(4000)), Error, /the picture is too large/],
    [() => renderSvg("H2O\n".repeat(20) + "x"), Error, /more than 20 lines/],
    [() => renderSvg("H2O", { Font: "-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Comic Sans" }), Error,
     /the font 'Comic Sans' is not available here/],
    [() => check(42), TypeError, /not number/],
    [() => hints({}), TypeError, /not object/],
    [() => explain(undefined), TypeError, /not undefined/],
    [() => format(["H2O"], "text"), TypeError, /not an array/],
    [() => check(huge), RangeError, /too large/],
    [() => format(wide, "text"), Error, /too large/],
    [() => explain(wide), Error, /too large/],
    [() => check("H2O\n".repeat(21) + "H2O"), Error, /more than 20 lines/],
    [() => format("H2O", "pdf"), TypeError, /one of text, speech, mathml, mhchem, starmath/],
    [() => format("", "text"), Error, /nothing to typeset/],
    [() => format("H2O", "text", "LevelSub=1"), TypeError, /options must be an object/],
    [() => format("H2O", "text", [1]), TypeError, /options must be an object/],
    [() => format("H2O", "text", { Levelsub: 0.5 }), Error, /unknown option 'Levelsub'/],
    [() => format("H2O", "text", { LevelSub: {} }), TypeError, /option LevelSub must be/],
    [() => format("H2O", "text", { Font: "x".repeat(5000) }), TypeError, /option Font must be/],
    [() => format("H2O", "text", { Font: "a\nb" }), Error, /line break/],
    [() => explain("H2O\nCO2"), Error, /one line/],
  ];
  for (const [call, Kind, message] of cases) {
    assert.throws(call, (e) => e instanceof Kind && message.test(e.message) && e.message.startsWith("molvex2: "),
                  String(call));
    stillWorks();
  }
});

// Lines at the size limit that nest arrows, pairs and quotes as deep as they can: every
// function answers (a picture too wide is an Error), nothing traps.
test("the largest texts are answered", () => {
  for (const unit of ["=", "<", "{", "\"", "=a=b=c", "Ba2+(aq)", "co", "=x>{"]) {
    const text = unit.repeat(Math.floor(16000 / unit.length));
    check(text);
    hints(text);
    explain(text);
    format(text, "mathml");
    try {
      renderSvg(text);
    } catch (e) {
      assert.match(e.message, /the picture is too large/, unit);
    }
  }
  stillWorks();
});

test("text outside Windows-1252 becomes '?', as in the editor", () => {
  assert.equal(format("H₂O", "text"), "H?O");
  assert.equal(format("½ é", "text"), "½ é");
});

test("the package: typings name every export, size within budget", () => {
  const dts = readFileSync(path.join(site, "molvex2.d.ts"), "utf8");
  const typed = [...dts.matchAll(/^export function (\w+)/gm)].map((m) => m[1]).sort();
  const exported = Object.keys(molvex2).filter((k) => k !== "default").sort();
  assert.deepEqual(exported, typed);
  const pkg = JSON.parse(readFileSync(path.join(site, "package.json"), "utf8"));
  assert.equal(pkg.private, true);
  assert.equal(pkg.type, "module");
  const gzipped = ["molvex2.js", "molvex2.wasm"].reduce(
    (sum, f) => sum + gzipSync(readFileSync(path.join(site, f)), { level: 9 }).length, 0);
  assert.ok(gzipped <= 400 * 1024, "molvex2.js + molvex2.wasm gzip-compressed: " + gzipped + " bytes");
});
