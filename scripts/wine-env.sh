# Sourced: starts a private Xvfb and a fresh 32-bit Wine prefix, and stops exactly those on exit.
qm_start_display_and_wine() {
  QM_TMP=$(mktemp -d /tmp/qm-test.XXXXXX)
  local dfd=$QM_TMP/display
  exec 9>"$dfd"
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  QM_XVFB=$!
  exec 9>&-
  local i=0
  until [ -s "$dfd" ]; do sleep 0.05; i=$((i+1)); [ $i -lt 400 ] || { echo "Xvfb did not start" >&2; return 1; }; done
  export DISPLAY=:$(cat "$dfd")
  export WINEPREFIX=$QM_TMP/pfx WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot -i >/dev/null 2>&1
  qm_unmanaged_windows
  wineserver -k; wineserver -w; wineserver -p
  wineboot >/dev/null 2>&1   # start the services again here, not under ctest (they would hold its pipes)
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  trap qm_stop_display_and_wine EXIT
}
# Without a window manager, Wine waits up to 2 s for one whenever a managed window hides: the
# prefix's windows are left unmanaged, in the tests and in scripts/run.sh alike.
qm_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
qm_stop_display_and_wine() {
  wineserver -k 2>/dev/null || true
  [ -n "${QM_XVFB:-}" ] && kill "$QM_XVFB" 2>/dev/null || true
  [ -n "${QM_TMP:-}" ] && rm -rf "$QM_TMP"
}
