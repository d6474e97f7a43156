#!/usr/bin/env python3
"""Checks one Wine run of a deck operation: what the real program did to the simulator, as
the stand-in's exchange log shows it, and what its windows showed (the name=value lines of
ops-client.sh).

    opcheck.py CASE WORKDIR SCENARIO

Prints the figures it measured; exit status 1, with every failed check, when one fails.
"""
import os
import statistics
import sys

from oplog import Log, f64, i16, i32, u8, u32

CUTOFF_FPS = 120 * 1.689          # the default catapult cut-off, 120 kt
FULL = 8388608                    # a full tank
TANKS = [(0x0B74, 0x0B78), (0x1244, 0x1248), (0x0B7C, 0x0B80),
         (0x0B94, 0x0B98), (0x0B84, 0x0B88), (0x0B9C, 0x0BA0)]
RATES = {"500 GPM (drogue)": 69905067, "1200 GPM (boom)": 167772160}
KEYS = {"F1": 0x70, "F2": 0x71, "F3": 0x72, "F5": 0x74, "F6": 0x75, "F7": 0x76, "F8": 0x77,
        "F9": 0x78, "F10": 0x79, "F11": 0x7A, "F12": 0x7B}
REGISTRATION = ["F12", "F9", "F10", "F11", "F8", "F5", "F6", "F1", "F2", "F3", "F7"]
RELEASE = ["F9", "F12", "F11", "F8", "F5", "F6", "F1", "F2", "F3", "F7", "F10"]
SLOTS = range(0x3210, 0x3210 + 4 * 56, 4)


def status_line(head):
    """The status line after its head: the nearest cables, the carrier's name cut so that
    the line through its closing quote and bracket stays within 99 characters, and all of
    it cut at the 100 characters the simulator shows."""
    line = head + ', Nearest cables rwy hdg 350 ("'
    line += "CVN-70 Carl Vinson"[:max(0, 97 - len(line))] + '")'
    return line[:100]  # all the simulator shows


class Check:
    def __init__(self):
        self.failures = []
        self.figures = []

    def expect(self, ok, what):
        if not ok:
            self.failures.append(what)
        return ok

    def figure(self, text):
        self.figures.append(text)


class Either:
    """An expected message that may be one of several (a random outcome)."""
    def __init__(self, *choices):
        self.choices = choices

    def __eq__(self, other):
        return other in self.choices

    def __repr__(self):
        return " | ".join(map(repr, self.choices))


class Translated:
    """An expected message whose text no table fixes: shown for these seconds, and not the
    English text."""
    def __init__(self, english, seconds):
        self.english, self.seconds = english, seconds

    def __eq__(self, other):
        return other[1] == self.seconds and other[0] not in ("", self.english)

    def __repr__(self):
        return f"(not {self.english!r}, {self.seconds})"


def expect_messages(c, log, start, expected, extras=()):
    """From `start` until the farewell at the close the program showed exactly `expected`
    ((text, seconds), in order), messages of `extras` allowed in between."""
    seen = [(m.text, m.seconds) for m in log.messages_between(start, log.closed_at)
            if (m.text, m.seconds) not in extras]
    if seen != list(expected):
        lines = ["messages from %d ms:" % start]
        for i in range(max(len(seen), len(expected))):
            got = seen[i] if i < len(seen) else "-"
            want = expected[i] if i < len(expected) else "-"
            lines.append("  %s %r\n      expected %r" % ("  " if got == want else "!!", got, want))
        c.expect(False, "\n".join(lines))


def expect_replies(c, log, pairs, within=1500):
    """Each (scenario line, text): the text was shown within `within` ms after the line ran
    (a line that occurs again is taken at its next run)."""
    runs = {}
    for line, text in pairs:
        runs[line] = runs.get(line, 0) + 1
        t = log.command_time(line, runs[line])
        if not c.expect(t is not None, f"the scenario never ran '{line}'"):
            continue
        c.expect(any(t <= m.t <= t + within and m.text == text for m in log.messages),
                 f"{text!r} did not follow '{line}' (at {t} ms) within {within} ms")


def read_labels(work):
    labels = {}
    with open(os.path.join(work, "client.out"), encoding="utf-8") as out:
        for line in out:
            name, _, value = line.rstrip("\n").partition("=")
            labels[name] = value
    return labels


def expect_label(c, labels, name, value):
    c.expect(labels.get(name) == value, f"{name}: {labels.get(name)!r}, expected {value!r}")


def intervals(times):
    return [b - a for a, b in zip(times, times[1:])]


def speed_read_before(log, number):
    """The forward speed the program read in the last exchange before exchange `number`
    that read it."""
    for x in reversed([x for x in log.exchanges if x.number < number]):
        data = x.read(0x3090)
        if data is not None:
            return f64(data)
    return None


# --- catapult -------------------------------------------------------------------------------

def check_stroke(c, log, launch):
    """The stroke from `launch` on: the catapult's acceleration written on every tick until
    the speed read passes the cut-off, the last tick too, and nothing after."""
    strokes = [a for a in log.accels(0x3070, launch) if a[1] == 700.0]
    if not c.expect(len(strokes) >= 3, f"catapult stroke: {len(strokes)} writes of 700"):
        return None
    c.expect(strokes[0][0] - launch <= 150, f"the stroke began {strokes[0][0] - launch} ms after the launch")
    # The log's speed is the one the program read in the same exchange, before its write.
    c.expect(all(s <= CUTOFF_FPS for _, _, s in strokes[:-1]), "a stroke write after the cut-off")
    c.expect(strokes[-1][2] > CUTOFF_FPS, f"the stroke ended at {strokes[-1][2]} ft/s, below the cut-off")
    c.expect(not [a for a in log.accels(0x3070, strokes[-1][0] + 1) if a[1] > 0],
             "catapult writes after the stroke")
    gaps = intervals([t for t, _, _ in strokes])
    c.figure(f"stroke: {len(strokes)} writes of 700 ft/s^2 from {strokes[0][2]:.1f} to "
             f"{strokes[-1][2]:.1f} ft/s in {strokes[-1][0] - strokes[0][0]} ms; tick "
             f"median {statistics.median(gaps):.1f} ms (asked 5 ms)")
    return strokes


