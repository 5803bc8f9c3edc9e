#!/bin/sh
# Embeds an equation with nothing but gdbus: create an object, set its text, fetch
# its picture, save its native data. Run inside a session bus that can start the
# equation server (molvex2 -r registers it for the user's bus).
#   gdbus_demo.sh OUTDIR
set -eu
out=${1:-.}
svc=com.tamrel.Molvex2
path=/com/tamrel/Molvex2/Equation
iface=com.tamrel.Molvex2.Equation

# New answers the unique name of the process serving the object: the well-known name
# moves on to the next process, so every later call goes to that unique name.
owner=$(gdbus call --session --dest $svc --object-path $path --method $iface.New)
owner=$(echo "$owner" | sed -e "s/^('//" -e "s/',)$//")
echo "object served by $owner"

shift_call() { m=$1; shift; gdbus call --session --dest "$owner" --object-path $path --method "$iface.$m" "$@"; }

shift_call SetEquationText "2H2 + O2 -> 2H2O"
shift_call GetEquationText

# Byte arrays come back as [byte 0x.., ...]; turn them into files.
bytes_to_file() { tr -d '[](),' | tr ' ' '\n' | grep '^0x' | while read -r b; do printf "\\$(printf '%03o' "$b")"; done > "$1"; }

picture=$(shift_call GetPicture)
echo "$picture" | sed -e 's/^(\[[^]]*\], //' -e 's/)$//' | sed 's/^/picture size (0.01 mm): /'
echo "$picture" | sed -e 's/^(\(\[[^]]*\]\).*/\1/' | bytes_to_file "$out/picture.wmf"
shift_call Save | bytes_to_file "$out/contents.bin"
shift_call GetSvg | bytes_to_file "$out/picture.svg"
shift_call Release
echo "wrote $out/picture.wmf and $out/contents.bin"
