# Wine for this project's Windows programs: a private prefix (see wine-prefix.sh).
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wineprefix}"
. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

build_windows_program() {
  configure_preset windows >/dev/null
  cmake --build --preset windows -j "$(nproc)" --target boxloom boxloom-league >/dev/null
}