def hold_writes(c, log, start, end):
    """The launch watch's hold force in [start, end): each write is the hold factor (-50)
    times the speed the watch read just before."""
    holds = [x for x in log.exchanges if start <= x.t < end and x.written(0x3070) is not None]
    for x in holds:
        speed = speed_read_before(log, x.number)
        value = f64(x.written(0x3070))
        c.expect(speed is not None and speed > 0 and abs(value - (-50.0 * speed)) <= 1e-9 * abs(value),
                 f"hold {value} at {x.t} ms after a read of {speed}")
    return holds


def catapult(c, log, labels, ready):
    armed, disarmed = ("CATAPULT ARMED", 3), ("Catapult disarmed", 3)
    refused = lambda why: ("Catapult NOT armed -- " + why, 3)
    expect_messages(c, log, ready, [
        armed,
        armed, disarmed,
        armed, disarmed, refused("won't work with taildraggers"),
        armed, disarmed, refused("won't work with helicopters"),
        armed, disarmed, refused("too far from nearest known cables"),
        armed, ("HFast has been manually disabled", 8),
        ("Catapult not available - HFast has been manually disabled", 3), ("Hookfast reenabled", 5),
        refused("parking brake is not set"), refused("check landing gear and lever"),
        refused("slew mode"), refused("not stationary"), refused("aircraft not in a landed state"),
        armed, disarmed,
    ], extras=[("HFast has been manually disabled", 3)])  # the heartbeat's reminder
    expect_replies(c, log, [
        ("at 1000 press shift+F9", "CATAPULT ARMED"),
        ("at 11000 press shift+F9", "Catapult disarmed"),
        ("at 13000 set 0x0790 i32 1", "Catapult disarmed"),
        ("at 16000 set 0x0609 u8 3", "Catapult disarmed"),
        ("at 19000 set 0x0BC8 i16 0x7FFF", "Catapult disarmed"),
        ("at 33500 set 0x0BC8 i16 0", "Catapult disarmed"),
    ])

    # The hold: nothing while it stands still, a force against every roll at full throttle.
    full = log.command_time("at 2000 set 0x088C i16 16383")
    idle = log.command_time("at 4000 set 0x088C i16 0")
    c.expect(not log.writes(0x3070, ready, full), "writes while standing braked at idle")
    holds = hold_writes(c, log, full, idle)
    c.expect(len(holds) >= 20, f"only {len(holds)} hold writes in 2 s at full throttle")
    creep = max(s["speed"] for s in log.samples(full, idle))
    c.expect(creep < 0.5, f"the braked aircraft reached {creep} ft/s at full throttle")
    c.figure(f"hold at full throttle: {len(holds)} writes in {idle - full} ms, the speed stayed "
             f"at or below {creep:.2f} ft/s")

    # The throttle limit: released at 15565 nothing is written; 15566 launches.
    release = log.command_time("at 5000 set 0x0BC8 i16 0")
    launch = log.command_time("at 6000 set 0x088C i16 15566")
    c.expect(not log.writes(0x3070, release, launch), "a write with the throttle at 15565")
    rolling = speed_read_before(log, next(x.number for x in log.exchanges if x.t >= launch))
    c.expect(rolling is not None and rolling > 5, f"the aircraft did not roll off at 15565 ({rolling})")
    strokes = check_stroke(c, log, launch)
    if strokes:
        # Smoke on and the special sound off at the launch; the disarm at the cut-off undoes
        # them (smoke off twice) without a message.
        end = strokes[-1][0]
        effects = [(t, off, i16(d)) for off in (0x05D8, 0x0B20) for t, d in log.writes(off, launch, end + 1000)]
        effects.sort()
        c.expect([(o, v) for _, o, v in effects] == [(0x0B20, 0), (0x05D8, 1), (0x05D8, 0), (0x05D8, 0), (0x0B20, 1)],
                 f"smoke and special sound: {[(hex(o), v) for _, o, v in effects]}")
        c.expect(all(t < strokes[0][0] for t, o, v in effects[:2]), "smoke or sound after the first stroke write")

    # The refused stroke: its first push is refused, and no push follows.
    refused_launch = log.command_time("at 33500 set 0x0BC8 i16 0")
    restored = log.command_time("at 35000 fault none")
    refusals = [x for x in log.exchanges if refused_launch <= x.t < restored and x.refused]
    c.expect(len(refusals) == 1, f"{len(refusals)} refused exchanges after the refused launch, expected 1")
    c.expect(not log.writes(0x3070, refused_launch), "a push after the refused stroke")
    rolled = max(s["speed"] for s in log.samples(refused_launch, restored))
    c.expect(rolled < CUTOFF_FPS / 2, f"after the refused stroke the aircraft reached {rolled} ft/s")
    c.figure(f"refused stroke: {len(refusals)} refused exchange, no push, the aircraft rolled to "
             f"{rolled:.1f} ft/s on its own thrust")
    expect_label(c, labels, "armed_label", "CATAPULT ARMED")
    expect_label(c, labels, "final_arm_label", "Catapult disarmed")
    expect_label(c, labels, "final_other", "Catapult sound played")


