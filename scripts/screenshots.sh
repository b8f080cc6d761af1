#!/usr/bin/env bash
# Screenshots of Pellion's and Glossor's windows in English and Chinese, taken under Xvfb
# and driven with xdotool: the main window with the example tasks, the task editor's
# four pages, the packet editor, the Run History window, the Decode Packet window with a
# request decoded, the Options dialog and Glossor;
# where the demo server can run (FreeRADIUS installed, its configuration readable), also
# the main window after runs of two example tasks against it. Builds nothing: it runs a
# copy of a built program directory with a temporary HOME, so neither the directory nor
# your settings change.
# The shots the help pages show are copied, with fewer colours, into HELP-IMAGES.
#   scripts/screenshots.sh [PROGRAM-DIR] [OUT-DIR] [HELP-IMAGES]
#   (default: build/dist, docs/screenshots, data/Help/images)
# Needs Xvfb, xdotool and ImageMagick (import, convert).
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
prog=$(readlink -f "${1:-$here/../build/dist}")
out=$(readlink -m "${2:-$here/../docs/screenshots}")
help_images=$(readlink -m "${3:-$here/../data/Help/images}")
wait_limit=${SCREENSHOT_WAIT:-30}   # seconds any one window may take to appear or go

for tool in Xvfb xdotool import convert xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh test installs it)." >&2; exit 1; }
done
if [ ! -x "$prog/Pellion" ] || [ ! -x "$prog/Glossor" ]; then
  echo "No Pellion and Glossor in $prog: build first (scripts/build.sh)." >&2
  exit 1
fi
mkdir -p "$out" "$help_images"

work=$(mktemp -d "${TMPDIR:-/tmp}/pellion-screenshots.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# A display of our own: the first free number from 90 on.
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
timeout "$wait_limit" bash -c 'until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done' ||
  { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }

# The visible window of process $1 whose title matches the regular expression $2.
window_of() {
  timeout "$wait_limit" xdotool search --all --sync --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1
}
await_window() {
  local id
  id=$(window_of "$1" "$2") || true
  [ -n "$id" ] || { echo "No window \"$2\" appeared within $wait_limit s." >&2; exit 1; }
  xdotool mousemove 1599 999   # no hover hints over the picture
  sleep 0.5                    # let it finish painting
  echo "$id"
}
await_gone() {
  local deadline=$((SECONDS + wait_limit))
  while xdotool search --all --onlyvisible --pid "$1" --name "$2" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "Window \"$2\" did not close." >&2; exit 1; }
    sleep 0.1
  done
}
# Saves window $1 as $2.png, cut from the whole screen so that dialogs keep their owner's
# pixels where they overlap nothing.
shoot() {
  # shellcheck disable=SC2034 # set by the eval, as are X, Y, WIDTH and HEIGHT
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  if [ "$X" -lt 0 ] || [ "$Y" -lt 0 ] || [ $((X + WIDTH)) -gt 1600 ] || [ $((Y + HEIGHT)) -gt 1000 ]; then
    # Partly off the screen (a dialog centred on a smaller owner): bring it all on.
    xdotool windowmove "$1" 0 0
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$1")"
    if [ $((X + WIDTH)) -gt 1600 ] || [ $((Y + HEIGHT)) -gt 1000 ]; then
      echo "Warning: $2 is larger than the screen (${WIDTH}x${HEIGHT}); its picture is cut." >&2
    fi
  fi
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$2.png"
  echo "$out/$2.png"
}
# Clicks at a point of window $1 (to give a list the keyboard focus without choosing a row).
click_in() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.2
}

# Chooses the task named $2 in the task list of window $1, by typing its name there.
select_task() {
  click_in "$1" 700 300
  xdotool key Home
  xdotool type --delay 50 "$2"
}

