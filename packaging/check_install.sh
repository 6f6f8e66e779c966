#!/usr/bin/env bash
# check_install.sh CMAKE BUILD_DIR STAGE_DIR
# Installs the build into STAGE_DIR and checks what a desktop needs from it:
# both programs, their menu entries, icons and AppStream data, valid and
# naming each other consistently. Exits 77 (skipped) without the validators.
set -euo pipefail

cmake=$1
build=$2
stage=$3

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (desktop-file-utils, appstream)"
    exit 77
  fi
done

rm -rf "$stage"
"$cmake" --install "$build" --prefix "$stage" >/dev/null

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# png_size FILE: "WIDTHxHEIGHT" from the IHDR chunk.
png_size() {
  local b
  read -r -a b <<<"$(od -An -v -tu1 -j16 -N8 "$1")"
  echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))x$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
}

# desktop_key FILE KEY: the value of KEY in the [Desktop Entry] group.
desktop_key() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1" | head -n 1
}

# program id
apps="paint io.github.sketchly.Paint
calc io.github.sketchly.Calc"

while read -r program id; do
  bin="$stage/bin/$program"
  desktop="$stage/share/applications/$id.desktop"
  metainfo="$stage/share/metainfo/$id.metainfo.xml"

  [ -x "$bin" ] || fail "$bin is missing or not executable"

  if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "$desktop does not validate"
    exec_line=$(desktop_key "$desktop" Exec)
    [ "$exec_line" = "$program" ] || fail "$desktop: Exec=$exec_line, expected $program"
    icon=$(desktop_key "$desktop" Icon)
    [ "$icon" = "$id" ] || fail "$desktop: Icon=$icon, expected $id"
  else
    fail "$desktop is missing"
  fi

  for size in 16 32; do
    png="$stage/share/icons/hicolor/${size}x${size}/apps/$id.png"
    if [ -f "$png" ]; then
      actual=$(png_size "$png")
      [ "$actual" = "${size}x${size}" ] || fail "$png is $actual"
    else
      fail "$png is missing"
    fi
  done

  if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" || fail "$metainfo does not validate"
    grep -q "<id>$id</id>" "$metainfo" || fail "$metainfo: id is not $id"
    grep -q "<binary>$program</binary>" "$metainfo" || fail "$metainfo does not provide $program"
  else
    fail "$metainfo is missing"
  fi
done <<<"$apps"

# Across files: each metainfo's launchable names a .desktop file in the tree.
appstreamcli validate-tree --no-net "$stage" || fail "the installed tree does not validate"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "OK: installed tree in $stage"
