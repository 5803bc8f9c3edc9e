#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and builds the Debian package, then checks
# both as a user and a packager would. Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$build/install-check
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "install into a DESTDIR"
DESTDIR=$work/dest cmake --install "$build" --prefix /usr >/dev/null
root=$work/dest/usr
for f in bin/molvex2 bin/molvex2-render \
         share/applications/com.tamrel.Molvex2.desktop \
         share/metainfo/com.tamrel.Molvex2.metainfo.xml \
         share/mime/packages/com.tamrel.Molvex2.xml \
         share/icons/hicolor/scalable/apps/com.tamrel.Molvex2.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-molvex2.svg \
         share/icons/hicolor/48x48/apps/com.tamrel.Molvex2.png \
         share/icons/hicolor/256x256/mimetypes/application-x-molvex2.png \
         share/dbus-1/services/com.tamrel.Molvex2.service \
         share/man/man1/molvex2.1.gz share/man/man1/molvex2-render.1.gz \
         share/doc/molvex2/molvex2.html share/doc/molvex2/mv2_manl.pdf share/doc/molvex2/mv2_card.pdf \
         share/doc/molvex2/copyright share/doc/molvex2/changelog.gz \
         share/molvex2/translations/molvex2_de.qm share/molvex2/translations/molvex2_fr.qm \
         share/molvex2/translations/molvex2_es.qm; do
  [ -s "$root/$f" ] || fail "missing $f"
done
[[ $(file "$root/share/icons/hicolor/48x48/apps/com.tamrel.Molvex2.png") == *"48 x 48"* ]] || fail "icon size"
grep -qx 'Exec="/usr/bin/molvex2" -Embedding' "$root/share/dbus-1/services/com.tamrel.Molvex2.service" ||
  fail "service Exec line"
for src in $(grep -o 'src="[^"]*"' "$root/share/doc/molvex2/molvex2.html" | cut -d'"' -f2); do
  [ -s "$root/share/doc/molvex2/$src" ] || fail "manual picture $src"
done

step "run the installed renderer"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config "$root/bin/molvex2-render" "2H2 + O2 => 2H2O" -o "$work/w.svg"
grep -q "<svg" "$work/w.svg" || fail "renderer output"
# A PNG needs the Qt renderer the front program hands over to, from libexec.
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config "$root/bin/molvex2-render" "2H2 + O2 => 2H2O" -o "$work/w.png"
[[ $(file "$work/w.png") == *"PNG image"* ]] || fail "renderer PNG output"

step "molvex2 -r without a display"
reg=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME=$work/reg XDG_CONFIG_HOME=$work/config \
      XDG_RUNTIME_DIR=$work "$root/bin/molvex2" -r) || fail "molvex2 -r failed"
[ "$(grep -c '^registered ' <<<"$reg")" -eq 5 ] || fail "molvex2 -r printed: $reg"
grep -qx "Exec=\"$root/bin/molvex2\" %f" "$work/reg/applications/com.tamrel.Molvex2.desktop" || fail "-r Exec line"
desktop-file-validate "$work/reg/applications/com.tamrel.Molvex2.desktop"
touch "$work/blocked"
if env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME=$work/blocked XDG_CONFIG_HOME=$work/config \
   XDG_RUNTIME_DIR=$work "$root/bin/molvex2" -r >/dev/null 2>"$work/reg.err"; then
  fail "molvex2 -r succeeded where it cannot write"
fi
grep -q "registration failed" "$work/reg.err" || fail "no message for a failed -r"

step "desktop entry and AppStream"
desktop-file-validate "$root/share/applications/com.tamrel.Molvex2.desktop"
appstreamcli validate --pedantic --no-net "$root/share/metainfo/com.tamrel.Molvex2.metainfo.xml"

step "MIME type resolves"
mkdir -p "$work/mime/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/share/mime/packages/com.tamrel.Molvex2.xml" \
   "$work/mime/mime/packages/"
update-mime-database "$work/mime/mime" 2>/dev/null
grep -q '^50:application/x-molvex2:\*\.mv2$' "$work/mime/mime/globs2" || fail "glob"
grep -q 'application/x-ole-storage' "$work/mime/mime/application/x-molvex2.xml" || fail "sub-class"
grep -q '^application/x-molvex2 application/x-ole-storage$' "$work/mime/mime/subclasses" || fail "subclasses"
grep -aq 'application/x-molvex2' "$work/mime/mime/magic" || fail "magic"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config "$root/bin/molvex2-render" "H2O" -o "$work/sample.mv2"
type=$(XDG_DATA_HOME=$work/mime XDG_DATA_DIRS=$work/mime gio info -a standard::content-type "$work/sample.mv2" |
       awk '/content-type/ {print $2}')
[ "$type" = application/x-molvex2 ] || fail "sample.mv2 reads as $type"

step "manual pages render without warnings"
for page in molvex2.1 molvex2-render.1; do
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.gz" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "man $page: $out"
  [[ $(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/share/man/man1/$page.gz") == *"EXIT STATUS"* ]] || fail "man $page"
done

step "help documents"
doc=$root/share/doc/molvex2
card_pages=$(pdfinfo "$doc/mv2_card.pdf" | awk '/^Pages:/ {print $2}')
[ "$card_pages" -ge 1 ] && [ "$card_pages" -le 2 ] || fail "card has $card_pages pages"
[[ $(pdfinfo "$doc/mv2_card.pdf") == *"(A4)"* ]] || fail "card not A4"
card=$(pdftotext "$doc/mv2_card.pdf" -)
for h in "quick-reference card" "Formulas" "Charges and the plus sign" "Arrows" "Lower-case formulas"; do
  grep -q "$h" <<<"$card" || fail "card lacks $h"
done
manual=$(pdftotext "$doc/mv2_manl.pdf" -)
for h in "Getting started" "The equation language" "Options" "Fonts" "Documents" "Printing" \
         "Pictures and the clipboard" "The command-line renderer" "Embedding" "Configuration files" \
         "Troubleshooting"; do
  grep -q "$h" <<<"$manual" || fail "manual lacks $h"
done
for pdf in "$doc/mv2_card.pdf" "$doc/mv2_manl.pdf"; do
  # Equations are vector drawings with text: no embedded bitmaps at all.
  [ "$(pdfimages -list "$pdf" | tail -n +3 | wc -l)" -eq 0 ] || fail "$pdf holds bitmaps"
done

step "Debian package"
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || fail "cpack"
deb=$(ls "$build"/molvex2_*_amd64.deb)
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v "root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"
apt-get install --simulate "$deb" >/dev/null || fail "dependencies do not resolve"
info=$(dpkg-deb -I "$deb")
grep -q "Section: science" <<<"$info" || fail "section"
grep -q "fonts-liberation, fonts-urw-base35" <<<"$info" || fail "font dependencies"
[ -z "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'postinst|prerm|postrm|preinst')" ] || fail "maintainer scripts"
dpkg -x "$deb" "$work/deb"
grep -qx 'Exec="/usr/bin/molvex2" -Embedding' "$work/deb/usr/share/dbus-1/services/com.tamrel.Molvex2.service" ||
  fail "packaged service Exec line"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config "$work/deb/usr/bin/molvex2-render" "Fe3+ + 3OH- => Fe(OH)3" -o "$work/d.png"
[ -s "$work/d.png" ] || fail "packaged renderer"
echo "install checks passed"
