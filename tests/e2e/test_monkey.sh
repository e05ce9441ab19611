#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# A monkey run: random clicks, drags, keys and typed names (Chinese and Latin) over every
# control of the real window for YZ_MONKEY_SECONDS (20 by default). The program must stay
# alive and responsive, its memory must not keep growing, and no dialog may be left open.
source "$(dirname "$0")/lib.sh"
seconds=${YZ_MONKEY_SECONDS:-20}
yz_start_display
# Whatever the monkey saves lands in the test's own folder, which the dialog opens in.
mkdir -p "$YZ_WORK/home"
cd "$YZ_WORK/home"
yz_start_program CUPS_SERVER=127.0.0.1:9 HOME="$YZ_WORK/home"
yz_window_geometry
rss() { awk '/^VmRSS/ {print $2}' "/proc/$YZ_PROGRAM_PID/status"; }
rss_start=$(rss)
RANDOM=20261208
names=(欧阳娜娜 司马 纪元朗 王 "" "  " Osric Li 诸葛亮 𠀀𠀁 "a b c" 1234567890 上官婉儿)
# Spots over the controls (client coordinates): name boxes, lists, swatch, buttons, canvas.
spots=("140 118" "360 118" "606 113" "606 156" "606 196" "590 236" "552 293" "616 282" "532 343"
       "624 343" "230 60" "230 280" "120 200" "400 400" "700 20")
events=0
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  read -r sx sy <<<"${spots[$((RANDOM % ${#spots[@]}))]}"
  x=$((YZ_X + sx + RANDOM % 11 - 5))
  y=$((YZ_Y + sy + RANDOM % 11 - 5))
  case $((RANDOM % 7)) in
    0 | 1) xdotool mousemove "$x" "$y" click 1 ;;
    2) xdotool mousemove "$x" "$y" mousedown 1 mousemove "$((x + RANDOM % 41 - 20))" "$((y + RANDOM % 21 - 10))" mouseup 1 ;;
    3) xdotool mousemove "$x" "$y" click 1 key ctrl+a type --delay 5 "${names[$((RANDOM % ${#names[@]}))]}" ;;
    4) xdotool key --delay 5 Down Return ;;
    5) xdotool key Escape ;;
    6) xdotool mousemove "$x" "$y" click 3 ;;
  esac
  events=$((events + 1))
  kill -0 "$YZ_PROGRAM_PID" 2>/dev/null || { cat "$YZ_WORK/program.log" >&2; yz_fail "crashed after $events events"; }
done
# Close whatever the monkey opened, then the main window must be the only one left.
for _ in 1 2 3 4 5 6; do xdotool key Escape; sleep 0.2; done
sleep 0.5
kill -0 "$YZ_PROGRAM_PID" 2>/dev/null || yz_fail "crashed at the end"
windows=$(xdotool search --onlyvisible --pid "$YZ_PROGRAM_PID" 2>/dev/null | wc -l)
rss_end=$(rss)
echo "monkey: $seconds s, $events events, memory ${rss_start} kB -> ${rss_end} kB, $windows visible windows"
[ "$windows" -le 1 ] || yz_fail "a dialog was left open"
[ "$rss_end" -lt $((rss_start * 3 + 100000)) ] || yz_fail "memory grew from $rss_start kB to $rss_end kB"
# Responsive: with a readable size and a name typed again, the canvas still draws. (The monkey may
# have typed text into the size box, which rightly makes every drawing fail until it is mended.)
xdotool mousemove "$((YZ_X + 590))" "$((YZ_Y + 236))" click 1 key ctrl+a type "48"
xdotool key Return
sleep 0.3
for _ in 1 2 3; do xdotool key Escape; sleep 0.2; done
xdotool mousemove "$((YZ_X + 360))" "$((YZ_Y + 118))" click 1 key ctrl+a type "Osric"
xdotool mousemove "$((YZ_X + 140))" "$((YZ_Y + 118))" click 1 key ctrl+a type "纪元朗"
sleep 0.5
yz_screenshot "$YZ_WORK/end.png"
read -r left top width height < <(yz_ink_box "$YZ_WORK/end.png")
[ "${width:-0}" -gt 0 ] || yz_fail "nothing drawn after the monkey run"