def catapult_auto(c, log, labels, ready):
    armed = ("CATAPULT ARMED", 3)
    # Armed by the check once a second whenever the aircraft stands ready; the disarm by hand
    # when the box is unchecked is the only one with a message.
    expect_messages(c, log, ready, [armed, armed, armed, ("Catapult disarmed", 3), armed])
    expect_replies(c, log, [("at 0 set 0x0BC8 i16 0x7FFF", "CATAPULT ARMED"),
                            ("at 7000 set 0x0BC8 i16 0x7FFF", "CATAPULT ARMED"),
                            ("at 500 set 0x0840 i16 0", "CATAPULT ARMED")])
    launch = log.command_time("at 1000 set 0x0BC8 i16 0")
    c.expect(not log.writes(0x3070, ready, launch), "a hold force under automatic arming")
    full = log.command_time("at 2000 set 0x088C i16 16383")
    creep = max(s["speed"] for s in log.samples(full, full + 1000))
    c.expect(creep > 2, f"the aircraft did not creep at full throttle ({creep} ft/s)")
    c.figure(f"no hold under automatic arming: the braked aircraft crept to {creep:.2f} ft/s at full throttle")
    # Shift+F9 while automatic arming is on: its slot is not even read.
    f9 = log.command_time("at 4000 press shift+F9")
    slot = slot_of(log, 0x00010178)
    c.expect(slot and not [x for x in log.exchanges if f9 <= x.t < f9 + 1000 and x.read(slot)],
             "the F9 slot was read while automatic arming was on")
    crash = log.command_time("at 9000 crash")
    cleared = log.command_time("at 500 set 0x0840 i16 0")
    c.expect(not log.messages_between(crash, cleared), "a message at the crash")
    check_stroke(c, log, launch)
    for name, value in [("auto_on", "111"), ("messages_box_on", "101"), ("toolbar_cat_on", "000"),
                        ("auto_off", "110"), ("messages_box_off", "111"), ("toolbar_cat_off", "010"),
                        ("armed_label", "CATAPULT ARMED"), ("crashed_label", "Catapult disarmed"),
                        ("unchecked_label", "Catapult disarmed"), ("final_arm_label", "Catapult disarmed")]:
        expect_label(c, labels, name, value)


# --- fuel -----------------------------------------------------------------------------------

def fuel_steps(log, start=0):
    """Each transfer step: (exchange of its reads, the tank writes that followed)."""
    steps = []
    for i, x in enumerate(log.exchanges):
        if x.t < start or not x.reads_first(0x0B74) or len(x.records) not in (6, 9):
            continue
        writes = []
        for y in log.exchanges[i + 1:]:
            record = y.records[0] if len(y.records) == 1 else None
            if record is None or record.op != "write" or record.offset not in [t for t, _ in TANKS]:
                break
            writes.append((record.offset, u32(record.data)))
        steps.append((x, writes))
    return steps


def capacities(log, before):
    """The capacities the last start request before `before` read, in tank order."""
    for x in reversed([x for x in log.exchanges if x.t < before]):
        if all(x.read(cap) is not None for _, cap in TANKS):
            return [u32(x.read(cap)) for _, cap in TANKS]
    return None


def expected_step(levels, caps, rate, loading):
    if loading:
        takers = [i for i in range(6) if caps[i] and levels[i] < 8346665]
    else:
        takers = [i for i in range(6) if caps[i] and levels[i] > 838861]
    writes = []
    for i in takers:
        share = round(rate / caps[i]) // len(takers)
        new = min(levels[i] + share, FULL) if loading else max(levels[i] - share, 838861)
        writes.append((TANKS[i][0], new))
    return writes


def fuel(c, log, labels, ready):
    expect_messages(c, log, ready, [
        ("Fuel Load started: 500 GPM (drogue)", 3),
        ("Fuel Load in progress -- OffLoad request ignored", 3),
        ("Fuel transfer rate now set to 1200 GPM (boom)", 7),
        ("Fuel Load terminated (not allowed below 5000' AGL)", 6),
        ("Fuel load not allowed below 5000' AGL", 3),
        ("Fuel OFFLoad started: 1200 GPM (boom)", 3),
        ("Fuel OFFLoad terminated (not allowed below 10% capacity)", 6),
    ])
    toggle = next((m.t for m in log.messages if m.text.startswith("Fuel transfer rate now set")), None)
    load_end = next((m.t for m in log.messages if m.text.startswith("Fuel Load terminated")), None)
    offload_start = next((m.t for m in log.messages if m.text.startswith("Fuel OFFLoad started")), None)
    if None in (toggle, load_end, offload_start):
        return
    caps = capacities(log, load_end)
    c.expect(caps == [0, 0, 200, 400, 0, 0], f"capacities read: {caps}")
    steps = fuel_steps(log, ready)
    loads = [(x, w) for x, w in steps if x.t <= load_end]
    offloads = [(x, w) for x, w in steps if x.t > offload_start]
    c.expect(len(loads) >= 6 and len(offloads) >= 10, f"{len(loads)} load and {len(offloads)} offload steps")
    c.expect(not [s for s in steps if load_end < s[0].t < offload_start], "a step between the transfers")
    # The height above the ground the step read (the low half of the altitude taken as the
    # unsigned fraction it is; the limit is checked to within that half's one metre).
    agl = lambda x: u32(x.read(0x0570)) / 4294967296.0 + i32(x.read(0x0574)) - i16(x.read(0x0B4C))
    gallons = {"500 GPM (drogue)": [], "1200 GPM (boom)": []}
    for k, (x, writes) in enumerate(loads):
        levels = [u32(x.read(level)) for level, _ in TANKS]
        last = k == len(loads) - 1
        if last:
            c.expect(agl(x) < 1525 and not writes, f"the last load step: AGL {agl(x):.1f} m, writes {writes}")
            continue
        rate = "1200 GPM (boom)" if x.t > toggle else "500 GPM (drogue)"
        want = expected_step(levels, caps, RATES[rate], True)
        c.expect(agl(x) >= 1523 and writes == want,
                 f"load step at {x.t} ms ({rate}, AGL {agl(x):.1f} m): wrote {writes}, expected {want}")
        index = {level: i for i, (level, _) in enumerate(TANKS)}
        gallons[rate].append(sum((new - levels[index[off]]) / FULL * caps[index[off]] for off, new in writes))
    for x, writes in offloads:
        levels = [u32(x.read(level)) for level, _ in TANKS]
        want = expected_step(levels, caps, RATES["1200 GPM (boom)"], False)
        c.expect(writes == want, f"offload step at {x.t} ms: wrote {writes}, expected {want}")
    final = offloads[-1][0] if offloads else None
    if final is not None:
        c.expect([u32(final.read(level)) for level, _ in TANKS][2:4] == [838861, 838861],
                 "the offload did not end at 10 %")
    c.expect(not [w for _, ws in steps for w in ws if w[0] not in (0x0B7C, 0x0B94)],
             "a tank without capacity was written")
    gaps = intervals([x.t for x, _ in loads + offloads])
    c.figure("fuel per step: %s; steps %d ms apart (median)" % (
        ", ".join(f"{statistics.mean(g):.3f} gal at {r}" for r, g in gallons.items() if g),
        statistics.median(gaps)))
    expect_label(c, labels, "loading", "LOADING @ 500 GPM (drogue)")
    expect_label(c, labels, "after_toggle", "LOADING @ 500 GPM (drogue)")
    expect_label(c, labels, "offloading", "OFFLOADING @ 1200 GPM (boom)")
    expect_label(c, labels, "final_fuel", "")


