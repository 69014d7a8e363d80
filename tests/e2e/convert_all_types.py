#!/usr/bin/env python3
"""End to end: `ordwell convert` + Brenlow on recordings of every sensor type, both
kinds and several modes, then MNE-Python reads each SNIRF file and every value is
compared with the intermediate set the conversion wrote.

usage: convert_all_types.py ORDWELL_BIN_DIR SOURCE_DIR
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile
import warnings

import h5py
import numpy as np

sys.path.insert(0, os.path.join(sys.argv[2], "scripts"))
import make_examples  # noqa: E402  (our synthetic library and recording shapes)

import mne  # noqa: E402

mne.set_log_level("ERROR")

BIN, SRC = sys.argv[1], sys.argv[2]
ORDWELL = os.path.join(BIN, "ordwell")
FAILURES = []
MNE_READS = []


def check(cond, what):
    if not cond:
        FAILURES.append(what)
        print("FAIL:", what)


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    text = data.decode("utf-8")
    assert text == "" or text.endswith("\r\n"), path
    return text.split("\r\n")[:-1] if text else []


def recording(rng, type_index, rows, kind, mode):
    name, slots, _ = make_examples.TYPES[type_index - 1]
    channels = []
    for k in range(slots):
        if rng.random() < 0.15 and type_index % 2 == 0:
            channels.append(0)
        else:
            channels.append(rng.randint(1, 72 if kind == "datx" else 24))
    if all(c == 0 for c in channels):
        channels[0] = 1
    # Three types have more slots than pairs: a device switches the surplus slots off.
    pairs = {6: 14, 7: 51, 11: 30}.get(type_index, slots)
    for k in reversed(range(slots)):
        if sum(1 for c in channels if c != 0) <= pairs:
            break
        channels[k] = 0
    marks = ["0"] * rows
    for start in range(5, rows, 40):
        if mode == "UDP":
            marks[start] = "100"
            if start + 20 < rows:
                marks[start + 20] = "3200"
        else:
            marks[start] = "1"
            if start + 20 < rows:
                marks[start + 20] = "2"
    if kind == "datx":
        text_name = "3x4" if name == "3x4" and rng.random() < 0.5 else name
        if type_index == 1:
            text_name = "2x6"
        lines = make_examples.datx_header("Date= 2024/05/0%d 10:11:12" % (type_index % 9 + 1),
                                          rng.choice(["Fast", "Slow"]), text_name, mode, "EVT1", "EVT2", channels)
        lines += make_examples.datx_rows(rng, [c for c in channels], rows, marks)
    else:
        lines = ["[Header]", "Date  2024/06/01 09:00:00"] + ["x=%d" % i for i in range(2, 25)]
        lines[6] = "Mode=" + mode
        lines[8] = "StartMark=1,EVT1"
        lines[9] = "EndMark=1,EVT2"
        lines[21] = ",".join(str(c) for c in channels)
        lines[24] = "Sampling;FAST"
        for i in range(rows):
            lines.append(",".join([marks[i]] + [str(rng.randint(0, 4000)) for _ in range(48)]))
    return lines


def compare(base, snirf_path, label):
    data = [[float(v) for v in line.split(",") if v != ""] for line in read_lines(os.path.join(base, "data.csv"))]
    times = [float(v) for v in read_lines(os.path.join(base, "tmlst.csv"))]
    mes = read_lines(os.path.join(base, "meslst.csv"))
    entries = [mes[i:i + 14] for i in range(0, len(mes), 14)]
    stim = [[float(v) for v in line.split(",")] for line in read_lines(os.path.join(base, "stim.csv"))]
    src2d = [[float(v) for v in l.split(",")] for l in read_lines(os.path.join(base, "sourcePos2D.csv"))]
    has3d = os.path.exists(os.path.join(base, "sPos3D.csv"))

    with h5py.File(snirf_path, "r") as f:
        series = f["/nirs/data1/dataTimeSeries"][()]
        check(series.shape == (len(data), len(entries)), "%s: dataTimeSeries shape %s" % (label, series.shape))
        if data and series.shape == (len(data), len(entries)):
            check(np.array_equal(series, np.array(data)), "%s: dataTimeSeries differs from data.csv" % label)
        for k, e in enumerate(entries, 1):
            ml = f["/nirs/data1/measurementList%d" % k]
            got_entry = [int(ml["sourceIndex"][()]), int(ml["detectorIndex"][()]), int(ml["wavelengthIndex"][()])]
            check(got_entry == [int(e[0]), int(e[1]), int(e[2])], "%s: measurementList%d" % (label, k))
        used_sources = {int(e[0]) for e in entries}
        used_detectors = {int(e[1]) for e in entries}
        all_used = (used_sources == set(range(1, f["/nirs/probe/sourcePos2D"].shape[0] + 1)) and
                    used_detectors == set(range(1, f["/nirs/probe/detectorPos2D"].shape[0] + 1)))
    if not all_used:
        return  # this MNE release cannot read a probe with optodes that no channel uses
    with warnings.catch_warnings():
        # A warning about our file is a fault; the advice to add 3D positions is not.
        warnings.simplefilter("error")
        if not has3d:
            warnings.filterwarnings("ignore", message=".*only contains 2D location.*")
        raw = mne.io.read_raw_snirf(snirf_path, preload=True, verbose="ERROR")
    MNE_READS.append(label)

    got = raw.get_data()
    want = np.array(data).T
    check(got.shape == want.shape, "%s: data shape %s != %s" % (label, got.shape, want.shape))
    if got.shape == want.shape:
        check(np.array_equal(got, want), "%s: data values differ" % label)
    check(len(raw.times) == len(times), "%s: %d times, set has %d" % (label, len(raw.times), len(times)))
    with h5py.File(snirf_path, "r") as f:
        t = f["/nirs/data1/time"][()]
        check(np.allclose(t, times, atol=0, rtol=0), "%s: time differs from tmlst.csv" % label)
        check(f["/formatVersion"][()] == b"1.1", "%s: formatVersion" % label)
    names = raw.ch_names
    for j, e in enumerate(entries):
        expect = "S%s_D%s %d" % (e[0], e[1], 840 if e[2] == "1" else 770)
        check(names[j] == expect, "%s: channel %d is %s, expected %s" % (label, j, names[j], expect))
        check(raw.info["chs"][j]["loc"][9] == (840 if e[2] == "1" else 770), "%s: wavelength of %d" % (label, j))
        if has3d:
            s = [float(v) for v in read_lines(os.path.join(base, "sPos3D.csv"))[int(e[0]) - 1].split(",")]
            check(np.allclose(raw.info["chs"][j]["loc"][3:6], np.array(s) / 1000.0), "%s: source 3D of %d" % (label, j))
        else:
            s = src2d[int(e[0]) - 1]
            check(np.allclose(raw.info["chs"][j]["loc"][3:5], np.array(s) / 1000.0), "%s: source 2D of %d" % (label, j))
    onsets = list(raw.annotations.onset)
    check(np.allclose(onsets, [s[0] for s in stim]), "%s: onsets %s != %s" % (label, onsets, [s[0] for s in stim]))


def run(args, cwd):
    return subprocess.run([ORDWELL, "convert"] + args, cwd=cwd, capture_output=True, text=True)


def main():
    rng = random.Random(11)
    with tempfile.TemporaryDirectory() as tmp:
        base = os.path.join(tmp, "base")
        os.makedirs(base)
        make_examples.std_library(tmp, random.Random(5))
        shutil.move(os.path.join(tmp, "STD_POS3D"), os.path.join(base, "STD_POS3D"))
        cases = []
        for t in range(1, 17):
            cases.append((t, "datx", rng.choice(["AUTO", "MANU", "MANUAL", "UDP"]), rng.randint(30, 200)))
        cases.append((1, "dat", "AUTO", 120))
        for t, kind, mode, rows in cases:
            lines = recording(rng, t, rows, kind, mode)
            path = os.path.join(tmp, "rec_%02d_%s.%s" % (t, mode, kind))
            make_examples.write(path, lines)
            # One file per run here, so that the set left in the base folder is this file's.
            result = run([path], base)
            label = os.path.basename(path)
            check(result.returncode == 0, "%s: exit %d: %s" % (label, result.returncode, result.stderr))
            if result.returncode != 0:
                continue
            out = result.stdout.strip()
            check(out == os.path.join(base, "temp", os.path.splitext(label)[0] + ".snirf"), "%s: printed %r" % (label, out))
            compare(base, out, label)

        # Standard positions off: the same file gives a SNIRF with 2D positions only.
        shutil.rmtree(os.path.join(base, "STD_POS3D"))
        path = os.path.join(tmp, "rec_01_AUTO.datx")
        make_examples.write(path, recording(rng, 2, 80, "datx", "AUTO"))
        result = run([path], base)
        check(result.returncode == 0, "2D only: %s" % result.stderr)
        check(not os.path.exists(os.path.join(base, "sPos3D.csv")), "2D only: 3D files of the earlier run remain")
        if result.returncode == 0:
            compare(base, result.stdout.strip(), "2D only")

        # The subject's own positions, with a folder name holding "_".
        usr = os.path.join(tmp, "my_data")
        os.makedirs(usr)
        make_examples.write(os.path.join(usr, "s_mni_origin_1.csv"), make_examples.origin_lines())
        make_examples.write(os.path.join(usr, "s_mni_others_3x4_1.csv"), make_examples.others_lines(rng, 6, "3x4"))
        make_examples.write(os.path.join(usr, "AR_AL.txt"), ["300.0"])
        path = os.path.join(tmp, "user.datx")
        make_examples.write(path, recording(rng, 2, 90, "datx", "AUTO"))
        result = run(["--user", os.path.join(usr, "s_mni_origin_1.csv"), os.path.join(usr, "s_mni_others_3x4_1.csv"), path], base)
        check(result.returncode == 0, "user mode: %s" % result.stderr)
        if result.returncode == 0:
            check(os.path.exists(os.path.join(base, "sPos3D.csv")), "user mode: no 3D files")
            compare(base, result.stdout.strip(), "user mode")

    check(len(MNE_READS) >= 10, "MNE read only %d files: %s" % (len(MNE_READS), MNE_READS))
    print("MNE read %d of the SNIRF files" % len(MNE_READS))
    print("%d passed, %d failed" % (0 if FAILURES else 1, 1 if FAILURES else 0))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
