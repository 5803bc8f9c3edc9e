// Typesets the renderer's mhchem export of each line with KaTeX and its mhchem
// extension, and compares what KaTeX shows with the renderer's Unicode text: the same
// letters and digits (in any order, since scripts may come out in another order).
// Usage: node check.js MOLVEX2_RENDER LINES_FILE
'use strict';
const path = require('path');
const { execFileSync } = require('child_process');
const katex = require(path.join(__dirname, 'node_modules', 'katex'));
require(path.join(__dirname, 'node_modules', 'katex', 'dist', 'contrib', 'mhchem.js'));

const [render, linesFile] = process.argv.slice(2);
const run = (format) =>
  execFileSync(render, ['--format', format, '-o', '-', '-f', linesFile], { encoding: 'utf8' })
    .replace(/\n$/, '').split('\n');

// Sub- and superscript digits and signs as plain characters.
const plain = (s) => s.normalize('NFKC');
const letters = (s) => [...plain(s)].filter((c) => /[A-Za-z0-9]/.test(c)).sort().join('');

// The characters KaTeX shows: MathML output without the source annotation and
// without phantoms (mhchem pads nuclide scripts with invisible copies).
function shown(mathml) {
  let m = mathml.replace(/<annotation[^]*?<\/annotation>/g, '');
  let before;
  do {
    before = m;
    m = m.replace(/<mphantom>(?:(?!<mphantom>)[^])*?<\/mphantom>/g, '');
  } while (m !== before);
  return m.replace(/<[^>]+>/g, '');
}

const sources = run('mhchem');
const texts = run('text');
let failed = 0;
if (sources.length !== texts.length) {
  console.log(`line counts differ: ${sources.length} mhchem, ${texts.length} text`);
  failed++;
}
sources.forEach((src, i) => {
  let out;
  try {
    out = shown(katex.renderToString(src, { throwOnError: true, strict: 'error', output: 'mathml' }));
  } catch (e) {
    console.log(`line ${i + 1}: ${src}: ${e.message}`);
    failed++;
    return;
  }
  if (letters(out) !== letters(texts[i])) {
    console.log(`line ${i + 1}: ${src} shows "${out}", the text is "${texts[i]}"`);
    failed++;
  }
});
console.log(`${sources.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
