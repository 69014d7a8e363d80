#!/usr/bin/env python3
"""Brenlow, the real binary, on small intermediate sets in temporary folders.

Each good set's SNIRF file is checked with h5py against the rules of the SNIRF 1.1
format document (scalar variable-length UTF-8 strings, scalar int32 indices, shapes,
optional fields present exactly when given) and against the set's values, then read
back by MNE-Python. Broken sets must be refused: exit 1, "Brenlow: <message>" on
stderr, no output and no temporary file left, an earlier output untouched.

usage: check_snirf.py BRENLOW
"""
import os
import re
import subprocess
import sys
import tempfile
import warnings

import h5py
import numpy as np

import mne

mne.set_log_level("ERROR")

BRENLOW = os.path.abspath(sys.argv[1])
OUTPUT = "tavik_data_3d.snirf"
FAILURES = []
BOM = "\ufeff"

# The six tags, in the order of metalst.csv.
META_TAGS = ["SubjectID", "MeasurementDate", "MeasurementTime", "LengthUnit", "TimeUnit", "FrequencyUnit"]
# meslst.csv: the 14 fields of an entry in file order, with their SNIRF kinds.
ENTRY_FIELDS = [("sourceIndex", "int"), ("detectorIndex", "int"), ("wavelengthIndex", "int"),
                ("wavelengthActual", "float"), ("wavelengthEmissionActual", "float"), ("dataType", "int"),
                ("dataUnit", "str"), ("dataTypeLabel", "str"), ("dataTypeIndex", "int"),
                ("sourcePower", "float"), ("detectorGain", "float"), ("moduleIndex", "int"),
                ("sourceModuleIndex", "int"), ("detectorModuleIndex", "int")]
NOT_GIVEN = ["0", "0", "-1", "none", "none", "-1", "0", "0", "-1", "-1", "-1"]  # fields 4 to 14


def check(cond, what):
    if not cond:
        FAILURES.append(what)
        print("FAIL:", what)
    return cond


def entry(source, detector, wavelength, rest=None):
    return [str(source), str(detector), str(wavelength)] + list(rest or NOT_GIVEN)


def good_set(with3d=False):
    """2 sources and 3 detectors, all used (this MNE release needs that), 3 channels."""
    mes = []
    for s, d in [(1, 1), (1, 2), (2, 3)]:
        for w in (1, 2):
            mes += entry(s, d, w)
    files = {
        "metalst.csv": ["subject01", "2024-05-01", "10:11:12", "mm", "s", "Hz"],
        "tmlst.csv": ["%.5f" % (i * 0.08192) for i in range(5)],
        "sourcePos2D.csv": ["0.0,0.0", "30.0,0.0"],
        "detectorPos2D.csv": ["15.0,0.0", "0.0,30.0", "30.0,30.0"],
        "meslst.csv": mes,
        "data.csv": [",".join(str(100 * r + k - (7 if k == 3 else 0)) for k in range(6)) for r in range(5)],
        "stim.csv": ["0.08192,0.16384,1", "0.24576,0.08192,1"],
    }
    if with3d:
        files["landPos3D.csv"] = ["0.0000,84.5000,-42.2500", "-75.0000,-18.5000,-50.0000", "75.0000,-18.2500,-49.5000",
                                  "0.5000,-14.0000,98.7500"]
        files["sPos3D.csv"] = ["-20.0000,60.0000,40.0000", "20.5000,60.0000,40.0000"]
        files["dPos3D.csv"] = ["0.0000,65.0000,35.0000", "-30.0000,50.0000,50.0000", "30.0000,50.2500,50.0000"]
    return files


def write_set(folder, files, bom=False):
    for name, lines in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="") as f:
            f.write((BOM if bom else "") + "".join(line + "\r\n" for line in lines))


def numbers(lines):
    return [[float(v) for v in line.split(",")] for line in lines]


def data_values(lines):
    # One trailing comma is allowed on a data line.
    return numbers([line[:-1] if line.endswith(",") else line for line in lines])


