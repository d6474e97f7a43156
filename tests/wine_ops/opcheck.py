#!/usr/bin/env python3
"""Checks one Wine run of a deck operation: what the real program did to the simulator, as
the stand-in's exchange log shows it, and what its windows showed (the name=value lines of
ops-client.sh).

    opcheck.py CASE WORKDIR SCENARIO

Prints the figures it measured; exit status 1, with every failed check, when one fails.
"""
import os
import sys

from oplog import Log
from opexpect import Check, expect_label, read_labels
from ops_catapult import catapult, catapult_auto
from ops_damage import damage
from ops_editions import EDITIONS, edition
from ops_fuel import fuel
from ops_hotkeys import hotkeys
from ops_landings import landings, reset, trap_anywhere
from ops_override import override
from ops_toolbar import toolbar


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
