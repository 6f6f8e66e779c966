# Shared by ./run and ./test: install what is missing, then configure and
# build incrementally. Sourced, not run.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build needs on every machine.
# librsvg2-bin renders the large menu icons from their SVGs; lrelease
# (qt6-l10n-tools) compiles the catalogues, and Qt's own are in
# qt6-translations-l10n. zstd packs undo steps and the recovery copy.
# qt6-image-formats-plugins reads WebP, TIFF and TGA and writes the first two.
# libjpeg-dev writes JPEGs with the quality and colour resolution they
# were opened with; libpng-dev reads what comes before the damage in a PNG.
# libheif-dev (HEIC, AVIF) and libjxl-dev (JPEG XL) read and write the
# phone's and the web's formats, which Qt here cannot; libexiv2-dev keeps a
# photo's details (EXIF, XMP, IPTC) when it is saved.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-l10n-tools
  qt6-translations-l10n qt6-image-formats-plugins libzstd-dev libjpeg-dev libpng-dev
  libheif-dev libjxl-dev libexiv2-dev pkg-config
  librsvg2-bin fonts-dejavu-core fonts-liberation2)

# What building and checking the Debian packages needs on top.
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream appstream-compose)

missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      echo "$pkg"
    fi
  done
}

# as_root WHAT COMMAND...: runs the command as root, through sudo if needed;
# without sudo, says what to do as root and stops.
as_root() {
  local what="$1"
  shift
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "$what. Do this as root: $*" >&2
    exit 1
  fi
}

# Installs the named packages that are not installed yet, quietly.
ensure_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  missing=$(echo $missing)
  echo "Installing: $missing" >&2
  as_root "Missing packages: $missing" apt-get update -qq >/dev/null
  # shellcheck disable=SC2086
  as_root "Missing packages: $missing" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# Generates the named UTF-8 locales (de_DE.UTF-8, ...) that are missing; the
# tests run the programs under them. Needs the package locales.
ensure_locales() {
  local name
  for name in "$@"; do
    if ! locale -a 2>/dev/null | grep -qix "${name%%.*}.utf8"; then
      as_root "Missing locale $name" localedef -i "${name%%.*}" -f UTF-8 "$name"
    fi
  done
}

# configure_and_build BUILD_DIR TARGET... -- CMAKE_ARGS...
configure_and_build() {
  local dir="$1"
  shift
  local targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    targets+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  local build_args=()
  for t in "${targets[@]}"; do build_args+=(--target "$t"); done
  cmake --build "$dir" -j "$jobs" "${build_args[@]}"
}