def run(folder, args=None, cwd=None):
    return subprocess.run([BRENLOW] + ([folder] if args is None else args), cwd=cwd, capture_output=True, text=True)


def leftovers(folder):
    return [n for n in os.listdir(folder) if n.startswith(".tavik_data_3d.snirf")]


# --- the SNIRF file against the rules and the set --------------------------------

def is_utf8_vlen(ds):
    info = h5py.check_string_dtype(ds.dtype)
    return info is not None and info.encoding == "utf-8" and info.length is None


def check_string(group, name, want, label):
    ds = group.get(name)
    if not check(isinstance(ds, h5py.Dataset), "%s: %s missing" % (label, name)):
        return
    check(is_utf8_vlen(ds) and ds.shape == (), "%s: %s is not a scalar variable-length UTF-8 string" % (label, name))
    check(ds.asstr()[()] == want, "%s: %s is %r, not %r" % (label, name, ds[()], want))


def check_scalar(group, name, kind, want, label):
    ds = group.get(name)
    if not check(isinstance(ds, h5py.Dataset), "%s: %s missing" % (label, name)):
        return
    if kind == "str":
        check_string(group, name, want, label)
        return
    dtype = np.dtype("<i4") if kind == "int" else np.dtype("<f8")
    check(ds.dtype == dtype and ds.shape == (),
          "%s: %s is %s %s, not a scalar %s" % (label, name, ds.dtype, ds.shape, dtype))
    check(ds[()] == want, "%s: %s is %r, not %r" % (label, name, ds[()], want))


def check_matrix(group, name, rows, columns, want, label):
    ds = group.get(name)
    if not check(isinstance(ds, h5py.Dataset), "%s: %s missing" % (label, name)):
        return
    check(ds.dtype == np.dtype("<f8"), "%s: %s is %s" % (label, name, ds.dtype))
    shape = (rows,) if columns is None else (rows, columns)
    if check(ds.shape == shape, "%s: %s has shape %s, not %s" % (label, name, ds.shape, shape)):
        check(np.array_equal(ds[()], np.array(want, dtype=float).reshape(shape)),
              "%s: %s values differ" % (label, name))


def every_string_is_utf8_vlen(f, label):
    def visit(name, obj):
        if isinstance(obj, h5py.Dataset) and obj.dtype.kind in "SOU":
            check(is_utf8_vlen(obj), "%s: %s is not a variable-length UTF-8 string" % (label, name))
            # landmarkLabels is the one string array; every other string is one text.
            check(obj.shape == () or name.endswith("probe/landmarkLabels"), "%s: %s is not scalar" % (label, name))
    f.visititems(visit)


def expected_entry(lines):
    """The datasets an entry of meslst.csv gives: {name: (kind, value)}, absent ones left out."""
    fields = {}
    for (name, kind), text in zip(ENTRY_FIELDS, lines):
        if kind == "int":
            value = int(text)
            if name in ("dataType", "dataTypeIndex") and value == -1:
                value = 1  # required: a raw continuous-wave amplitude of index 1
            elif value == -1 and name.endswith("oduleIndex"):
                continue
        elif kind == "float":
            value = float(text)
            if value == 0.0:
                continue
        else:
            if text == "none":
                continue
            value = text
        fields[name] = (kind, value)
    return fields


