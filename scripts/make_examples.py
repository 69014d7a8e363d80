#!/usr/bin/env python3
"""Writes the bundled example recordings and position files under examples/.

Everything here is synthetic and deterministic: the same files on every run.
  examples/subject01.datx   3x12, all three column blocks, AUTO marks EVT1/EVT2
  examples/subject02.datx   3x4, UDP trigger bytes T1/T2, one inactive slot
  examples/subject03.dat    2x6 (.dat), MANUAL marks, slow sampling
  examples/STD_POS3D/       a made-up standard position library for all 16 types
  examples/USR_POS3D/       a made-up subject's origin/others files and AR_AL.txt
"""
import math
import os
import random
import sys

# Slot counts and optode counts of the sixteen sensor types, in type order.
TYPES = [
    ("2x6f", 16, 6), ("3x4", 17, 6), ("3x4W", 34, 12), ("3x8", 37, 12), ("3x12", 57, 18),
    ("2x3W", 17, 6), ("3x4Tri", 57, 18), ("2x12", 34, 12), ("4x6", 38, 12), ("6x4", 38, 12),
    ("2x6+2x3W", 33, 12), ("2x6+2x6", 32, 12), ("2x6+3x4", 33, 12), ("2x6+3x8", 53, 18),
    ("2x6+4x6", 54, 18), ("2x6+6x4", 54, 18),
]


def write(path, lines, newline="\r\n"):
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write("".join(line + newline for line in lines))


def datx_header(date_line, sampling, sensor, mode, start, end, channels):
    lines = ["[Header]", "FileType=datx", "Version=3", "ID=synthetic", date_line]
    lines += ["Comment=Ordwell example", "Name=example", "Age=0", "Sex=none"]
    lines += ["Sampling=" + sampling, "SensorType=" + sensor, "Probe=1", "Gain=AUTO"]
    lines += ["Mode=" + mode, "StartMark=1," + start, "EndMark=1," + end]
    while len(lines) < 37:
        lines.append("Reserved%d=0" % len(lines))
    lines.append(",".join(str(c) for c in channels))
    lines += ["[Data]", "Mark,Values"]
    assert len(lines) == 40
    lines.append("# column names")  # line 40: the last header line
    return lines


def signal(rng, base, n, period):
    # A slow haemodynamic-like wave plus noise, as integer counts.
    phase = rng.random() * 6.28
    return [int(base + 400 * math.sin(phase + 0.05 * i) + rng.randint(-60, 60)) for i in range(n)]


def marks_auto(n):
    # EVT1 opens an interval every 25 s (at Fast, 0.08192 s a row), EVT2 closes it 10 s later.
    out = ["0"] * n
    for start in range(60, n, 305):
        out[start] = "1"
        if start + 122 < n:
            out[start + 122] = "2"
    return out


def datx_rows(rng, channels, n, marks):
    blocks = 3 if max(channels) > 48 else (2 if max(channels) > 24 else 1)
    width = 66 * blocks
    cols = {}
    for c in channels:
        if c > 0:
            cols[c] = (signal(rng, 2000 + 10 * c, n, 0), signal(rng, 1800 + 10 * c, n, 0))
    rows = []
    for i in range(n):
        fields = [marks[i]] + ["0"] * width
        for c, (w1, w2) in cols.items():
            block, ch = (c - 1) // 24, (c - 1) % 24 + 1
            field = 2 * ch + 66 * block  # 1-based field of the first wavelength
            fields[field - 1] = str(w1[i])
            fields[field] = str(w2[i])
        rows.append(",".join(fields))
    return rows


def subject01(folder, rng):
    channels = list(range(1, 58))
    n = 640
    lines = datx_header("Date= 2024/03/18 09:41:07", "Fast", "3x12", "AUTO", "EVT1", "EVT2", channels)
    write(os.path.join(folder, "subject01.datx"), lines + datx_rows(rng, channels, n, marks_auto(n)))


