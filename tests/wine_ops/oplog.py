"""The stand-in's exchange log of one Wine run, read for the checks of the deck operations.

Each line of the log is one JSON object: an exchange served for the program
({"t", "exchange", "reply", "records": [{"op", "offset", "size", "data"}]}), a message the
program showed in the simulator ({"t", "message", "seconds"}) or a note of the stand-in
({"t", "event", "detail"}). Times are the stand-in's milliseconds since it started.
"""
import json
import struct


def u8(data):
    return data[0]


def i16(data):
    return struct.unpack("<h", data[:2])[0]


def u32(data):
    return struct.unpack("<I", data[:4])[0]


def i32(data):
    return struct.unpack("<i", data[:4])[0]


def f64(data):
    return struct.unpack("<d", data[:8])[0]


class Record:
    def __init__(self, raw):
        self.op = raw["op"]
        self.offset = int(raw["offset"], 16)
        self.data = bytes.fromhex(raw["data"])


class Exchange:
    def __init__(self, raw):
        self.t = raw["t"]
        self.number = raw["exchange"]
        self.reply = raw["reply"]
        self.refused = raw.get("refused", False)  # turned away whole by a fault in force
        self.records = [Record(r) for r in raw["records"]]

    def read(self, offset):
        """The data of the first read of `offset` in this exchange, or None."""
        return next((r.data for r in self.records if r.op == "read" and r.offset == offset), None)

    def written(self, offset):
        return next((r.data for r in self.records if r.op == "write" and r.offset == offset), None)

    def reads_first(self, offset):
        return bool(self.records) and self.records[0].op == "read" and self.records[0].offset == offset

    def writes_first(self, offset):
        return bool(self.records) and self.records[0].op == "write" and self.records[0].offset == offset


class Message:
    def __init__(self, raw):
        self.t = raw["t"]
        self.text = raw["message"]
        self.seconds = raw["seconds"]

    def __repr__(self):
        return f"{self.t} ms: {self.text!r} ({self.seconds} s)"


class Log:
    def __init__(self, path, scenario_path=None):
        self.exchanges, self.messages, self.notes = [], [], []
        with open(path, encoding="utf-8") as lines:
            for line in lines:
                raw = json.loads(line)
                if "exchange" in raw:
                    self.exchanges.append(Exchange(raw))
                elif "message" in raw:
                    self.messages.append(Message(raw))
                else:
                    self.notes.append((raw["t"], raw["event"], raw.get("detail", "")))
        # The scenario's lines by number, without their comments, to find when each ran.
        self.lines = {}
        if scenario_path:
            with open(scenario_path, encoding="utf-8") as scenario:
                for number, line in enumerate(scenario, 1):
                    self.lines[number] = " ".join(line.split("#")[0].split())

    def note_times(self, event, detail=None):
        return [t for t, e, d in self.notes if e == event and (detail is None or d == detail)]

    def details(self, event):
        """(time, {key: value}) of every note of this event."""
        out = []
        for t, e, d in self.notes:
            if e == event:
                out.append((t, dict(w.split("=", 1) for w in d.split() if "=" in w)))
        return out

    def signal(self, name):
        times = self.note_times("signal", "signal=" + name)
        return times[0] if times else None

    def command_times(self, text):
        """When the scenario ran each of its lines that reads `text` (comments aside)."""
        numbers = {n for n, line in self.lines.items() if line == text}
        return [t for t, d in ((t, d) for t, e, d in self.notes if e == "command")
                if int(d.split("=")[1]) in numbers]

    def command_time(self, text, occurrence=1):
        times = self.command_times(text)
        return times[occurrence - 1] if len(times) >= occurrence else None

    def messages_between(self, start, end=float("inf")):
        return [m for m in self.messages if start <= m.t < end]

    def writes(self, offset, start=0, end=float("inf")):
        """(time, data) of every write of `offset`, in order."""
        return [(x.t, x.written(offset)) for x in self.exchanges
                if start <= x.t < end and x.written(offset) is not None]

    def accels(self, offset, start=0, end=float("inf")):
        """(time, value, speed at the write) of every acceleration the model took at `offset`."""
        name = "0x%04X" % offset
        return [(t, float(d["value"]), float(d["speed"])) for t, d in self.details("accel")
                if d["offset"] == name and start <= t < end]

    def samples(self, start=0, end=float("inf")):
        """The flight samples (every 50 ms of model time) as dicts of floats with their time."""
        out = []
        for t, d in self.details("flight"):
            if start <= t < end:
                sample = {k: float(v) for k, v in d.items()}
                sample["logged"] = t
                out.append(sample)
        return out


def speed_read_before(log, number):
    """The forward speed the program read in the last exchange before exchange `number`
    that read it."""
    for x in reversed([x for x in log.exchanges if x.number < number]):
        data = x.read(0x3090)
        if data is not None:
            return f64(data)
    return None
