#!/usr/bin/env python3
"""Tells the demo's flight as it happens: follows the stand-in's exchange log while the real
program runs and prints one short line for every step of the scenario (the comment of its
line) and for what the program did about it, then a summary.

    demo-narrate.py LOG SCENARIO PREFIX RUNNER-PID

Ends at the scenario's end, or when the process RUNNER-PID (the Wine run) is gone. For the
plots it writes PREFIX-windows.txt, the time windows of the arrest and of the catapult
stroke on the stand-in's clock (lines "arrest FROM TO" and "launch FROM TO", milliseconds),
and PREFIX-arrest.csv and PREFIX-launch.csv, the program's writes (time in ms, the speed it
had read, ft/s).
"""
import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wine_ops"))
from oplog import Exchange, u32, u8  # noqa: E402

TANKS = [(0x0B74, 0x0B78), (0x1244, 0x1248), (0x0B7C, 0x0B80),
         (0x0B94, 0x0B98), (0x0B84, 0x0B88), (0x0B9C, 0x0BA0)]
TANK_NAMES = ["centre", "centre 2", "left main", "right main", "left auxiliary", "right auxiliary"]
FLAGS = {0x0B64: "flag 0x0B64", 0x0B6D: "flag 0x0B6D", 0x0B6F: "transponder", 0x0B70: "flag 0x0B70",
         0x0B71: "flag 0x0B71", 0x0B72: "flag 0x0B72", 0x0B73: "flag 0x0B73", 0x0B65: "flag 0x0B65",
         0x0B66: "flag 0x0B66", 0x0B67: "flag 0x0B67", 0x0B68: "COMM radio", 0x0B6E: "flag 0x0B6E",
         0x0B69: "magnetic compass", 0x0B6A: "electrical system", 0x0B6C: "flag 0x0B6C"}


def say(t, text, step=False):
    stamp = f"[{t / 1000:5.1f} s]" if step else " " * 9
    print(f"{stamp} {text}", flush=True)