def check_file(path, files, label):
    data = data_values(files["data.csv"])
    times = [float(t) for t in files["tmlst.csv"]]
    mes = files["meslst.csv"]
    entries = [mes[i:i + 14] for i in range(0, len(mes), 14)]
    stim = numbers(files["stim.csv"])
    has3d = "sPos3D.csv" in files
    with h5py.File(path, "r") as f:
        every_string_is_utf8_vlen(f, label)
        check(set(f.keys()) == {"formatVersion", "nirs"}, "%s: root holds %s" % (label, sorted(f.keys())))
        check_string(f, "formatVersion", "1.1", label)
        nirs = f["nirs"]
        want_groups = {"metaDataTags", "data1", "probe"} | ({"stim1"} if stim else set())
        check(set(nirs.keys()) == want_groups, "%s: /nirs holds %s" % (label, sorted(nirs.keys())))

        meta = nirs["metaDataTags"]
        check(list(meta.keys()) == sorted(META_TAGS), "%s: metaDataTags holds %s" % (label, list(meta.keys())))
        for name, text in zip(META_TAGS, files["metalst.csv"]):
            check_string(meta, name, text, label)

        d = nirs["data1"]
        names = {"dataTimeSeries", "time"} | {"measurementList%d" % k for k in range(1, len(entries) + 1)}
        check(set(d.keys()) == names, "%s: data1 holds %s" % (label, sorted(d.keys())))
        check_matrix(d, "dataTimeSeries", len(times), len(entries), data, label)
        check_matrix(d, "time", len(times), None, times, label)
        for k, e in enumerate(entries, 1):
            ml = d.get("measurementList%d" % k)
            if not check(ml is not None, "%s: measurementList%d missing" % (label, k)):
                continue
            want = expected_entry(e)
            check(set(ml.keys()) == set(want),
                  "%s: measurementList%d holds %s, not %s" % (label, k, sorted(ml.keys()), sorted(want)))
            for name, (kind, value) in want.items():
                check_scalar(ml, name, kind, value, "%s: measurementList%d" % (label, k))

        if stim:
            s = nirs["stim1"]
            check(set(s.keys()) == {"name", "data"}, "%s: stim1 holds %s" % (label, sorted(s.keys())))
            check_string(s, "name", "1", label)
            check_matrix(s, "data", len(stim), 3, stim, label)

        p = nirs["probe"]
        src2d, det2d = numbers(files["sourcePos2D.csv"]), numbers(files["detectorPos2D.csv"])
        probe_names = {"wavelengths", "sourcePos2D", "detectorPos2D"}
        if has3d:
            probe_names |= {"sourcePos3D", "detectorPos3D", "landmarkPos3D", "landmarkLabels"}
        check(set(p.keys()) == probe_names, "%s: probe holds %s" % (label, sorted(p.keys())))
        check_matrix(p, "wavelengths", 2, None, [840.0, 770.0], label)
        check_matrix(p, "sourcePos2D", len(src2d), 2, src2d, label)
        check_matrix(p, "detectorPos2D", len(det2d), 2, det2d, label)
        if has3d:
            land = numbers(files["landPos3D.csv"])
            check_matrix(p, "sourcePos3D", len(src2d), 3, numbers(files["sPos3D.csv"]), label)
            check_matrix(p, "detectorPos3D", len(det2d), 3, numbers(files["dPos3D.csv"]), label)
            check_matrix(p, "landmarkPos3D", len(land), 3, land, label)
            labels = p.get("landmarkLabels")
            if check(labels is not None, "%s: landmarkLabels missing" % label):
                check(labels.shape == (len(land),), "%s: landmarkLabels shape %s" % (label, labels.shape))
                check(list(labels.asstr()[()]) == ["L%d" % i for i in range(1, len(land) + 1)],
                      "%s: landmarkLabels %s" % (label, labels[()]))


