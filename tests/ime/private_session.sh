# Sourced by the input method end-to-end tests. private_session NAME ARGS...
# runs the calling script again, with ARGS, inside a private X display
# (Xvfb) and session bus, its home and XDG folders in a temporary folder, so
# that nothing outside that folder is read or written; the outer run exits
# with the inner one's status. In the inner run it returns, with $tmp the
# temporary folder and the user's Lekhora data folder made.
private_session() {
  local name=$1
  shift
  if [ -n "${LEKHORA_PRIVATE_SESSION:-}" ]; then
    tmp=$LEKHORA_PRIVATE_SESSION
    return 0
  fi
  tmp=$(mktemp -d "/tmp/lekhora-$name-test.XXXXXX")
  xvfb_pid=
  # A file written into the folder while it is removed fails the removal:
  # once more after a moment, and a folder left in /tmp fails no test.
  trap '[ -n "$xvfb_pid" ] && end_process "$xvfb_pid"; rm -rf "$tmp" 2>/dev/null || { sleep 1; rm -rf "$tmp"; } || true' EXIT
  # Everything a session service could write goes into the temporary folder;
  # these must be exported before the bus starts, which passes them on.
  export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
  export XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/runtime
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME/lekhora" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
  [ -s "$tmp/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=:$(cat "$tmp/display") LEKHORA_PRIVATE_SESSION=$tmp
  local status=0
  dbus-run-session -- bash "$0" "$@" || status=$?
  exit $status
}

# Ends a process of the run and waits until it is gone: fcitx5 and the IBus
# daemon write their configuration as they end, which must be over before
# the temporary folder is removed.
end_process() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  kill -9 "$1" 2>/dev/null || true
}
