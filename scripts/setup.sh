# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the other scripts: installs what the build needs from Debian's
# packages when it is missing, and configures and builds into a folder.

QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

QM_PACKAGES=(
  cmake ninja-build g++ pkg-config g++-mingw-w64-x86-64-posix clang-format
  qt6-base-dev qt6-translations-l10n libgl-dev libqt6svg6
  desktop-file-utils appstream adwaita-icon-theme
  googletest wine64 wine locales
  libfontconfig-dev libfreetype-dev libharfbuzz-dev libicu-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-fonttools
  fonts-wqy-microhei
  xvfb xdotool dbus python3-gi at-spi2-core python3-pyatspi gir1.2-atspi-2.0 imagemagick
  libcups2-dev cups-daemon cups-client poppler-utils
)

qm_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

qm_install_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  qm_as_root apt-get update -qq
  qm_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# qm_build BUILD_DIR BUILD_TYPE [cmake options...]
qm_build() {
  local dir=$1 type=$2
  shift 2
  cmake -S "$QM_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
  cmake --build "$dir"
}