# --- battle damage --------------------------------------------------------------------------

LEVEL_FLAGS = {1: [0x0B64, 0x0B6D, 0x0B6F, 0x0B70, 0x0B71, 0x0B72, 0x0B73],
               2: [0x0B65, 0x0B66, 0x0B67, 0x0B68, 0x0B6E],
               3: [0x0B69, 0x0B6A, 0x0B6C]}
MARKER = {1: (0x0B6F, "Battle Damage to TRANSPONDER -- NO ID ON RADAR"),
          2: (0x0B68, "Battle Damage to COMM radio -- NO COMMS"),
          3: (0x0B69, "Battle Damage to Cockpit -- Mag Compass broken, PILOT WOUNDED")}


def damage_runs(log, level, start, end):
    """Each run of a level in [start, end): (read exchange, write exchange or None)."""
    first = LEVEL_FLAGS[level][0]
    runs = []
    for x in log.exchanges:
        if not start <= x.t < end:
            continue
        if x.reads_first(first):
            runs.append([x, None])
        elif runs and x.writes_first(first) and runs[-1][1] is None:
            runs[-1][1] = x
    return runs


def blocked_after(log, exchange):
    """How long the program sent nothing after this exchange (its hot-key poll alone asks
    every 250 ms)."""
    later = [x.t for x in log.exchanges if x.number > exchange.number]
    return later[0] - exchange.t if later else 0


def check_damage_run(c, log, level, read, write, sounds, next_t):
    flags = LEVEL_FLAGS[level]
    before = {f: u8(read.read(f)) for f in flags}
    candidates = [f for f in flags if before[f] == 0]
    tanks, engines = [], []
    if level == 3:
        count, bits = i16(read.read(0x0AEC)), u8(read.read(0x0B6B))
        tanks = [lvl for lvl, cap in TANKS if u32(read.read(cap)) and i32(read.read(lvl))]
        engines = [j for j in range(1, 9) if j <= count and not bits & (1 << (j - 1))]
    shown = log.messages_between(read.t, next_t)
    if not candidates and not tanks and not engines:
        c.expect(write is None and not shown, f"level {level} at {read.t} ms: nothing left, yet {write and 'a write'} {shown}")
        return None
    if not c.expect(write is not None, f"level {level} at {read.t} ms: no write"):
        return None
    after = {f: u8(write.written(f)) for f in flags}
    hits = [f for f in flags if after[f] != before[f]]
    c.expect(all(after[f] == 1 and f in candidates for f in hits), f"level {level} at {read.t} ms: flags {before} -> {after}")
    if level == 3:
        new_bits = u8(write.written(0x0B6B))
        c.expect(new_bits & bits == bits and all(j in engines for j in range(1, 9) if (new_bits & ~bits) >> (j - 1) & 1),
                 f"engine bits {bits:#x} -> {new_bits:#x} with {count} engines")
        for lvl, _ in TANKS:
            old, new = i32(read.read(lvl)), i32(write.written(lvl))
            c.expect(new == old or (lvl in tanks and new == max(0, old - 2097152)), f"tank {lvl:#x}: {old} -> {new}")
            hits += [lvl] if new != old else []
        hits += ["engine"] if new_bits != bits else []
    c.expect(hits, f"level {level} at {read.t} ms: nothing hit")
    marker, marker_text = MARKER[level]
    # The flags are written straight after the draw; a follow-up sound's pause comes after.
    c.expect(write.t - read.t < 300, f"level {level}: the write came {write.t - read.t} ms after the read")
    pause = blocked_after(log, write)
    if sounds:
        c.expect(not shown, f"texts with the damage sounds on: {shown}")
        follow_up = {2: (0x0B68, 1200), 3: (0x0B6A, 1000)}.get(level)
        if follow_up and follow_up[0] in hits:
            c.expect(follow_up[1] <= pause <= follow_up[1] + 400, f"level {level}: pause of {pause} ms before the follow-up sound")
            return pause
        c.expect(pause < 800, f"level {level}: the program was silent for {pause} ms after the damage")
    else:
        want = (marker_text, 5) if marker in hits else (f"BATTLE DAMAGE ({level}) INCURRED", 1)
        c.expect([(m.text, m.seconds) for m in shown] == [want], f"level {level} at {read.t} ms: {shown}, expected {want}")
    return None


def damage(c, log, labels, ready):
    sounds_on = log.signal("sounds")
    pauses = []
    for sounds, start, end, counts in [(False, ready, sounds_on, {1: 8, 2: 6, 3: 7}),
                                       (True, sounds_on, float("inf"), {2: 6, 3: 4})]:
        for level, count in counts.items():
            runs = damage_runs(log, level, start, end)
            c.expect(len(runs) == count, f"level {level}: {len(runs)} runs for {count} presses")
            for k, (read, write) in enumerate(runs):
                next_t = runs[k + 1][0].t if k + 1 < len(runs) else read.t + 500
                pause = check_damage_run(c, log, level, read, write, sounds, next_t)
                if pause:
                    pauses.append((level, pause))
            if level < 3 and runs and runs[-1][1] is None:
                last = runs[-1][0]
                c.expect(all(u8(last.read(f)) == 1 for f in LEVEL_FLAGS[level]), f"level {level} ended with working flags")
            c.expect((level == 3 and not sounds) or (runs and runs[-1][1] is None),
                     f"level {level}: the last press still found something")
    c.expect(sorted(l for l, _ in pauses) == [2, 3], f"follow-up pauses: {pauses}")
    c.figure("follow-up pauses (nothing sent after the damage's write): " + ", ".join(f"level {l} {p} ms" for l, p in pauses))
    expect_label(c, labels, "damage_sounds", "111")


