#!/usr/bin/env bash
# Screenshots of Pellion's and Glossor's windows in English and Chinese, taken under Xvfb
# and driven with xdotool: the main window with the example tasks, the task editor's
# three pages, the packet editor, the Options dialog and Glossor. Builds nothing: it runs
# a copy of a built program directory with a temporary HOME, so neither the directory
# nor your settings change.
#   scripts/screenshots.sh [PROGRAM-DIR] [OUT-DIR]   (default: build/dist, docs/screenshots)
# Needs Xvfb, xdotool and ImageMagick (import, convert).
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
prog=$(readlink -f "${1:-$here/../build/dist}")
out=$(readlink -m "${2:-$here/../docs/screenshots}")
wait_limit=${SCREENSHOT_WAIT:-30}   # seconds any one window may take to appear or go

for tool in Xvfb xdotool import convert xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh test installs it)." >&2; exit 1; }
done
[ -x "$prog/Pellion" ] && [ -x "$prog/Glossor" ] ||
  { echo "No Pellion and Glossor in $prog: build first (scripts/build.sh)." >&2; exit 1; }
mkdir -p "$out"

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
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  if [ $((X + WIDTH)) -gt 1600 ] || [ $((Y + HEIGHT)) -gt 1000 ]; then
    echo "Warning: $2 is larger than the screen (${WIDTH}x${HEIGHT}+$X+$Y)." >&2
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

# Titles as the language files give them.
declare -A title_en=([main]='^Pellion$' [task]='Sync Task Properties' [packet]='^Package$' [options]='^Options$')
declare -A title_zh=([main]='^Pellion$' [task]='同步任务属性' [packet]='^数据包$' [options]='^选项$')

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
  click_in "$main" 700 300
  xdotool key Home
  xdotool type --delay 50 'EAP-MD5'
  main=$(await_window "$pellion" "${title[main]}")
  shoot "$main" "main-window-$lang"

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

shoot_language en English title_en
shoot_language zh 简体中文 title_zh
