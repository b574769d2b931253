# Shared by the project's scripts: installs what is missing from Debian's
# packages, so that a fresh machine needs nothing by hand.

tapfinch_root() { cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd; }

need_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing from Debian: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

NATIVE_PACKAGES=(cmake ninja-build g++ libgtest-dev clang-format git)
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest g++ zip unzip)
WINE_PACKAGES=(wine wine64 fonts-wine xvfb x11-xserver-utils xdotool)
# clang and its runtime libraries, where Debian keeps libFuzzer.
FUZZ_PACKAGES=(cmake ninja-build clang libclang-rt-14-dev)
