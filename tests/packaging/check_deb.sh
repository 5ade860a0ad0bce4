#!/usr/bin/env bash
# Builds the .deb of a built tree with cpack and checks it: the dependencies, every installed
# file, the desktop entry and metainfo against their validators, lintian where it is installed,
# and the packaged mcishell answering a command.
# Usage: check_deb.sh BUILD_TREE
set -euo pipefail
tree=${1:?build tree}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
app_id=org.corvala.Corvala

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$tree/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack did not build the package"; }
debs=("$work"/out/*.deb)
if [ ! -f "${debs[0]}" ] || [ ${#debs[@]} -ne 1 ]; then fail "cpack made no single .deb: ${debs[*]}"; fi
deb=${debs[0]}
dpkg-deb --info "$deb"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libfluidsynth libsndfile1 libsdl2 "fluid-soundfont-gm | timgm6mb-soundfont"; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed"
done
[ "$(dpkg-deb --field "$deb" Section)" = sound ] || fail "the package is not in section sound"

root=$work/root
dpkg-deb --extract "$deb" "$root"
share=$root/usr/share
for file in "$root/usr/bin/corvala" "$root/usr/bin/mcishell" \
  "$share/man/man1/corvala.1.gz" "$share/man/man1/mcishell.1.gz" \
  "$share/applications/$app_id.desktop" "$share/metainfo/$app_id.metainfo.xml" \
  "$share/icons/hicolor/scalable/apps/$app_id.svg"; do
  [ -s "$file" ] || fail "missing ${file#"$root"}"
done
for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x$size/apps/$app_id.png
  file --brief "$icon" | grep -q "PNG image data, $size x $size," || fail "no $size px icon: ${icon#"$root"}"
done

desktop-file-validate "$share/applications/$app_id.desktop"
grep -qx 'Exec=corvala %F' "$share/applications/$app_id.desktop" || fail "the desktop entry opens no files"
[[ $(dpkg-deb --field "$deb" Maintainer) == *.invalid\> ]] || fail "the maintainer is not a placeholder"

# Each manual page is dated and versioned and names every option its program's usage names.
version=$(dpkg-deb --field "$deb" Version)
for program in corvala mcishell; do
  page=$(zcat "$share/man/man1/$program.1.gz")
  [[ $(grep '^\.TH' <<<"$page") =~ \"[0-9]{4}-[0-9]{2}-[0-9]{2}\"\ \"Corvala\ $version\" ]] ||
    fail "$program.1 carries no date and version"
  usage=$("$root/usr/bin/$program" --help 2>&1 || true)
  for option in $(grep -o -- '--[a-z]*' <<<"$usage" | sort -u); do
    grep -qF -- "\\-\\-${option#--}" <<<"$page" || fail "$program.1 does not name $option"
  done
done
appstreamcli validate --no-net --pedantic "$share/metainfo/$app_id.metainfo.xml"

reply=$(printf '\n' | "$root/usr/bin/mcishell" --sink null)
[[ $reply == 267$'\t'* ]] || fail "the packaged mcishell answered an empty command with: $reply"

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning --info "$deb"
else
  echo "lintian is not installed; the package was not linted"
fi