# --- hot keys -------------------------------------------------------------------------------

def definition(key, ctrl=False):
    return 0x00010100 + KEYS[key] + (0x200 if ctrl else 0)


def slot_of(log, key_definition):
    """The slot the first registration of this definition took."""
    return next((slot for _, slot, value in slot_writes(log) if value == key_definition), None)


def slot_writes(log, start=0, end=float("inf")):
    """(time, slot, value) of every write to a hot-key slot."""
    return [(x.t, r.offset, u32(r.data)) for x in log.exchanges if start <= x.t < end
            for r in x.records if r.op == "write" and r.offset in SLOTS]


def expect_slot_table(c, log):
    """Replays every slot write: no key ever holds two slots, a registration takes only free
    slots, and at the end every slot is free again."""
    memory = {}
    for t, slot, value in slot_writes(log):
        if value and value >> 24 == 0 and memory.get(slot, 0) & 0xFFFFFF != value:
            c.expect(memory.get(slot, 0) == 0, f"{t} ms: {value:#010x} written over {memory.get(slot, 0):#010x} in {slot:#x}")
        memory[slot] = value
        held = [v for v in memory.values() if v]
        c.expect(len(held) == len(set(v & 0xFFFFFF for v in held)) and len(held) <= 11,
                 f"{t} ms: slots {sorted(f'{v:#x}' for v in held)}")
    c.expect(not any(memory.values()), f"slots still taken at the end: {memory}")


def registrations(log):
    """The runs of registrations (a definition written to a free slot) and of releases (0
    written), each a list of (time, slot, value); the re-arms after presses are left out."""
    runs, memory = [], {}
    for t, slot, value in slot_writes(log):
        kind = "release" if value == 0 else "register" if memory.get(slot, 0) == 0 else None
        memory[slot] = value
        if kind is None:
            continue
        if not runs or runs[-1][0] != kind:
            runs.append((kind, []))
        runs[-1][1].append((t, slot, value))
    return runs


def hotkeys(c, log, labels, ready):
    round2 = log.signal("shift-ctrl")
    hit = lambda n, marker: Either((f"BATTLE DAMAGE ({n}) INCURRED", 1), (marker, 5))

    def round_of(rate_after):
        return [
            (status_line("LANDED, TRAPPING NOT NEEDED"), 7),
            ("CATAPULT ARMED", 3),
            ("Moving Carrier Trapping NOT enabled - too close to defined cable catch zone", 4),
            ("HFast has been manually disabled", 8), ("Hookfast reenabled", 5),
            ("Fuel load not allowed below 5000' AGL", 3),
            ("Fuel OFFLoad started: " + ("1200 GPM (boom)" if rate_after == "500 GPM (drogue)" else "500 GPM (drogue)"), 3),
            ("Fuel OFFLoad terminated (not allowed below 10% capacity)", 6),
            ("Fuel transfer rate now set to " + rate_after, 7),
            hit(1, MARKER[1][1]), hit(2, MARKER[2][1]), hit(3, MARKER[3][1]),
            ("HFast disabled while resetting", 3), ("Hookfast enabled", 3),
        ]
    expect_messages(c, log, ready, round_of("1200 GPM (boom)") + round_of("500 GPM (drogue)"))
    for n, ctrl in ((1, False), (2, True)):
        prefix = "shift+ctrl+" if ctrl else "shift+"
        base = 0 if n == 1 else 15000
        presses = [("F8", 1000), ("F9", 2000), ("F10", 3000), ("F12", 4000), ("F12", 5000), ("F5", 6000),
                   ("F6", 7000), ("F7", 8000), ("F1", 9000), ("F2", 10000), ("F3", 11000), ("F11", 12000)]
        if ctrl:
            presses = [(k, t + 1000) for k, t in presses]
        for key, at in presses:
            t = log.command_time(f"at {at} press {prefix}{key}")
            if not c.expect(t is not None, f"no press {prefix}{key} at {at}"):
                continue
            # The key's slot read, its action, and the slot re-armed: its definition, unpressed.
            rearm = [(s, v) for tt, s, v in slot_writes(log, t, t + 1500) if v == definition(key, ctrl)]
            c.expect(rearm, f"{prefix}{key}: its slot was not re-armed")
    # Registrations: the first start, the reset, the change to Shift+Ctrl, the second reset,
    # and the release at the close.
    runs = registrations(log)
    shift = [definition(k) for k in REGISTRATION]
    ctrl = [definition(k, True) for k in REGISTRATION]
    kinds = [(kind, len(values)) for kind, values in runs]
    c.expect(kinds == [("register", 11), ("release", 11), ("register", 11), ("release", 11), ("register", 11),
                       ("release", 11), ("register", 11), ("release", 11)], f"slot writes: {kinds}")
    if len(runs) == 8:
        values = lambda run: [v for _, _, v in run[1]]
        c.expect(values(runs[0]) == shift and values(runs[2]) == shift, "Shift registrations")
        c.expect(values(runs[4]) == ctrl and values(runs[6]) == ctrl, "Shift+Ctrl registrations")
        for k in (1, 3, 5, 7):
            holders = {slot: value for _, slot, value in runs[k - 1][1]}
            released = [holders.get(slot) for _, slot, _ in runs[k][1]]
            want = [definition(key, k >= 5) for key in RELEASE]
            c.expect(released == want, f"release {k // 2 + 1}: slots of {[hex(v or 0) for v in released]}")
        c.expect(all(t >= log.closed_at for t, _, _ in runs[7][1]), "the last release came before the close")
    unmatched = log.note_times("press-unmatched")
    c.expect(len(unmatched) == 1 and round2 and unmatched[0] >= round2, f"unmatched presses at {unmatched}")
    expect_slot_table(c, log)
    expect_label(c, labels, "shift_lblFuelLoadKey", "SHIFT+F5   Fuel LOAD On/Off")
    for name, text in [("lblFuelLoadKey", "F5   Fuel LOAD On/Off"), ("lblFuelOffloadKey", "F6   Fuel OFFload On/Off"),
                       ("lblFuelTransferRateKey", "F7   Toggle Transfer Rate"), ("lblStatusKey", "F8   Show Status Message"),
                       ("lblCatapultKey", "F9   Arm/Disarm Catapult"), ("lblManualOverrideKey", "F12   Program Disable/Enable"),
                       ("lblResetKey", "F11   Reset Program"),
                       ("lblToggleTrapOnLandingAnywhere", "F10   Toggle Trap On Landing Anywhere"),
                       ("lblBattleDamage1Key", "F1   Battle Damage Level 1"), ("lblBattleDamage2Key", "F2   Battle Damage Level 2"),
                       ("lblBattleDamage3Key", "F3   Battle Damage Level 3")]:
        expect_label(c, labels, "ctrl_" + name, "SHIFT+CTRL+" + text)