def subject02(folder, rng):
    channels = list(range(1, 18))
    channels[4] = 0  # slot 5 switched off on the device
    n = 420
    marks = ["0"] * n
    for start in range(40, n, 150):
        marks[start] = "100"           # trigger byte 1: T1
        if start + 90 < n:
            marks[start + 90] = "3200"  # trigger byte 50: T2
    lines = datx_header("Date= 2024/03/19 14:02:55", "Fast", "3x4", "UDP", "T1", "T2", channels)
    write(os.path.join(folder, "subject02.datx"), lines + datx_rows(rng, channels, n, marks))


def subject03(folder, rng):
    channels = list(range(1, 17))
    n = 200
    lines = ["[Header]", "Date  2024/03/20 11:30:00", "Version=2", "ID=synthetic", "Comment=Ordwell example",
             "Name=example", "Mode=MANUAL", "Probe=2x6", "StartMark=1,EVT3", "EndMark=1,EVT4"]
    while len(lines) < 21:
        lines.append("Reserved%d=0" % len(lines))
    lines.append(",".join(str(c) for c in channels))
    lines += ["Gain=AUTO", "Range=0"]
    lines.append("Sampling;SLOW")
    marks = ["0"] * n
    for start in range(20, n, 60):
        marks[start] = "4"
        if start + 25 < n:
            marks[start + 25] = "8"
    cols = {c: (signal(rng, 2500 + c, n, 0), signal(rng, 2300 + c, n, 0)) for c in channels}
    rows = []
    for i in range(n):
        fields = [marks[i]] + ["0"] * 48
        for c, (w1, w2) in cols.items():
            fields[2 * c - 1] = str(w1[i])
            fields[2 * c] = str(w2[i])
        rows.append(",".join(fields))
    write(os.path.join(folder, "subject03.dat"), lines + rows)


LANDMARKS = [("Nz", 0.0, 86.0, -42.0), ("Iz", 0.0, -115.0, -20.0), ("AR", -79.0, -19.0, -48.0),
             ("AL", 79.5, -19.5, -47.0), ("Cz", 0.5, -17.0, 99.0)]


def origin_lines():
    lines = ["Label,X,Y,Z"]
    lines += ["%s,%.2f,%.2f,%.2f" % lm for lm in LANDMARKS[:4]]
    lines += ["Fp%d,%.2f,%.2f,%.2f" % (i, -10.0 * i, 80.0, 10.0) for i in range(7)]
    lines.append("%s,%.2f,%.2f,%.2f" % LANDMARKS[4])
    return lines


def others_lines(rng, optodes, tag):
    lines = ["Probe positions of type %s" % tag]
    for k in range(1, optodes + 1):
        x, y, z = rng.uniform(-70, 70), rng.uniform(-90, 70), rng.uniform(10, 90)
        lines.append("Source LD%d,%.3f,%.3f,%.3f" % (k, x, y, z))
    for k in range(1, optodes + 1):
        x, y, z = rng.uniform(-70, 70), rng.uniform(-90, 70), rng.uniform(10, 90)
        lines.append("Detector PD%d,%.3f,%.3f,%.3f" % (k, x, y, z))
    return lines


def std_library(folder, rng):
    lib = os.path.join(folder, "STD_POS3D")
    os.makedirs(lib, exist_ok=True)
    write(os.path.join(lib, "nfri_mni_origin.csv"), origin_lines())
    for name, _slots, optodes in TYPES:
        write(os.path.join(lib, "nfri_mni_others_%s.csv" % name), others_lines(rng, optodes, name))


def user_files(folder, rng):
    usr = os.path.join(folder, "USR_POS3D")
    os.makedirs(usr, exist_ok=True)
    write(os.path.join(usr, "subj02_mni_origin_01.csv"), origin_lines())
    write(os.path.join(usr, "subj02_mni_others_3x4_01.csv"), others_lines(rng, 6, "3x4"))
    write(os.path.join(usr, "AR_AL.txt"), ["152.5"])


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "examples")
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20240318)
    subject01(folder, rng)
    subject02(folder, rng)
    subject03(folder, rng)
    std_library(folder, rng)
    user_files(folder, rng)


if __name__ == "__main__":
    main()
