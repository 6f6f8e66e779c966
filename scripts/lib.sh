# Shared by ./run and ./test: install what is missing, then configure and
# build incrementally. Sourced, not run.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build needs on every machine.
# librsvg2-bin renders the large menu icons from their SVGs.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools librsvg2-bin fonts-dejavu-core fonts-liberation2)

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

# Installs the named packages that are not installed yet, quietly, as root or
# through sudo.
ensure_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Missing packages: $missing. Install them as root (apt-get install $missing)." >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "Installing: $(echo $missing)" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq >/dev/null
  # shellcheck disable=SC2086
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing >/dev/null
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