# Runs the example task $3 (chosen by typing its name into the task list of window $2) and
# waits until its block is in the log file of program directory $1.
run_example() {
  select_task "$2" "$3"
  xdotool key Return
  local deadline=$((SECONDS + wait_limit))
  until grep -qsF "Test finished [$3]" "$1"/Log/*; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "The run of $3 did not end within $wait_limit s." >&2; exit 1; }
    sleep 0.2
  done
  xdotool mousemove 1599 999
}

# The demo server on its usual ports, which the example tasks address; none when it cannot run.
demo=
start_demo_server() {
  [ -x /usr/sbin/freeradius ] && [ -r /etc/freeradius/3.0/radiusd.conf ] || return 0
  "$prog/demo-server.sh" >"$work/demo-server.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  local deadline=$((SECONDS + wait_limit))
  until grep -qs 'Ready to process requests' "$work/demo-server.log"; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "Note: the demo server did not start (see below); no shots of runs." >&2
      tail -n 5 "$work/demo-server.log" >&2
      return 0
    fi
    sleep 0.2
  done
  demo=$pid
}

# Titles as the language files give them (shoot_language takes the table by name).
# shellcheck disable=SC2034
declare -A title_en=([main]='^Pellion$' [task]='Sync Task Properties' [packet]='^Package$' [options]='^Options$'
                     [history]='^Run History - ' [decoder]='^Decode Packet$')
# shellcheck disable=SC2034
declare -A title_zh=([main]='^Pellion$' [task]='同步任务属性' [packet]='^数据包$' [options]='^选项$'
                     [history]='^运行历史 - ' [decoder]='^解码数据包$')
# An Accounting-Request (Id 7) of User-Name bob and NAS-Port 1, its authenticator made with
# the secret testing123.
decoder_packet='04 07 00 1f 9a 58 d4 5a 8c 0e de d5 c5 21 1e fe fe 70 e4 c7 01 05 62 6f 62 05 06 00 00 00 01'

shoot_language() {
  local lang=$1 language=$2
  local -n title=$3
  local home="$work/home-$lang" dir="$work/program-$lang"
  # A fresh copy: no tasks, no log, no window state of earlier runs.
  cp -a "$prog" "$dir"
  rm -rf "$dir/Pellion.dat" "$dir/script" "$dir/Log"
  mkdir -p "$dir/script" "$dir/Log" "$home/.config/Pellion" "$home/.local/share" "$home/runtime"
  chmod 700 "$home/runtime"
  printf '[General]\nLanguage=%s\n' "$language" >"$home/.config/Pellion/PellionLanguage.ini"
  local -a env=(env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
                XDG_RUNTIME_DIR="$home/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8)

  (cd "$dir" && exec "${env[@]}" ./Pellion) >"$work/pellion-$lang.log" 2>&1 &
  local pellion=$!
  pids+=("$pellion")
  local main
  main=$(await_window "$pellion" "${title[main]}")
  xdotool windowmove "$main" 0 0 windowsize "$main" 1100 700
  xdotool windowfocus --sync "$main"

  # Help > Load Example Tasks (the menu's last item), then the group "Examples" (the
  # tree's last row) and its task EAP-MD5 (by typing its name into the list).
  xdotool key alt+h
  sleep 0.3
  xdotool key Up Return
  sleep 1
  click_in "$main" 40 300
  xdotool key End
  sleep 0.5
  select_task "$main" EAP-MD5
  main=$(await_window "$pellion" "${title[main]}")
  shoot "$main" "main-window-$lang"
  if [ -n "$demo" ]; then
    run_example "$dir" "$main" EAP-SIM
    run_example "$dir" "$main" 'Accounting Start'
    main=$(await_window "$pellion" "${title[main]}")
    shoot "$main" "main-window-log-$lang"
    select_task "$main" EAP-MD5
  fi

  # The task editor: its tab bar is two Tab presses from the task name.
  xdotool key ctrl+e
  local task
  task=$(await_window "$pellion" "${title[task]}")
  xdotool windowfocus --sync "$task"
  xdotool key Tab Tab Left Left Left
  sleep 0.5
  shoot "$task" "task-editor-setting-$lang"
  xdotool key Right
  sleep 0.5
  shoot "$task" "task-editor-packets-$lang"
  xdotool key Right
  sleep 0.5
  shoot "$task" "task-editor-schedule-$lang"
  xdotool key Right
  sleep 0.5
  shoot "$task" "task-editor-expectations-$lang"
  xdotool key Left

  # The packet editor, from the packets page's Add (Alt+A there).
  xdotool key Left
  sleep 0.3
  xdotool key alt+a
  local packet
  packet=$(await_window "$pellion" "${title[packet]}")
  shoot "$packet" "packet-editor-$lang"
  xdotool windowfocus --sync "$packet"
  xdotool key Escape
  await_gone "$pellion" "${title[packet]}"
  xdotool windowfocus --sync "$task"
  xdotool key Escape
  await_gone "$pellion" "${title[task]}"

  # Action -> Run History (its key H in both languages) for the selected task: one that ran,
  # when the demo server was there.
  xdotool windowfocus --sync "$main"
  [ -z "$demo" ] || select_task "$main" 'Accounting Start'
  xdotool key alt+a
  sleep 0.3
  xdotool key h
  local history
  history=$(await_window "$pellion" "${title[history]}")
  shoot "$history" "run-history-$lang"
  xdotool windowfocus --sync "$history"
  xdotool key Escape
  await_gone "$pellion" "${title[history]}"

  # Tools -> Decode Packet (the menu's only item), with the request above decoded.
  xdotool windowfocus --sync "$main"
  xdotool key alt+t
  sleep 0.3
  xdotool key Return
  local decoder
  decoder=$(await_window "$pellion" "${title[decoder]}")
  xdotool windowfocus --sync "$decoder"
  xdotool type --delay 5 "$decoder_packet"
  xdotool key Tab Tab # past Load File... to the secret
  xdotool type --delay 20 testing123
  xdotool key Return
  sleep 0.5
  shoot "$decoder" "decode-packet-$lang"
  xdotool key Escape
  await_gone "$pellion" "${title[decoder]}"

  # Options: the menu left of Help, its first item.
  xdotool windowfocus --sync "$main"
  xdotool key alt+h
  sleep 0.3
  xdotool key Left
  sleep 0.3
  xdotool key Return
  local options
  options=$(await_window "$pellion" "${title[options]}")
  shoot "$options" "options-$lang"
  xdotool windowfocus --sync "$options"
  xdotool key Escape
  await_gone "$pellion" "${title[options]}"
  kill "$pellion"
  wait "$pellion" 2>/dev/null || true

  # Glossor on its own, with the same settings.
  (cd "$dir" && exec "${env[@]}" ./Glossor) >"$work/glossor-$lang.log" 2>&1 &
  local glossor=$!
  pids+=("$glossor")
  local dictionary
  dictionary=$(await_window "$glossor" '.')
  xdotool windowmove "$dictionary" 0 0
  dictionary=$(await_window "$glossor" '.')
  shoot "$dictionary" "glossor-$lang"
  kill "$glossor"
  wait "$glossor" 2>/dev/null || true
}

start_demo_server
shoot_language en English title_en
shoot_language zh 简体中文 title_zh

# The help pages' copies: 256 colours are plenty for windows and keep the pages small.
for lang in en zh; do
  for shot in main-window task-editor-setting task-editor-packets task-editor-schedule packet-editor options glossor \
              main-window-log; do
    [ -f "$out/$shot-$lang.png" ] && convert "$out/$shot-$lang.png" -colors 256 "PNG8:$help_images/$shot-$lang.png"
  done
done
echo "Help images: $help_images"