# --- manual override and status line -------------------------------------------------------

def override(c, log, labels, ready):
    paused, resumed = ("HFast has been manually disabled - fuel load paused", 8), ("Hookfast reenabled - fuel load resumed", 5)
    reminder = ("HFast has been manually disabled", 3)
    expect_messages(c, log, ready, [
        ("Fuel Load started: 500 GPM (drogue)", 3),
        (status_line("FLYING, TRAPPING NOT NEEDED, LOADING FUEL @ 500 GPM (DROGUE)"), 7),
        paused,
        ("HFast status: manually disabled", 3),
        ("Battle Damage 1 not available - HFast has been manually disabled", 3),
        ("Fuel Load not available - HFast has been manually disabled", 3),
        ("Fuel OFFLoad not available - HFast has been manually disabled", 3),
        ("Fuel rate toggle not available - HFast has been manually disabled", 3),
        ("Catapult not available - HFast has been manually disabled", 3),
        ("Battle Damage 2 not available - HFast has been manually disabled", 3),
        resumed,      # the main window's button
        paused, resumed,  # the toolbar's MO
        paused, resumed,  # Shift+F12
    ], extras=[reminder])
    # Reminders: the F10 press and every later poll that runs the checks while it stays
    # flagged; and the heartbeat on its own, with no press near.
    f10 = log.command_time("at 7000 press shift+F10")
    f2 = log.command_time("at 8000 press shift+F2")
    enabled = log.signal("enabled")
    reminders = [m.t for m in log.messages if (m.text, m.seconds) == reminder]
    c.expect(any(f10 <= t <= f10 + 800 for t in reminders), "no reminder at the F10 press")
    c.expect(any(f2 <= t <= f2 + 800 for t in reminders), "no reminder at the next press while F10 stays flagged")
    presses = log.note_times("hotkey")
    lone = [t for t in reminders if not any(0 <= t - p <= 800 for p in presses)]
    c.expect(lone, "no reminder of the heartbeat")
    c.figure(f"reminders at {[t - ready for t in reminders]} ms after the start signal ({len(lone)} from the heartbeat)")
    slot = slot_of(log, definition("F10"))
    c.expect(not [w for w in slot_writes(log, f10, enabled) if w[1] == slot], "the F10 slot was re-armed while disabled")
    # The load pauses while disabled and goes on when enabled again.
    pauses = [m.t for m in log.messages if (m.text, m.seconds) == paused]
    resumes = [m.t for m in log.messages if (m.text, m.seconds) == resumed]
    tank = 0x0B7C
    for off, on in zip(pauses, resumes):
        c.expect(not log.writes(tank, off, on), f"fuel written while disabled ({off} to {on} ms)")
    c.expect(log.writes(tank, resumes[0], resumes[0] + 1200) if resumes else False, "the load did not resume")
    for name, value in [("button_disabled", "111"), ("mo_disabled", "011"), ("caption_disabled", "Press to REENABLE program"),
                        ("button_enabled", "110"), ("mo_enabled", "010"), ("caption_enabled", "Manual override -- disable program"),
                        ("mo_click_button", "011"), ("mo_click_mo", "111"), ("mo_again_button", "010"), ("mo_again_mo", "110"),
                        ("f12_button", "111"), ("f12_mo", "011"), ("caption_f12", "Press to REENABLE program")]:
        expect_label(c, labels, name, value)


# --- trapping anywhere, landings, resets ----------------------------------------------------

def arrest_ticks(log, start, end):
    """Each tick of an arrest: (speed read, writes of the next exchanges up to the next read)."""
    ticks = []
    for x in log.exchanges:
        if not start <= x.t < end:
            continue
        if len(x.records) == 1 and x.records[0].op == "read" and x.records[0].offset == 0x3090:
            ticks.append([f64(x.records[0].data), []])
        elif ticks and len(x.records) == 1 and x.records[0].op == "write" and x.records[0].offset in (0x3070, 0x3060):
            ticks[-1][1].append((x.records[0].offset, f64(x.records[0].data)))
    return ticks


