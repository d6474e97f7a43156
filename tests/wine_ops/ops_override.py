"""The manual override case: disabled and enabled from the main window, the toolbar and the
key, the reminders, the fuel load paused meanwhile, and the status line.
"""
from opexpect import expect_label, expect_messages, status_line
from ops_hotkeys import definition, slot_of, slot_writes


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
