#!/usr/bin/env bash
# check_debs.sh BUILD_DIR
# Builds the Debian packages from the (optimised) build in BUILD_DIR, one per
# program from one cpack run, and checks them as Debian would: lintian
# --pedantic may leave hints, but no error and no warning. Also checks that
# nothing ties one package to the other or to Debian's calc.
set -euo pipefail

build=$(cd "$1" && pwd)

rm -f "$build"/*.deb
if ! (cd "$build" && cpack -G DEB) >"$build/cpack.log" 2>&1; then
  cat "$build/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# package command
expected="sketchly paint
sketchly-calc sketchly-calc"
debs=()
while read -r package command; do
  deb=$(ls "$build/${package}_"*.deb 2>/dev/null | head -n 1)
  if [ -z "$deb" ]; then
    fail "no package $package"
    continue
  fi
  debs+=("$deb")
  files=$(dpkg-deb --contents "$deb")
  grep -q " ./usr/bin/$command\$" <<<"$files" || fail "$package does not install /usr/bin/$command"
  [ "$(grep -cE ' \./usr/bin/[^/]+$' <<<"$files")" -eq 1 ] || fail "$package installs more than one command"
  for field in Conflicts Depends Pre-Depends; do
    value=$(dpkg-deb --field "$deb" "$field")
    if grep -qwE 'calc|sketchly|sketchly-calc' <<<"$value"; then
      fail "$package: $field: $value"
    fi
  done
done <<<"$expected"

if [ "${#debs[@]}" -gt 0 ]; then
  # Errors and warnings fail; the hints are printed for whoever reads along.
  lintian --pedantic --fail-on error,warning "${debs[@]}" || fail "lintian"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "OK: $(cd "$build" && echo *.deb)"
