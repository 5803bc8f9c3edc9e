#!/bin/sh
# `cmake --install` of the web build puts the whole web edition under share/molvex2/web.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
web=$prefix/share/molvex2/web
for f in index.html app.js style.css fonts.css favicon.svg molvex2.js molvex2.wasm molvex2-page.js molvex2.d.ts \
         package.json README.md COPYRIGHT fonts/LiberationSans-Regular.ttf fonts/StandardSymbolsPS.otf; do
  test -s "$web/$f" || { echo "missing from the install: share/molvex2/web/$f"; exit 1; }
done
# Nothing but the web edition.
extra=$(find "$prefix" -type f ! -path "$web/*")
test -z "$extra" || { echo "installed outside share/molvex2/web: $extra"; exit 1; }
echo "installed: $(find "$web" -type f | wc -l) files"
