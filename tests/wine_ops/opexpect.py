"""What the checks of the deck operations share: the collected failures and figures, the
expected messages (in order, or as replies to the scenario's lines) and the labels the
windows showed (the name=value lines of ops-client.sh).
"""
import os


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
