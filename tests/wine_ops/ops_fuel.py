"""The fuel case: loading and offloading, every step's tank writes against the rate and the
capacities, the limits of height and of the 10 % left.
"""
import statistics

from oplog import i16, i32, u32
from opexpect import expect_label, expect_messages, intervals


FULL = 8388608                    # a full tank
TANKS = [(0x0B74, 0x0B78), (0x1244, 0x1248), (0x0B7C, 0x0B80),
         (0x0B94, 0x0B98), (0x0B84, 0x0B88), (0x0B9C, 0x0BA0)]
RATES = {"500 GPM (drogue)": 69905067, "1200 GPM (boom)": 167772160}


def fuel_steps(log, start=0):
    """Each transfer step: (exchange of its reads, the tank writes that followed)."""
    steps = []
    for i, x in enumerate(log.exchanges):
        if x.t < start or not x.reads_first(0x0B74) or len(x.records) not in (6, 9):
            continue
        writes = []
        for y in log.exchanges[i + 1:]:
            record = y.records[0] if len(y.records) == 1 else None
            if record is None or record.op != "write" or record.offset not in [t for t, _ in TANKS]:
                break
            writes.append((record.offset, u32(record.data)))
        steps.append((x, writes))
    return steps


def capacities(log, before):
    """The capacities the last start request before `before` read, in tank order."""
    for x in reversed([x for x in log.exchanges if x.t < before]):
        if all(x.read(cap) is not None for _, cap in TANKS):
            return [u32(x.read(cap)) for _, cap in TANKS]
    return None


def expected_step(levels, caps, rate, loading):
    if loading:
        takers = [i for i in range(6) if caps[i] and levels[i] < 8346665]
    else:
        takers = [i for i in range(6) if caps[i] and levels[i] > 838861]
    writes = []
    for i in takers:
        share = round(rate / caps[i]) // len(takers)
        new = min(levels[i] + share, FULL) if loading else max(levels[i] - share, 838861)
        writes.append((TANKS[i][0], new))
    return writes


def fuel(c, log, labels, ready):
    expect_messages(c, log, ready, [
        ("Fuel Load started: 500 GPM (drogue)", 3),
        ("Fuel Load in progress -- OffLoad request ignored", 3),
        ("Fuel transfer rate now set to 1200 GPM (boom)", 7),
        ("Fuel Load terminated (not allowed below 5000' AGL)", 6),
        ("Fuel load not allowed below 5000' AGL", 3),
        ("Fuel OFFLoad started: 1200 GPM (boom)", 3),
        ("Fuel OFFLoad terminated (not allowed below 10% capacity)", 6),
    ])
    toggle = next((m.t for m in log.messages if m.text.startswith("Fuel transfer rate now set")), None)
    load_end = next((m.t for m in log.messages if m.text.startswith("Fuel Load terminated")), None)
    offload_start = next((m.t for m in log.messages if m.text.startswith("Fuel OFFLoad started")), None)
    if None in (toggle, load_end, offload_start):
        return
    caps = capacities(log, load_end)
    c.expect(caps == [0, 0, 200, 400, 0, 0], f"capacities read: {caps}")
    steps = fuel_steps(log, ready)
    loads = [(x, w) for x, w in steps if x.t <= load_end]
    offloads = [(x, w) for x, w in steps if x.t > offload_start]
    c.expect(len(loads) >= 6 and len(offloads) >= 10, f"{len(loads)} load and {len(offloads)} offload steps")
    c.expect(not [s for s in steps if load_end < s[0].t < offload_start], "a step between the transfers")
    # The height above the ground the step read (the low half of the altitude taken as the
    # unsigned fraction it is; the limit is checked to within that half's one metre).
    agl = lambda x: u32(x.read(0x0570)) / 4294967296.0 + i32(x.read(0x0574)) - i16(x.read(0x0B4C))
    gallons = {"500 GPM (drogue)": [], "1200 GPM (boom)": []}
    for k, (x, writes) in enumerate(loads):
        levels = [u32(x.read(level)) for level, _ in TANKS]
        last = k == len(loads) - 1
        if last:
            c.expect(agl(x) < 1525 and not writes, f"the last load step: AGL {agl(x):.1f} m, writes {writes}")
            continue
        rate = "1200 GPM (boom)" if x.t > toggle else "500 GPM (drogue)"
        want = expected_step(levels, caps, RATES[rate], True)
        c.expect(agl(x) >= 1523 and writes == want,
                 f"load step at {x.t} ms ({rate}, AGL {agl(x):.1f} m): wrote {writes}, expected {want}")
        index = {level: i for i, (level, _) in enumerate(TANKS)}
        gallons[rate].append(sum((new - levels[index[off]]) / FULL * caps[index[off]] for off, new in writes))
    for x, writes in offloads:
        levels = [u32(x.read(level)) for level, _ in TANKS]
        want = expected_step(levels, caps, RATES["1200 GPM (boom)"], False)
        c.expect(writes == want, f"offload step at {x.t} ms: wrote {writes}, expected {want}")
    final = offloads[-1][0] if offloads else None
    if final is not None:
        c.expect([u32(final.read(level)) for level, _ in TANKS][2:4] == [838861, 838861],
                 "the offload did not end at 10 %")
    c.expect(not [w for _, ws in steps for w in ws if w[0] not in (0x0B7C, 0x0B94)],
             "a tank without capacity was written")
    gaps = intervals([x.t for x, _ in loads + offloads])
    c.figure("fuel per step: %s; steps %d ms apart (median)" % (
        ", ".join(f"{statistics.mean(g):.3f} gal at {r}" for r, g in gallons.items() if g),
        statistics.median(gaps)))
    expect_label(c, labels, "loading", "LOADING @ 500 GPM (drogue)")
    expect_label(c, labels, "after_toggle", "LOADING @ 500 GPM (drogue)")
    expect_label(c, labels, "offloading", "OFFLOADING @ 1200 GPM (boom)")
    expect_label(c, labels, "final_fuel", "")
