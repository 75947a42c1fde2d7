# shellcheck shell=bash
# Prepares a Wine prefix for the Windows programs and their tests. Source it with the prefix path:
#
#   source scripts/wine/wine-env.sh build/windows/wine           # console programs, test suites
#   VERRASK_WINE_DISPLAY=xvfb source scripts/wine/wine-env.sh P  # windows too, on a virtual screen
#
# On return:
# - WINEPREFIX (absolute) names the prefix, created on first use (about 12 s) and reused after;
#   WINEDEBUG=-all keeps Wine's own diagnostics off the programs' stderr; WINEDLLOVERRIDES keeps
#   the first start from offering to install .NET and HTML engines.
# - Tahoma (regular and bold) is in the prefix's windows/Fonts: Debian's Wine does not load the
#   copies in /usr/share/wine/fonts by itself.
# - A persistent wineserver (`wineserver -p`) runs for the prefix, so programs started one after
#   another do not each wait for the server to shut down and start again.
# - Windows need an X display. With VERRASK_WINE_DISPLAY=xvfb (and no DISPLAY set) an Xvfb
#   screen (1280x1024x24) with openbox is started and DISPLAY exported; with
#   VERRASK_WINE_DISPLAY=null the prefix uses Wine's null graphics driver instead (windows exist
#   and paint into memory, nothing is shown; screenshots need xvfb). Unset: DISPLAY as it is.
#   The choice is written into the prefix, so set it on every sourcing that opens windows.
# - `wine_env_stop` shuts the prefix's wineserver and the Xvfb/openbox this script started.
# Console programs need no display. Nothing here needs the i386 architecture: wine64 runs the
# 64-bit programs alone.

wine_env_prefix="${1:?usage: source scripts/wine/wine-env.sh PREFIX_DIR}"
mkdir -p "$wine_env_prefix"
export WINEPREFIX
WINEPREFIX="$(cd "$wine_env_prefix" && pwd)"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Debian's wrapper looks for a 32-bit loader first; point it at the 64-bit one directly.
if [ -z "${WINELOADER:-}" ] && [ -x /usr/lib/wine/wine64 ] && [ ! -x /usr/lib/wine/wine ]; then
  export WINELOADER=/usr/lib/wine/wine64
fi

wine_env_started_pids=()
if [ "${VERRASK_WINE_DISPLAY:-}" = xvfb ] && [ -z "${DISPLAY:-}" ]; then
  # The server picks a free display number itself and reports it: sessions started at the same
  # time never share one screen.
  wine_env_displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$wine_env_displayfile" >/dev/null 2>&1 &
  wine_env_started_pids+=($!)
  for _ in $(seq 100); do [ -s "$wine_env_displayfile" ] && break; sleep 0.1; done
  DISPLAY=":$(tr -dc 0-9 <"$wine_env_displayfile")"
  export DISPLAY
  rm -f "$wine_env_displayfile"
  openbox >/dev/null 2>&1 &
  wine_env_started_pids+=($!)
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w
fi
# Neither the server nor Wine's background processes may hold the caller's output pipes.
if wineserver -p </dev/null >/dev/null 2>&1; then
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
fi

wine_env_fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$wine_env_fonts"
for wine_env_font in tahoma.ttf tahomabd.ttf; do
  if [ -f "/usr/share/wine/fonts/$wine_env_font" ] &&
    ! cmp -s "/usr/share/wine/fonts/$wine_env_font" "$wine_env_fonts/$wine_env_font"; then
    cp "/usr/share/wine/fonts/$wine_env_font" "$wine_env_fonts/"
  fi
done

case "${VERRASK_WINE_DISPLAY:-}" in
  null) wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 ;;
  *) wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1 || true ;;
esac

# Tells wine-run.sh that the prefix is complete.
touch "$WINEPREFIX/.verrask-ready"

wine_env_stop() {
  wineserver -k 2>/dev/null || true
  local pid
  for pid in "${wine_env_started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wine_env_started_pids=()
}
