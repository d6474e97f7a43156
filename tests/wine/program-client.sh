# Sourced by every client that runs inside run-wine.sh (the test clients of tests/wine*/, the
# demo's and the benchmark's): the one place for what they share. Sources common.sh. A client
# defines fail() (report and exit 1) itself; Hookfast_<HF_EDITION>.exe is the program (EN).
#
#   inspect ARGS...               hfinspect.exe (tools/inspect; its commands are listed at the
#                                 top of Inspect.cpp) on the program's windows, its output
#                                 without CRs, its status hfinspect's. The only wrapper of it:
#                                 a client that starts its Wine programs another way redefines
#                                 wine_command; inspect_limit=SECONDS ends a run that hangs
#                                 (status 124), inspect_quiet=1 drops hfinspect's complaints.
#   wine_command                  prints the command that starts a Wine program (wine)
#   wait_for SECS COMMAND...      runs COMMAND until it succeeds, at most SECS seconds
#   start_program FOLDER [TRACE]  starts the program from FOLDER (its output in
#                                 FOLDER/program.out, Wine's debug output in TRACE if given)
#   close_program                 closes the main window; the program must end by itself, with 0
#   close_program_watching_errors  the same, and no settings error box may show meanwhile
#   log_holds TEXT [COUNT] [SECS] waits until the stand-in's log holds TEXT COUNT times (1),
#                                 at most SECS seconds (60); the status says whether it did
#   log_after ANCHOR PATTERN [COUNT] [SECS]
#                                 the same for lines matching the extended regular expression
#                                 PATTERN after the first line holding the text ANCHOR
#   signal_operating              once the program operates, lets the scenario's `wait ready` end
#   error_box                     the text of an open "Unable to write to" error box, if any
#   settled_shot FILE X Y W H     a screenshot of that part of the screen once Wine has painted
#                                 it: two looks in a row the same, not one colour only
#
# Waits are on states (a window's text, a line in the stand-in's log, the picture on the
# display), never a fixed time: a busy machine makes every step slower.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

wine_command() { echo wine; }
inspect_limit=""
inspect_quiet=""
inspect() {
  local run=()
  [ -n "$inspect_limit" ] && run=(timeout "$inspect_limit")
  if [ -n "$inspect_quiet" ]; then
    "${run[@]}" $(wine_command) "$HF_WIN32_BUILD_DIR/tools/inspect/hfinspect.exe" "$@" 2>/dev/null | tr -d '\r'
  else
    "${run[@]}" $(wine_command) "$HF_WIN32_BUILD_DIR/tools/inspect/hfinspect.exe" "$@" | tr -d '\r'
  fi
}

wait_for() {
  local end=$((SECONDS + $1 + 1)); shift  # + 1: SECONDS counts whole seconds
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.2; done
}

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

# The close of a program that saves its settings: fails when a settings error box shows while
# it ends (the box would hold it open), when it has not ended within a minute, or when it ends
# with a status other than 0.
close_program_watching_errors() {
  local box rc
  inspect close >/dev/null
  for _ in $(seq 120); do
    kill -0 "$hf_program" 2>/dev/null || break
    box=$(error_box)
    [ -z "$box" ] || fail "the close showed the error box \"$box\""
    sleep 0.5
  done
  kill -0 "$hf_program" 2>/dev/null && fail "the program did not end after the close"
  wait "$hf_program"
  rc=$?
  [ "$rc" -eq 0 ] || fail "Hookfast_${HF_EDITION:-EN}.exe ended with $rc"
}

log_holds() {
  local want=${2:-1} end=$((SECONDS + ${3:-60} + 1)) n
  while :; do
    n=$(grep -c -F -- "$1" "$HF_STANDIN_LOG" 2>/dev/null)
    [ "${n:-0}" -ge "$want" ] && return 0
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

log_after() {
  local want=${3:-1} end=$((SECONDS + ${4:-60} + 1)) n
  while :; do
    # Through the environment: awk -v would take the pattern's backslashes as escapes.
    n=$(HF_ANCHOR=$1 HF_PATTERN=$2 awk 'seen && $0 ~ ENVIRON["HF_PATTERN"] { n++ }
                                        !seen && index($0, ENVIRON["HF_ANCHOR"]) { seen = 1 }
                                        END { print n + 0 }' "$HF_STANDIN_LOG" 2>/dev/null)
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

# Without a window manager Wine puts a window's picture on the display a moment after the
# program has drawn it, later still on a busy machine: look until two looks agree.
settled_shot() {
  local file=$1 crop="$4x$5+$2+$3" last="${1%.png}.look.png" end=$((SECONDS + 20)) colours
  rm -f "$last"
  while :; do
    import -display "$DISPLAY" -window root -crop "$crop" +repage "$file" || return 1
    colours=$(identify -format '%k' "$file" 2>/dev/null)
    if [ "${colours:-1}" -gt 1 ] && [ -f "$last" ] &&
       [ "$(compare -metric AE "$last" "$file" null: 2>&1)" = 0 ]; then
      break
    fi
    [ "$SECONDS" -lt "$end" ] || break  # the latest look: a picture that keeps changing
    cp "$file" "$last"
    sleep 0.3
  done
  rm -f "$last"
}
