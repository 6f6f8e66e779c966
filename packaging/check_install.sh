#!/usr/bin/env bash
# check_install.sh CMAKE BUILD_DIR STAGE_DIR
# Installs the build into STAGE_DIR and checks what a desktop needs from it:
# both programs, their menu entries, icons, AppStream data, man pages and
# Debian documents, valid and naming each other consistently, and a software
# centre's catalog (appstreamcli compose) listing both. Exits 77 (skipped)
# without the validators.
set -euo pipefail

cmake=$1
build=$2
stage=$3

for tool in desktop-file-validate appstreamcli /usr/libexec/appstreamcli-compose; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (desktop-file-utils, appstream, appstream-compose)"
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

# target command package id
apps="paint paint sketchly io.github.sketchly.Paint
calc sketchly-calc sketchly-calc io.github.sketchly.Calc"

while read -r program command package id; do
  bin="$stage/bin/$command"
  desktop="$stage/share/applications/$id.desktop"
  metainfo="$stage/share/metainfo/$id.metainfo.xml"

  [ -x "$bin" ] || fail "$bin is missing or not executable"

  if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "$desktop does not validate"
    exec_line=$(desktop_key "$desktop" Exec)
    case "$command" in
      paint) expected_exec="paint %f" ;;
      *) expected_exec=$command ;;
    esac
    [ "$exec_line" = "$expected_exec" ] || fail "$desktop: Exec=$exec_line, expected $expected_exec"
    icon=$(desktop_key "$desktop" Icon)
    [ "$icon" = "$id" ] || fail "$desktop: Icon=$icon, expected $id"
  else
    fail "$desktop is missing"
  fi

  for size in 16 32 48 64 128 256; do
    png="$stage/share/icons/hicolor/${size}x${size}/apps/$id.png"
    if [ -f "$png" ]; then
      actual=$(png_size "$png")
      [ "$actual" = "${size}x${size}" ] || fail "$png is $actual"
    else
      fail "$png is missing"
    fi
  done
  svg="$stage/share/icons/hicolor/scalable/apps/$id.svg"
  grep -q "<svg" "$svg" 2>/dev/null || fail "$svg is missing or not an SVG"

  man="$stage/share/man/man1/$command.1.gz"
  gzip -dc "$man" 2>/dev/null | grep -qF -- '\-\-version' || fail "$man is missing or lists no options"
  for doc in copyright changelog.gz; do
    [ -s "$stage/share/doc/$package/$doc" ] || fail "share/doc/$package/$doc is missing"
  done

  if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" || fail "$metainfo does not validate"
    grep -q "<id>$id</id>" "$metainfo" || fail "$metainfo: id is not $id"
    grep -q "<binary>$command</binary>" "$metainfo" || fail "$metainfo does not provide $command"
    grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "$metainfo: licence is not MIT"
    for lang in de fr; do
      grep -q "^Comment\[$lang\]=" "$desktop" || fail "$desktop has no Comment[$lang]"
      grep -q "<summary xml:lang=\"$lang\">" "$metainfo" || fail "$metainfo has no $lang summary"
    done
  else
    fail "$metainfo is missing"
  fi
done <<<"$apps"

# Opening an image from a file manager needs the types it opens.
mime=$(desktop_key "$stage/share/applications/io.github.sketchly.Paint.desktop" MimeType)
for type in image/png image/jpeg image/bmp image/gif image/x-portable-pixmap image/x-xpixmap; do
  [[ ";$mime" == *";$type;"* ]] || fail "paint's menu entry does not open $type"
done
# No type of icon files (their full names carry a vendor's).
[[ "$mime" != *icon* ]] || fail "paint's menu entry offers icon files"
# Debian's calc installs bin/calc; ours must not.
[ ! -e "$stage/bin/calc" ] || fail "bin/calc is installed"

# Across files: each metainfo's launchable names a .desktop file in the tree.
appstreamcli validate-tree --no-net "$stage" || fail "the installed tree does not validate"

# What a software centre gets: the catalog composed from the tree must list
# both programs, with their icons, and no errors (an icon under 64x64 is one).
compose="$stage.compose"
rm -rf "$compose"
if ! appstreamcli compose --no-net --no-color --prefix=/ --origin=sketchly \
  --result-root="$compose" "$stage" >"$compose.log" 2>&1; then
  cat "$compose.log"
  fail "appstreamcli compose failed"
fi
if grep -E '^\s*(E|W):' "$compose.log"; then fail "appstreamcli compose reports problems"; fi
catalog=$(find "$compose" -name '*.xml.gz' | head -n 1)
while read -r _ _ _ id; do
  gzip -dc "$catalog" 2>/dev/null | grep -q "<id>$id</id>" || fail "the catalog does not list $id"
done <<<"$apps"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "OK: installed tree in $stage"