class Narrator:
    def __init__(self, scenario):
        self.steps = {}
        with open(scenario, encoding="utf-8") as lines:
            for number, line in enumerate(lines, 1):
                if line.startswith("at ") and "#" in line:
                    self.steps[number] = line.split("#", 1)[1].strip()
        self.ready = None
        self.braking = []        # (t, speed) of the arrest's writes
        self.stroke = []         # (t, speed) of the catapult's writes
        self.capacities = [0] * 6
        self.levels = {}         # level offset -> last level read
        self.fuel_gallons = 0.0
        self.fuel_steps = 0
        self.flags_read = {}
        self.failed = []
        self.touchdown_speed = None
        self.stopped_after = None
        self.windows = {}
        self.status_line = None
        self.ended = False

    def note(self, t, event, detail):
        fields = dict(w.split("=", 1) for w in detail.split() if "=" in w)
        if event == "signal" and fields.get("signal") == "ready":
            self.ready = t
        elif event == "command" and self.ready is not None:
            step = self.steps.get(int(fields["line"]))
            if step:
                say(t, step, step=True)
        elif event == "touchdown":
            self.touchdown_speed = float(fields["speed"])
            say(t, f"on the deck at {self.touchdown_speed:.0f} ft/s")
        elif event == "stopped" and self.braking:
            self.stopped_after = float(fields["t"]) - self.braking[0][0]
            self.windows["arrest"] = (self.braking[0][0] - 1000, float(fields["t"]) + 1000)
            say(t, f"stopped {self.stopped_after:.0f} ms after the cables caught, "
                   f"{len(self.braking)} writes of -700 ft/s^2")
        elif event == "accel" and fields["offset"] == "0x3070":
            value, speed = float(fields["value"]), float(fields["speed"])
            if value == -700.0:
                if not self.braking:
                    say(t, f"cables caught at {speed:.0f} ft/s: the program brakes at -700 ft/s^2 every tick")
                self.braking.append((t, speed))
            elif value == 700.0:
                if not self.stroke:
                    say(t, f"launch at {speed:.0f} ft/s: the catapult pushes at 700 ft/s^2 every tick")
                self.stroke.append((t, speed))
        elif event == "scenario-end":
            self.ended = True
        if self.stroke and "launch" not in self.windows and t > self.stroke[-1][0] + 100:
            first, last = self.stroke[0], self.stroke[-1]
            self.windows["launch"] = (first[0] - 500, last[0] + 1000)
            say(t, f"stroke over at {last[1]:.0f} ft/s ({last[1] / 1.689:.0f} kt) after "
                   f"{last[0] - first[0]} ms, {len(self.stroke)} writes")

    def exchange(self, x):
        for level, capacity in TANKS:
            if x.read(capacity) is not None:
                self.capacities[TANKS.index((level, capacity))] = u32(x.read(capacity))
            if x.read(level) is not None:
                self.levels[level] = u32(x.read(level))
        for offset in FLAGS:
            if x.read(offset) is not None:
                self.flags_read[offset] = u8(x.read(offset))
        for r in x.records:
            if r.op != "write":
                continue
            if r.offset in self.levels:
                index = [level for level, _ in TANKS].index(r.offset)
                before, after = self.levels[r.offset], u32(r.data)
                if len(x.records) == 1:  # a transfer step writes one tank at a time
                    self.fuel_gallons += (after - before) / 8388608 * self.capacities[index]
                    self.fuel_steps += 1
                elif after != before:   # the damage's write-back
                    self.failed.append(f"{TANK_NAMES[index]} tank hit")
                    say(x.t, f"hit: {TANK_NAMES[index]} tank, {before / 83886.08:.0f} % "
                             f"-> {after / 83886.08:.0f} %")
            elif r.offset in FLAGS and u8(r.data) == 1 and self.flags_read.get(r.offset) == 0:
                self.failed.append(FLAGS[r.offset] + " failed")
                say(x.t, f"failed: {FLAGS[r.offset]}")
            elif r.offset == 0x0B6B and u8(r.data) != self.flags_read.get(0x0B6B, u8(r.data)):
                self.failed.append("an engine failed")
                say(x.t, "failed: an engine")

    def message(self, t, text, seconds):
        say(t, f'simulator shows "{text}" for {seconds} s')
        if text.startswith("Fuel Load terminated"):
            say(t, f"{self.fuel_gallons:.1f} gallons loaded")
        if seconds == 7 and "Nearest cables" in text:
            self.status_line = text

    def line(self, text):
        raw = json.loads(text)
        if "exchange" in raw:
            self.exchange(Exchange(raw))
        elif "message" in raw:
            self.message(raw["t"], raw["message"], raw["seconds"])
        else:
            self.note(raw["t"], raw["event"], raw.get("detail", ""))

    def summary(self):
        print("--- summary")
        if self.braking:
            print(f"arrested landing: caught at {self.braking[0][1]:.0f} ft/s, stopped "
                  f"{self.stopped_after or 0:.0f} ms later by {len(self.braking)} writes of -700 ft/s^2")
        if self.stroke:
            print(f"catapult launch:  {self.stroke[0][1]:.0f} to {self.stroke[-1][1]:.0f} ft/s in "
                  f"{self.stroke[-1][0] - self.stroke[0][0]} ms (cut-off 120 kt = 202.7 ft/s)")
        print(f"fuel load:        {self.fuel_gallons:.1f} gallons in {self.fuel_steps} tank writes")
        print(f"battle damage:    {', '.join(self.failed) or 'nothing'}")
        if self.status_line:
            print(f'hot key Shift+F8: "{self.status_line}"')


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    log, scenario, prefix, runner = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    narrator = Narrator(scenario)
    alive = lambda: os.path.exists(f"/proc/{runner}")
    while not os.path.exists(log) and alive():
        time.sleep(0.1)
    pending = ""
    with open(log, encoding="utf-8") if os.path.exists(log) else open(os.devnull) as stream:
        while not narrator.ended:
            chunk = stream.read()
            if chunk:
                pending += chunk
                *lines, pending = pending.split("\n")
                for text in lines:
                    narrator.line(text)
            elif not alive():
                break
            else:
                time.sleep(0.05)
    with open(prefix + "-windows.txt", "w", encoding="utf-8") as out:
        for name, (start, end) in narrator.windows.items():
            out.write(f"{name} {start:.0f} {end:.0f}\n")
    for name, writes in (("arrest", narrator.braking), ("launch", narrator.stroke)):
        with open(f"{prefix}-{name}.csv", "w", encoding="utf-8") as out:
            out.writelines(f"{t},{speed:.3f}\n" for t, speed in writes)
    narrator.summary()
    return 0 if narrator.ended else 1


if __name__ == "__main__":
    sys.exit(main())
