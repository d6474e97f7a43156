"""The battle damage case: each level's draw of failure flags (and, at level 3, tanks and
engines), its message or its sound, and the follow-up sounds' pauses.
"""
from oplog import i16, i32, u8, u32
from opexpect import expect_label
from ops_fuel import TANKS


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
