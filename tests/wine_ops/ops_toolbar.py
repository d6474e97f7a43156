"""The toolbar case: the work goes on while the toolbar is shown, and every toolbar button
does what its key does.
"""
from opexpect import Either, expect_label, expect_messages, status_line
from ops_damage import MARKER


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
