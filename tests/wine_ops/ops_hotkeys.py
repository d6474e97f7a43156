"""The hot-key case and the slot table the other cases replay: registrations, releases and
re-arms of the simulator's hot-key slots, every key of both modifier sets.
"""
from oplog import u32
from opexpect import Either, expect_label, expect_messages, status_line
from ops_damage import MARKER


KEYS = {"F1": 0x70, "F2": 0x71, "F3": 0x72, "F5": 0x74, "F6": 0x75, "F7": 0x76, "F8": 0x77,
        "F9": 0x78, "F10": 0x79, "F11": 0x7A, "F12": 0x7B}
REGISTRATION = ["F12", "F9", "F10", "F11", "F8", "F5", "F6", "F1", "F2", "F3", "F7"]
RELEASE = ["F9", "F12", "F11", "F8", "F5", "F6", "F1", "F2", "F3", "F7", "F10"]
SLOTS = range(0x3210, 0x3210 + 4 * 56, 4)


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
