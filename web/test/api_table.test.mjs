// The shared table: every case the command line answers (tests/web/api_table.json),
// answered by the module the same way.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { molvex2 } from "./load.mjs";

const tableUrl = new URL("../../tests/web/api_table.json", import.meta.url);
const table = JSON.parse(readFileSync(tableUrl, "utf8"));

// The default font at another character height, as --font-height sets it.
function fontOfHeight(height) {
  return molvex2.options().Font.replace(/^-?\d+/, String(-height));
}

// The module's answer as the command line prints it: [exit status, standard output].
function answer(args, stdin) {
  const text = args.includes("-f") ? stdin : args[args.length - 1];
  const at = args.indexOf("--font-height");
  const options = at < 0 ? undefined : { Font: fontOfHeight(Number(args[at + 1])) };
  if (args[0] === "--measure") {
    // The picture's size and lowering; depth and amount are the command line's own.
    const p = molvex2.renderSvg(text, options);
    return [0, "width=" + p.width + " height=" + p.height + " lowering=" + p.lowering];
  }
  if (args[0] === "--check") {
    const result = molvex2.check(text);
    const out = result.lines.map((l) => "line " + l.line + ": " + l.message + "\n").join("");
    return [result.lines.some((l) => l.verdict === "not balanced") ? 1 : 0, out];
  }
  if (args[0] === "--explain")
    return [0, molvex2.explain(text)];
  if (args[0] === "--format" && args[1] === "svg")
    return [0, molvex2.renderSvg(text, options).svg];
  if (args[0] === "--format")
    return [0, molvex2.format(text, args[1]) + "\n"];
  throw new Error("no module call for " + args.join(" "));
}

// What of the command line's output the module gives too: the command line's SVG has
// a white background, as the desktop's pictures; the module's is transparent.
function comparable(args, stdout) {
  if (args[0] === "--measure")
    return stdout.replace(/ depth=\S+/, "").replace(/ amount=\S+\n$/, "");
  if (args[1] === "svg")
    return stdout.replace(/^<rect width="\d+" height="\d+" fill="#ffffff"\/>\n/m, "");
  return stdout;
}

for (const c of table) {
  test(c.name, () => {
    // The module measures the SVG picture, whose room for ink follows the outlines; the
    // command line measures the desktop's picture, whose room follows hinted pixels.
    // Where the two differ by a pixel the case says so (svgStdout).
    assert.deepEqual(answer(c.args, c.stdin), [c.status, comparable(c.args, c.svgStdout ?? c.stdout)]);
    // The hints are the explanation's last lines.
    if (c.args[0] === "--explain") {
      const said = c.stdout.split("\n").filter((l) => l.startsWith("hint: ")).map((l) => l.slice(6));
      assert.deepEqual(molvex2.hints(c.args[1]).map((h) => h.message), said);
    }
  });
}
