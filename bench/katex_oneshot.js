// One-shot typesetting with KaTeX and its mhchem extension, as a page build or a
// command line would do it: start node, load KaTeX, render one \ce{...}, write it.
// Usage: node katex_oneshot.js KATEX_DIR MHCHEM_TEXT OUTPUT
'use strict';
const path = require('path');
const fs = require('fs');
const [dir, tex, output] = process.argv.slice(2);
const katex = require(path.join(dir, 'node_modules', 'katex'));
require(path.join(dir, 'node_modules', 'katex', 'dist', 'contrib', 'mhchem.js'));
fs.writeFileSync(output, katex.renderToString(tex, { throwOnError: true }));