def check_with_mne(path, files, label):
    has3d = "sPos3D.csv" in files
    with warnings.catch_warnings():
        # A warning about the file is a fault; the advice to add 3D positions is not.
        warnings.simplefilter("error")
        if not has3d:
            warnings.filterwarnings("ignore", message=".*only contains 2D location.*")
        try:
            raw = mne.io.read_raw_snirf(path, preload=True, verbose="ERROR")
        except Exception as e:  # noqa: BLE001  (any refusal is the finding)
            check(False, "%s: MNE cannot read the file: %r" % (label, e))
            return
    data = np.array(data_values(files["data.csv"]))
    mes = files["meslst.csv"]
    entries = [mes[i:i + 14] for i in range(0, len(mes), 14)]
    check(np.array_equal(raw.get_data(), data.T), "%s: MNE data differ from data.csv" % label)
    # This MNE release rounds the time step to 4 decimals before it inverts it.
    check(np.isclose(raw.info["sfreq"], 1 / 0.0819), "%s: sampling rate %s" % (label, raw.info["sfreq"]))
    check(raw.info["subject_info"]["first_name"] == files["metalst.csv"][0].lstrip(BOM),
          "%s: subject %r" % (label, raw.info["subject_info"]))
    check(raw.info["meas_date"].strftime("%Y-%m-%d %H:%M:%S") == "2024-05-01 10:11:12",
          "%s: measurement date %s" % (label, raw.info["meas_date"]))
    src = numbers(files["sPos3D.csv"] if has3d else files["sourcePos2D.csv"])
    det = numbers(files["dPos3D.csv"] if has3d else files["detectorPos2D.csv"])
    for j, e in enumerate(entries):
        wavelength = 840 if e[2] == "1" else 770
        name = "S%s_D%s %d" % (e[0], e[1], wavelength)
        check(raw.ch_names[j] == name, "%s: channel %d is %s, not %s" % (label, j, raw.ch_names[j], name))
        loc = raw.info["chs"][j]["loc"]
        check(loc[9] == wavelength, "%s: wavelength of channel %d is %s" % (label, j, loc[9]))
        want_src = np.array((src[int(e[0]) - 1] + [0.0])[:3]) / 1000.0  # mm to m; 2D gets z = 0
        want_det = np.array((det[int(e[1]) - 1] + [0.0])[:3]) / 1000.0
        check(np.allclose(loc[3:6], want_src) and np.allclose(loc[6:9], want_det),
              "%s: optode positions of channel %d are %s" % (label, j, loc[3:9]))
    stim = numbers(files["stim.csv"])
    check(np.allclose(raw.annotations.onset, [s[0] for s in stim]) and len(raw.annotations) == len(stim),
          "%s: onsets %s, not %s" % (label, list(raw.annotations.onset), [s[0] for s in stim]))
    if has3d:
        # The landmarks arrive as digitised points, in metres.
        extra = [d["r"] for d in raw.info["dig"] if d["kind"] == mne.io.constants.FIFF.FIFFV_POINT_EEG]
        check(np.allclose(extra, np.array(numbers(files["landPos3D.csv"])) / 1000.0),
              "%s: landmarks %s" % (label, extra))


# --- good sets ------------------------------------------------------------------

def given_values_set():
    files = good_set(True)
    mes = files["meslst.csv"]
    # Entry 3: every optional field given. dataType 1 is the one kind MNE reads.
    mes[28:42] = entry(1, 2, 1,
                       ["841.5", "910.25", "1", "V", "raw \u00e4mplitude", "2", "1.5", "2.5e-3", "0", "3", "4"])
    return files


def good_cases():
    def changed(files, **members):
        files.update(members)
        return files

    trailing = good_set()
    trailing["data.csv"] = [line + "," for line in trailing["data.csv"]]
    utf8 = good_set(True)
    utf8["metalst.csv"][0] = "Pr\u00fcfling_\u65e5\u672c"
    one_time = good_set()
    one_time["tmlst.csv"] = one_time["tmlst.csv"][:1]
    one_time["data.csv"] = one_time["data.csv"][:1]
    return [
        # label, files, write with the UTF-8 mark, read with MNE
        ("2D only", good_set(), False, True),
        ("3D", good_set(True), False, True),
        ("a trailing comma on every data line", trailing, False, True),
        ("one stim row", changed(good_set(True), **{"stim.csv": ["0.16384,0.40960,1"]}), False, True),
        ("several stim rows", changed(good_set(), **{"stim.csv": ["%.5f,0.08192,1" % (0.08192 * i) for i in range(5)]}),
         False, True),
        ("no stim row", changed(good_set(True), **{"stim.csv": []}), False, True),
        ("non-ASCII SubjectID, UTF-8 mark on every member", utf8, True, True),
        ("given values in the optional fields", given_values_set(), False, True),
        # MNE takes one time point for an irregular sampling: h5py only.
        ("one time point", one_time, False, False),
    ]


