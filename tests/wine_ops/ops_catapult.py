"""The catapult cases: arming by hand and its refusals, the hold on the brakes, the
throttle limit, the stroke to the cut-off, a refused stroke; automatic arming.
"""
import statistics

from oplog import f64, i16, speed_read_before
from opexpect import expect_label, expect_messages, expect_replies, intervals
from ops_hotkeys import slot_of


CUTOFF_FPS = 120 * 1.689          # the default catapult cut-off, 120 kt


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
