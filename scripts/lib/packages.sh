# Installs the Debian packages given as arguments when any is missing.
ensure_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Installs the Debian package $2 when the command $1 is missing (a command may
# also come from elsewhere, as npm does with another Node.js).
ensure_command() {
  command -v "$1" >/dev/null 2>&1 || ensure_packages "$2"
}

NATIVE_PACKAGES=(libkainjow-mustache-dev libxml2-utils cmake ninja-build ccache g++ libgtest-dev googletest libbenchmark-dev libsqlite3-dev sqlite3)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth)
CHECK_PACKAGES=(git clang clang-format libclang-rt-dev unzip dpkg-dev strace)

source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
