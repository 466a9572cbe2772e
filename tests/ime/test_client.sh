# Sourced by the input method end-to-end tests: what they share in driving
# the text client they started (qt_text_client or gtk_entry_client.py), its
# commands on descriptor 5, its output in $tmp/client.out, the text of its
# two boxes in $tmp/text and $tmp/text.b.
tell() { echo "$*" >&5; }
# ask PREFIX COMMAND...: sends the command and prints the rest of the first
# new line of the client's output that begins with PREFIX.
ask() {
  local prefix=$1 before
  shift
  before=$(grep -c "^$prefix " "$tmp/client.out" || true)
  tell "$@"
  for _ in $(seq 100); do
    [ "$(grep -c "^$prefix " "$tmp/client.out")" -gt "$before" ] && break
    sleep 0.02
  done
  grep "^$prefix " "$tmp/client.out" | tail -1 | cut -d' ' -f2-
}
stop_client() {
  kill "$client_pid" 2>/dev/null || true
  wait "$client_pid" 2>/dev/null || true
  client_pid=
  exec 5>&-
}
text() { cat "$tmp/text" 2>/dev/null || true; }
text_b() { cat "$tmp/text.b" 2>/dev/null || true; }
