# Sourced by the scripts that run Windows programs under Wine: fresh_wine_prefix DIR makes a
# new Wine prefix in DIR for the run (exported as WINEPREFIX) and stops its wineserver when
# the script exits, so that nothing is left running.
stop_wine() {
  timeout 30 wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
}

fresh_wine_prefix() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"
  trap stop_wine EXIT
  timeout 300 wineboot -i >/dev/null 2>&1
  # The services of a prefix just made (the running object table's among them) start
  # reliably only once its wineserver has been started again.
  stop_wine
}
