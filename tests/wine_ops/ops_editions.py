"""The edition cases: the Dutch and French programs show their own texts, in the simulator
and in the windows.
"""
from opexpect import Either, Translated, expect_label, expect_messages
from ops_damage import MARKER


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