def trap_anywhere(c, log, labels, ready):
    expect_messages(c, log, ready, [
        ("Moving Carrier Trapping NOT enabled - too close to defined cable catch zone", 4),
        ("TRAPPING ACTIVE", 3),
    ])
    armed = log.command_time("at 4000 press shift+F10")
    active = next((m.t for m in log.messages if m.text == "TRAPPING ACTIVE"), None)
    c.expect(active and active - armed <= 1500, "trapping was not active within a second of the key")
    touchdown = log.details("touchdown")
    decels = log.accels(0x3070, ready)
    if not c.expect(touchdown and decels, "no touchdown or no braking"):
        return
    td = float(touchdown[0][1]["t"])
    c.expect(0 <= decels[0][0] - td <= 300, f"braking began {decels[0][0] - td:.0f} ms after the touchdown")
    lateral = 700 * 0.14054083470239145
    ticks = arrest_ticks(log, decels[0][0] - 100, decels[-1][0] + 500)
    c.expect(ticks and ticks[-1][0] <= 32.0 and not ticks[-1][1], "the arrest did not end at 32 ft/s")
    for speed, writes in ticks[:-1]:
        c.expect(speed > 32.0 and [o for o, _ in writes] == [0x3070, 0x3060] and
                 abs(writes[0][1] + 700) < 1e-9 and abs(writes[1][1] - lateral) < 1e-9,
                 f"arrest tick at {speed} ft/s wrote {writes}")
    side = max(s["side"] for s in log.samples(td, td + 3000))
    c.expect(side > 5, f"the sideways push left only {side} ft/s")
    c.figure(f"trap anywhere: {len(ticks) - 1} ticks of -700 and +{lateral:.3f} ft/s^2 from "
             f"{ticks[0][0]:.1f} ft/s; the program let go at {ticks[-1][0]:.1f} ft/s; sideways up to {side:.1f} ft/s")
    expect_label(c, labels, "caught", "Cables were CAUGHT.")


def arrests(log, start, end):
    """The decelerations written in [start, end) and the model's stop notes."""
    return log.accels(0x3070, start, end), [float(d["t"]) for t, d in log.details("stopped") if start <= t < end]


def landings(c, log, labels, ready):
    t1, t2, t3 = (log.command_time(f"at {at} approach vinson") for at in (0, 16000, 36000))
    end = log.note_times("scenario-end")[0]
    touchdowns = [float(d["t"]) for t, d in log.details("touchdown")]
    c.expect(len(touchdowns) == 3, f"touchdowns: {touchdowns}")
    first, stop1 = arrests(log, t1, t2)
    second, stop2 = arrests(log, t2, t3)
    third, stop3 = arrests(log, t3, end)
    c.expect(len(first) >= 10 and stop1, "the first landing was not braked to a stop")
    c.expect(not second and not stop2, f"the landing within the wait was braked ({len(second)} writes)")
    c.expect(len(third) >= 10 and stop3, "the third landing was not braked to a stop")
    if first and third and stop1 and len(touchdowns) == 3:
        c.expect(third[0][0] - stop1[0] > 30000, "caught again within 30 s of the first arrest's end")
        c.expect(touchdowns[1] - stop1[0] < 30000, "the second touchdown was not within the wait")
        for n, writes, td, stop in ((1, first, touchdowns[0], stop1[0]), (3, third, touchdowns[2], stop3[0])):
            c.expect(-1000 <= writes[0][0] - td <= 200 and {v for _, v, _ in writes} == {-700.0},
                     f"landing {n}: braking from {writes[0][0] - td:.0f} ms after the touchdown, values {set(v for _, v, _ in writes)}")
            c.figure(f"landing {n}: {len(writes)} writes of -700, stopped {stop - td:.0f} ms after the touchdown")
        c.figure(f"the second touchdown came {touchdowns[1] - stop1[0]:.0f} ms after the first stop: rolled on")
    expect_messages(c, log, ready, [])


def reset(c, log, labels, ready):
    t1 = log.command_time("at 0 approach vinson")
    t2 = log.command_time("at 17000 approach vinson")
    resets = [m.t for m in log.messages if m.text == "HFast disabled while resetting"]
    expect_messages(c, log, ready, [
        ("HFast disabled while resetting", 3), ("Hookfast enabled", 3),
        ("Fuel OFFLoad started: 500 GPM (drogue)", 3),
        ("HFast disabled while resetting", 3), ("Hookfast enabled", 3),
    ])
    if not c.expect(len(resets) == 2 and t1 and t2, "two resets and two approaches"):
        return
    first, stop1 = arrests(log, t1, t2)
    c.expect(first and first[0][0] < resets[0] and not stop1, "the first arrest was not cut short by the reset")
    c.expect(not log.accels(0x3070, resets[0] + 50, t2), "braking went on after the reset")
    c.expect(first and first[-1][2] > 50, f"the aircraft was at {first[-1][2] if first else '?'} ft/s at the reset")
    c.expect(any(x.read(0x3304) for x in log.exchanges if resets[0] < x.t < t2), "no new handshake after the reset")
    second, stop2 = arrests(log, t2, resets[1])
    c.expect(second and stop2 and second[0][0] - resets[0] < 30000, "the landing after the reset was not caught")
    c.expect({v for _, v, _ in first + second} == {-100.0}, "decelerations other than the option's -100")
    c.expect(not log.writes(0x0B7C, resets[1]), "the offload went on after the reset from Shift+F11")
    c.expect(log.writes(0x0B7C, ready, resets[1]), "the offload never wrote")
    expect_slot_table(c, log)
    runs = [kind for kind, _ in registrations(log)]
    c.expect(runs == ["register", "release", "register", "release", "register", "release"], f"slot writes: {runs}")
    c.figure(f"reset during the arrest at {first[-1][2] if first else 0:.1f} ft/s; caught again "
             f"{(second[0][0] - resets[0]) / 1000 if second else 0:.1f} s after the reset")
    expect_label(c, labels, "connection_after_reset", "FSX connection status : Okay,  FSUIPC Ver : 3.999")
    expect_label(c, labels, "catch_label_after_reset", "")
    expect_label(c, labels, "offloading", "OFFLOADING @ 500 GPM (drogue)")
    expect_label(c, labels, "final_fuel", "")


# --- toolbar --------------------------------------------------------------------------------