def check_good_sets(tmp):
    for label, files, bom, with_mne in good_cases():
        folder = tempfile.mkdtemp(dir=tmp)
        write_set(folder, files, bom)
        result = run(folder)
        if not check(result.returncode == 0 and result.stderr == "",
                     "%s: exit %d: %s" % (label, result.returncode, result.stderr)):
            continue
        check(leftovers(folder) == [], "%s: left %s" % (label, leftovers(folder)))
        path = os.path.join(folder, OUTPUT)
        check_file(path, files, label)
        if with_mne:
            check_with_mne(path, files, label)


def check_how_it_is_started(tmp):
    folder = tempfile.mkdtemp(dir=tmp)
    write_set(folder, good_set())
    # The tool starts it with no argument in the set's folder.
    result = run(folder, args=[], cwd=folder)
    check(result.returncode == 0 and os.path.isfile(os.path.join(folder, OUTPUT)), "no argument: %s" % result.stderr)
    # A good set replaces an earlier output.
    with open(os.path.join(folder, OUTPUT), "wb") as f:
        f.write(b"old")
    result = run(folder + "/")
    check(result.returncode == 0, "trailing slash: %s" % result.stderr)
    with h5py.File(os.path.join(folder, OUTPUT), "r") as f:
        check(f["formatVersion"].asstr()[()] == "1.1", "the earlier output was not replaced")
    check(leftovers(folder) == [], "replacing left %s" % leftovers(folder))
    usage = run(folder, args=[folder, folder])
    check(usage.returncode == 2 and usage.stderr.startswith("usage: Brenlow [DIR]"), "two arguments: %r" % usage.stderr)
    for flag in ("--help", "-h"):
        shown = run(folder, args=[flag])
        check(shown.returncode == 0 and shown.stdout.startswith("usage: Brenlow [DIR]"),
              "%s: %r" % (flag, shown.stdout))
    version = run(folder, args=["--version"])
    check(version.returncode == 0 and re.fullmatch(r"Brenlow \d+\.\d+\.\d+\n", version.stdout),
          "--version: %r" % version.stdout)


def check_abandoned_partials(tmp):
    # A converter killed while writing leaves its partial file; the next run removes it
    # once its process is gone, and leaves a running one's alone.
    folder = tempfile.mkdtemp(dir=tmp)
    write_set(folder, good_set())
    ended = subprocess.Popen(["true"])
    ended.wait()
    names = {"gone": ".tavik_data_3d.snirf.tmp-%d" % ended.pid, "running": ".tavik_data_3d.snirf.tmp-%d" % os.getpid(),
             "other": ".tavik_data_3d.snirf.tmp-12x"}
    for name in names.values():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(b"partial")
    result = run(folder)
    check(result.returncode == 0, "abandoned partials: %s" % result.stderr)
    check(sorted(leftovers(folder)) == sorted([names["running"], names["other"]]),
          "abandoned partials: left %s" % leftovers(folder))


# --- broken sets ----------------------------------------------------------------

def broken_cases():
    def case(label, with3d, change, message):
        files = good_set(with3d)
        change(files)
        return label, files, message

    def set_line(name, index, text):
        return lambda f: f[name].__setitem__(index, text)

    return [
        case("no data.csv", False, lambda f: f.pop("data.csv"),
             'Cannot open file "{dir}/data.csv": No such file or directory'),
        case("no stim.csv", False, lambda f: f.pop("stim.csv"),
             'Cannot open file "{dir}/stim.csv": No such file or directory'),
        case("metalst.csv with 5 lines", False, lambda f: f["metalst.csv"].pop(),
             "{dir}/metalst.csv: has 5 lines, not the 6 metadata tags"),
        case("source 3 of 2", False, set_line("meslst.csv", 70, "3"),
             "{dir}/meslst.csv:71: source 3 is not one of the 2 sources of sourcePos2D.csv"),
        case("no dPos3D.csv", True, lambda f: f.pop("dPos3D.csv"),
             "{dir}: landPos3D.csv, sPos3D.csv and dPos3D.csv must all be there or none of them"),
        case("no time point", False, lambda f: f.update({"tmlst.csv": [], "data.csv": []}),
             "{dir}/tmlst.csv: the recording has no time point; a SNIRF file without samples is of no use"),
        case("no active channel", False, lambda f: f.update({"meslst.csv": [], "data.csv": [""] * 5}),
             "{dir}/meslst.csv: the recording has no active channel; a SNIRF file without channels is of no use"),
        # Found while dataTimeSeries is being written: the partial file must go.
        case("a bad value in the last data line", False, set_line("data.csv", 4, "400,401,402,393,404,x"),
             "{dir}/data.csv:5: value 6 'x' is not a number"),
        case("a data line with too many values", True, set_line("data.csv", 2, "1,2,3,4,5,6,7,8,9"),
             "{dir}/data.csv:3: expected 6 values (one per measurement-list entry), found 9"),
        case("fewer data lines than times", False, lambda f: f["data.csv"].pop(),
             "{dir}/data.csv: has 4 lines, but tmlst.csv has 5 times"),
        case("more data lines than times", False, lambda f: f["tmlst.csv"].pop(),
             "{dir}/data.csv:5: more data lines than the 4 times of tmlst.csv"),
    ]


