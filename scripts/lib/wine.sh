# Wine for this project's Windows programs: a private prefix, no Mono or Gecko prompts.
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

build_windows_program() {
  configure_preset windows >/dev/null
  cmake --build --preset windows -j "$(nproc)" --target boxloom boxloom-league >/dev/null
  [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
}