def toolbar(c, log, labels, ready):
    shown, back = log.signal("on-toolbar"), log.signal("back")
    c.expect(len(log.writes(0x0B7C, shown, back)) >= 2, "the offload stood still while the toolbar was shown")
    watch = [x for x in log.exchanges if shown <= x.t < back and x.reads_first(0x0BC8) and x.read(0x088C)]
    c.expect(len(watch) >= 100, f"the armed catapult's watch ran {len(watch)} times in {back - shown} ms")
    c.figure(f"while on the toolbar: {len(watch)} watch ticks in {back - shown} ms, "
             f"{len(log.writes(0x0B7C, shown, back))} offload steps")
    expect_messages(c, log, ready, [
        ("CATAPULT ARMED", 3), ("Fuel OFFLoad started: 500 GPM (drogue)", 3),
        (status_line("LANDED, TRAPPING NOT NEEDED, OFFLOADING FUEL @ 500 GPM (DROGUE), CAT ARMED"), 7),
        ("Fuel transfer rate now set to 1200 GPM (boom)", 7),
        Either(("BATTLE DAMAGE (1) INCURRED", 1), (MARKER[1][1], 5)),
        ("Catapult disarmed", 3), ("CATAPULT ARMED", 3),
        ("HFast has been manually disabled - fuel OFFload paused", 8),
        ("Hookfast reenabled - fuel OFFload resumed", 5),
        ("Fuel OFFLoad terminated", 6),
        ("Fuel load not allowed below 5000' AGL", 3),
        ("HFast disabled while resetting", 3), ("Hookfast enabled", 3),
    ])
    for name, value in [("on_toolbar_main", "0"), ("on_toolbar_bar", "1"), ("back_main", "1"), ("back_bar", "0"),
                        ("back_cat", "CATAPULT ARMED"), ("back_fuel", "OFFLOADING @ 500 GPM (drogue)"),
                        ("after_reset_main", "0"), ("after_reset_bar", "1"), ("final_cat", ""), ("final_fuel", "")]:
        expect_label(c, labels, name, value)


# --- editions -------------------------------------------------------------------------------

EDITIONS = {
    "edition-nl": {
        "connection": "FSX verbindingsstatus : Okay,  FSUIPC Versie : 3.999",
        "enabled": "Hookfast ingeschakeld",
        "armed": "KATAPULT OPGESPANNEN", "disarmed": "Katapult ontspannen",
        "below": "Brandstof tanken niet toegestaan onder 5000' AGL",
        "started": "Brandstof Tanken gestart: 500 GPM (drogue)",
        "loading": "BEZIG MET TANKEN @ 500 GPM (drogue)",
        "transponder": "Gevechtsschade aan TRANSPONDER -- GEEN ID OP RADAR",
        "level": "GEVECHTSSCHADE ({}) OPGELOPEN",
    },
    "edition-fr": {
        "connection": "FSX état de la connexion : OK,  version de FSUIPC : 3.999",
        "enabled": "Hookfast activé",
        "armed": "CATAPULTE ARMEE", "disarmed": "Catapulte désarméee ",
        "below": "Ravitaillement interdit au-dessous de 5000 pieds/sol",
        "started": "Début du ravitaillement: 500 Gal./mn (tuyau souple)",
        "loading": "RAVITAILLEMENT A  500 Gal./mn (tuyau souple)",
        "transponder": "Avarie TRANSPONDEUR H/S -- PAS D'ID SUR LE RADAR",
        "level": "AVARIE ({}) :",
    },
}


def edition(c, log, labels, ready, texts):
    shown = [(m.text, m.seconds) for m in log.messages_between(ready)]
    level1 = [s for s in shown if s in ((texts["level"].format(1), 1), (texts["transponder"], 5))]
    expect_messages(c, log, ready, [
        (texts["armed"], 3), (texts["disarmed"], 3), (texts["below"], 3), (texts["started"], 3),
        Translated("Fuel Load terminated", 6)] + level1 + [
        Either((texts["level"].format(3), 1), Translated(MARKER[3][1], 5)),
    ])
    c.expect(len(level1) >= 1 and level1.count((texts["transponder"], 5)) == 1,
             f"level 1 texts: {level1}")
    expect_label(c, labels, "connection", texts["connection"])
    expect_label(c, labels, "armed_label", texts["armed"])
    expect_label(c, labels, "loading", texts["loading"])


CASES = {"catapult": catapult, "catapult-auto": catapult_auto, "fuel": fuel, "damage": damage,
         "hotkeys": hotkeys, "override": override, "trap-anywhere": trap_anywhere,
         "landings": landings, "reset": reset, "toolbar": toolbar}


def main():
    if len(sys.argv) != 4 or (sys.argv[1] not in CASES and sys.argv[1] not in EDITIONS):
        print(__doc__, file=sys.stderr)
        return 2
    case, work, scenario = sys.argv[1:]
    log = Log(os.path.join(work, "standin.jsonl"), scenario)
    labels = read_labels(work)
    c = Check()
    ready = log.signal("ready")
    # The farewell ends the run: "Hookfast deactivated" (or the edition's) for 8 s at the close.
    last = log.messages[-1] if log.messages else None
    log.closed_at = last.t if last and last.seconds == 8 and last.t > max(log.note_times("scenario-end") or [0]) else float("inf")
    c.expect(log.closed_at != float("inf"), "no farewell message at the close")
    if c.expect(ready is not None, "the scenario never got the start signal"):
        enabled = EDITIONS[case]["enabled"] if case in EDITIONS else "Hookfast enabled"
        c.expect(log.messages and (log.messages[0].text, log.messages[0].seconds) == (enabled, 3)
                 and log.messages[0].t < ready, "the start's message")
        c.expect(labels.get("closed") == "1", "the program did not close cleanly")
        if case in CASES:
            expect_label(c, labels, "connection", "FSX connection status : Okay,  FSUIPC Ver : 3.999")
            CASES[case](c, log, labels, ready)
        else:
            edition(c, log, labels, ready, EDITIONS[case])
    for figure in c.figures:
        print(figure)
    for failure in c.failures:
        print("FAIL:", failure)
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