def check_broken_sets(tmp):
    for label, files, message in broken_cases():
        for earlier in (None, b"an earlier output"):
            folder = tempfile.mkdtemp(dir=tmp)
            write_set(folder, files)
            path = os.path.join(folder, OUTPUT)
            if earlier is not None:
                with open(path, "wb") as f:
                    f.write(earlier)
            what = "%s (%s)" % (label, "earlier output there" if earlier else "no earlier output")
            result = run(folder)
            check(result.returncode == 1, "%s: exit %d" % (what, result.returncode))
            want = "Brenlow: " + message.replace("{dir}", folder) + "\n"
            check(result.stderr == want, "%s: stderr %r, not %r" % (what, result.stderr, want))
            check(result.stdout == "", "%s: stdout %r" % (what, result.stdout))
            check(leftovers(folder) == [], "%s: left %s" % (what, leftovers(folder)))
            if earlier is None:
                check(not os.path.exists(path), "%s: an output was written" % what)
            else:
                # A refused set changes nothing: the earlier output stays as it was.
                with open(path, "rb") as f:
                    check(f.read() == earlier, "%s: the earlier output was changed" % what)


def check_unwritable_output(tmp):
    folder = tempfile.mkdtemp(dir=tmp)
    write_set(folder, good_set(True))
    # Root writes anywhere; a folder in the output's place stops it all the same.
    os.mkdir(os.path.join(folder, OUTPUT))
    result = run(folder)
    want = (r'Brenlow: Cannot rename "%s/\.tavik_data_3d\.snirf\.tmp-\d+" to "%s/tavik_data_3d\.snirf": '
            r'Is a directory\n' % (re.escape(folder), re.escape(folder)))
    check(result.returncode == 1 and re.fullmatch(want, result.stderr),
          "output taken by a folder: %d %r" % (result.returncode, result.stderr))
    check(leftovers(folder) == [] and os.listdir(os.path.join(folder, OUTPUT)) == [],
          "output taken by a folder: left %s" % leftovers(folder))
    if os.geteuid() != 0:
        folder = tempfile.mkdtemp(dir=tmp)
        write_set(folder, good_set())
        os.chmod(folder, 0o555)
        try:
            result = run(folder)
        finally:
            os.chmod(folder, 0o755)
        want = (r'Brenlow: Cannot create file "%s/\.tavik_data_3d\.snirf\.tmp-\d+": Permission denied\n'
                % re.escape(folder))
        check(result.returncode == 1 and re.fullmatch(want, result.stderr), "read-only folder: %r" % result.stderr)
        check(leftovers(folder) == [], "read-only folder: left %s" % leftovers(folder))


def main():
    with tempfile.TemporaryDirectory() as tmp:
        check_good_sets(tmp)
        check_how_it_is_started(tmp)
        check_abandoned_partials(tmp)
        check_broken_sets(tmp)
        check_unwritable_output(tmp)
    print("%d failure(s)" % len(FAILURES))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
