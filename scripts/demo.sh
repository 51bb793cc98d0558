#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds zorkvm and runs the demo:
#   - zorkvm-sim serves four simulated devices on loopback: three software agents and, when this
#     build's simulator has it, one hardware device;
#   - build/release/demo/ gets a config.ini for them and one App ("Demo") whose Scene clicks the
#     OK and the toggle button of the simulated desktop in turn, for as long as it runs;
#   - zorkvm runs on that folder. Closing it stops the simulators.
# Without a display the same demo runs headless: the App runs for 20 seconds through
# `zorkvm-cli run` (when this build has that command), its events go to build/release/demo/run.jsonl
# and a summary line per device gives the clicks per Scene and button; the main window is
# rendered offscreen to build/release/demo/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target zorkvm zorkvm-sim zorkvm-cli

build=build/release
demo="$build/demo"
size=1280x720
agent_address=127.0.0.1
hardware_address=127.0.0.20
sim="$build/tools/zorkvm-sim"
cli="$build/tools/zorkvm-cli"

free_port() {
  /usr/bin/python3 -c 'import socket,sys; s=socket.socket(); s.bind((sys.argv[1], 0)); print(s.getsockname()[1])' "$1"
}
has_sim_type() { "$sim" --help | grep -q "$1"; }
has_cli_command() { "$cli" --help | grep -q "^  $1 "; }

# The program finds config.ini, Apps/ and Scenes/ beside itself: the demo folder gets its own link.
rm -rf "$demo"
mkdir -p "$demo"
ln -f "$build/src/zorkvm" "$demo/zorkvm" 2>/dev/null || cp "$build/src/zorkvm" "$demo/zorkvm"
"$cli" demo-folder "$demo" "$size"

pids=()
stop_simulators() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap stop_simulators EXIT

agent_port=$(free_port "$agent_address")
"$sim" --type softkvm --address "$agent_address" --port "$agent_port" --devices 3 --size "$size" --fps 15 \
  --log "$demo/agents.log" 2>"$demo/agents.err" &
pids+=($!)
devices=$(for i in 0 1 2; do
  printf '{"Name":"agent %d","Type":0,"ConnectIP":"%s","Port":%d,"ScreenWidth":%d,"ScreenHeight":%d,"Apps":["Demo"]},' \
    "$((i + 1))" "$agent_address" "$((agent_port + i))" "${size%x*}" "${size#*x}"
done)

# The hardware device: MJPEG over HTTP on its port, HID reports on port 80 of its own address.
hardware_port=$(free_port "$hardware_address")
if has_sim_type tessel; then
  "$sim" --type tessel --address "$hardware_address" --port "$hardware_port" --size "$size" --fps 15 \
    --log "$demo/hardware.log" 2>"$demo/hardware.err" &
  pids+=($!)
else
  echo "demo: this build's simulator has no hardware device yet; its pane shows Connecting, then Offline."
fi
devices+=$(printf '{"Name":"hardware","Type":1,"ConnectIP":"%s","Port":%d,"CtrlPort":80,"ScreenWidth":%d,"ScreenHeight":%d,"Apps":["Demo"]}' \
  "$hardware_address" "$hardware_port" "${size%x*}" "${size#*x}")
echo "[$devices]" | "$cli" config write "$demo/config.ini"
sleep 1  # the simulators start listening

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "demo: starting zorkvm on $demo (the simulators stop when it closes)"
  "$demo/zorkvm"
  exit 0
fi

echo "demo: no display; running the same demo headless."
# One line per device from the run's summary events: its clicks, by Scene and button.
print_summaries() {
  /usr/bin/python3 -c '
import json, sys
for line in sys.stdin:
    event = json.loads(line)
    if event.get("event") != "summary":
        continue
    scenes = {}
    for a in event["actions"]:
        if a["action"] == "CLK":
            scenes.setdefault(a["scene"], []).append("%s %d clicks" % (a["item"], a["count"]))
    clicks = "; ".join("%s: %s" % (scene, ", ".join(items)) for scene, items in scenes.items())
    print("demo: device %d (%s): %s" % (event["device"], event["name"], clicks or "no clicks"))
'
}

if has_cli_command run; then
  echo "demo: the App runs for 20 seconds; its events go to $demo/run.jsonl"
  "$cli" run --config "$demo/config.ini" --seconds 20 >"$demo/run.jsonl"
  print_summaries <"$demo/run.jsonl"
else
  echo "demo: this build has no 'zorkvm-cli run' yet: the App is not run headless."
fi
QT_QPA_PLATFORM=offscreen ZORKVM_SCREENSHOT="$demo/main-window.png" "$demo/zorkvm"
echo "demo: the main window, rendered offscreen: $demo/main-window.png"
