"""The landing cases: trapping anywhere, landings caught, rolled through and caught again,
and resets in the middle of an arrest.
"""
from oplog import f64
from opexpect import expect_label, expect_messages
from ops_hotkeys import expect_slot_table, registrations


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
