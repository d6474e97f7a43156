# Sourced by a test client that runs inside run-wine.sh and drives Hookfast_<HF_EDITION>.exe
# (default EN); the client defines fail() (report and exit 1) itself.
#   start_program FOLDER [TRACE]  starts the program from FOLDER (its output in
#                                 FOLDER/program.out, Wine's debug output in TRACE if given)
#   inspect ARGS...               hfinspect.exe on the program's main window
#   close_program                 closes the main window; the program must end by itself, with 0
#   log_holds TEXT [COUNT] [SECS] waits until the stand-in's log holds TEXT COUNT times (1),
#                                 at most SECS seconds (60); the status says whether it did
#   signal_operating              once the program operates, lets the scenario's `wait ready` end
#   error_box                     the text of an open "Unable to write to" error box, if any
inspect() { wine "$HF_WIN32_BUILD_DIR/tools/inspect/hfinspect.exe" "$@" | tr -d '\r'; }

# The box of a settings error that no handler caught, if one is open.
error_box() {
  inspect --class '#32770' --wait 1 list 2>/dev/null | awk -F'\t' '/Unable to write to/ { print $NF; exit }'
}

start_program() {
  cd "$1" || exit 1
  wine "Hookfast_${HF_EDITION:-EN}.exe" >"$1/program.out" 2>"${2:-/dev/null}" &
  hf_program=$!
}

close_program() {
  inspect close >/dev/null
  inspect --wait 60 gone >/dev/null || fail "the main window did not close"
  wait "$hf_program"
  local rc=$?
  [ "$rc" -eq 0 ] || fail "Hookfast_${HF_EDITION:-EN}.exe ended with $rc"
}

log_holds() {
  local want=${2:-1} end=$((SECONDS + ${3:-60} + 1)) n  # + 1: SECONDS counts whole seconds
  while :; do
    n=$(grep -c -F -- "$1" "$HF_STANDIN_LOG" 2>/dev/null)
    [ "${n:-0}" -ge "$want" ] && return 0
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# The start's message in the stand-in's log: the zones are loaded and the keys hold their slots.
signal_operating() {
  log_holds '"message":' 1 120 || fail "the program's start showed no message in 120 s"
  : >"$HF_SIGNAL_DIR/ready"
}
