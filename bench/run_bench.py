"""Speed and memory of the conversion at study size, beside two references.

Run through scripts/bench.sh, which builds the programs first. For every recording it
measures, best of --repeat runs, interleaved so that noise from other work on the
machine hits all of them alike:

  cat      reading the file (cat FILE > /dev/null, after a warm-up read)
  floor    parse_floor: the file read into memory, then one pass with std::from_chars
           over every integer field
  map      the same pass over the file mapped instead of read, as ordwell reads it:
           the parse alone (shown for comparison; ratios are to the floor)
  set      ordwell_set_bench: `ordwell convert` up to the intermediate set
  Brenlow  the converter alone, on the set left by the convert run
  convert  the whole `ordwell convert`, SNIRF included

Every run of set, convert and Brenlow writes into a fresh base folder (with the
bundled STD_POS3D), removed once done. "wall ms" is wall-clock time and "x floor" its
ratio to the floor of the same run; "cpu ms" is user + system time, which other work
on the machine disturbs less. "peak MiB" is the largest resident set of the process
and of the children it waited for; for convert, "both" is the peak of ordwell and
Brenlow together (proportional set sizes, sampled every 10 ms in one extra run).
The targets at the end are checked on the wall times.
"""
import argparse
import os

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
import shutil
import subprocess
import sys
import threading

STEPS = ("cat", "floor", "map", "set", "Brenlow", "convert")

# (sensor type, rows); the 1M 3x4 recording only with --all-big.
SIZES = [("3x12", 10_000), ("3x12", 100_000), ("3x4", 10_000), ("3x4", 100_000), ("3x12", 1_000_000)]
BIG_EXTRA = [("3x4", 1_000_000)]

# Targets for the 100,000-row 3x12 recording.
TARGET_CASE = ("3x12", 100_000)
BIG_CASE = ("3x12", 1_000_000)


def rows_text(rows):
    return "%dk" % (rows // 1000) if rows < 1_000_000 else "%dM" % (rows // 1_000_000)


class Measured:
    def __init__(self, wall, cpu, peak_kib, both_kib=None):
        self.wall = wall
        self.cpu = cpu
        self.peak_kib = peak_kib
        self.both_kib = both_kib


class TreeSampler(threading.Thread):
    """Samples the summed memory of the descendants of a process: their proportional
    set sizes, so pages shared by a parent and a child just spawned count once."""

    def __init__(self, pid, interval=0.01):
        super().__init__(daemon=True)
        self.pid = pid
        self.interval = interval
        self.peak_kib = 0
        self.stop = threading.Event()

    @staticmethod
    def pss_kib(pid):
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        return int(line.split()[1])
        except OSError:
            pass
        return 0

    @staticmethod
    def children(pid):
        try:
            with open("/proc/%d/task/%d/children" % (pid, pid)) as f:
                return [int(p) for p in f.read().split()]
        except OSError:
            return []

    def run(self):
        while not self.stop.is_set():
            total, todo = 0, self.children(self.pid)
            while todo:
                p = todo.pop()
                total += self.pss_kib(p)
                todo += self.children(p)
            self.peak_kib = max(self.peak_kib, total)
            self.stop.wait(self.interval)


def run(args, cmd, cwd, sample_tree=False):
    """Runs cmd in cwd through the measure launcher."""
    proc = subprocess.Popen([os.path.join(args.bin, "measure")] + cmd, cwd=cwd, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)
    sampler = None
    if sample_tree:
        sampler = TreeSampler(proc.pid)
        sampler.start()
    out, err = proc.communicate()
    if sampler:
        sampler.stop.set()
        sampler.join()
    fields = out.split()
    if proc.returncode != 0 or len(fields) != 4 or fields[3] != b"0":
        sys.exit("bench: %s failed in %s:\n%s" % (" ".join(cmd), cwd, err.decode(errors="replace")))
    wall, cpu, peak = float(fields[0]), float(fields[1]), int(fields[2])
    return Measured(wall, cpu, peak, sampler.peak_kib if sampler else None)


def best(samples):
    return Measured(min(s.wall for s in samples), min(s.cpu for s in samples), max(s.peak_kib for s in samples))


def recording(args, sensor, rows):
    """The recording's path, generated when missing or made by another generator version."""
    path = os.path.join(args.data, "%s_%d.datx" % (sensor, rows))
    generator = os.path.join(args.bin, "generate_recording")
    version = subprocess.run([generator, "--version"], check=True, capture_output=True).stdout
    stamp = path + ".version"
    if not os.path.exists(path) or not os.path.exists(stamp) or open(stamp, "rb").read() != version:
        print("generating %s (%s rows) ..." % (os.path.basename(path), format(rows, ",")), flush=True)
        subprocess.run([generator, sensor, str(rows), path + ".part"], check=True)
        os.replace(path + ".part", path)
        with open(stamp, "wb") as f:
            f.write(version)
    return path


class BaseFolder:
    """A fresh base folder with the standard position library, removed afterwards.

    Every timed run writes into a folder of its own, and the folder goes as soon as
    its last run is done: the files it wrote are then dropped from the page cache
    before the disk had to take them, so no run waits for the writes of an earlier
    one (a 1,000,000-row convert writes about 2.5 GB).
    """

    def __init__(self, args, name):
        self.keep = args.keep
        self.path = os.path.join(args.data, "work", name)
        shutil.rmtree(self.path, ignore_errors=True)
        os.makedirs(self.path)
        shutil.copytree(os.path.join(args.source, "examples", "STD_POS3D"), os.path.join(self.path, "STD_POS3D"))

    def __enter__(self):
        return self.path

    def __exit__(self, *exc):
        if not self.keep:
            shutil.rmtree(self.path, ignore_errors=True)


def check_set(base, rows, label):
    with open(os.path.join(base, "tmlst.csv"), "rb") as f:
        lines = f.read().count(b"\r\n")
    if lines != rows:
        sys.exit("bench: %s wrote %d time rows for a recording of %d" % (label, lines, rows))


def check_snirf(path, base):
    snirf = os.path.join(base, "temp", os.path.splitext(os.path.basename(path))[0] + ".snirf")
    if not os.path.getsize(snirf):
        sys.exit("bench: %s is empty" % snirf)


def measure_case(args, sensor, rows):
    path = recording(args, sensor, rows)
    name = "%s_%s" % (sensor, rows_text(rows))
    os.sync()  # start without the writes of earlier cases pending
    subprocess.run(["cat", path], stdout=subprocess.DEVNULL, check=True)  # warm-up read

    ordwell = os.path.join(args.bin, "ordwell")
    brenlow = os.path.join(args.bin, "Brenlow")
    results = {k: [] for k in STEPS}
    repeat = args.repeat if rows < 1_000_000 else max(1, min(args.repeat, args.big_repeat))
    for _ in range(repeat):
        results["cat"].append(run(args, ["cat", path], args.data))
        results["floor"].append(run(args, [os.path.join(args.bin, "parse_floor"), path], args.data))
        results["map"].append(run(args, [os.path.join(args.bin, "parse_floor"), "--map", path], args.data))
        with BaseFolder(args, name + "-set") as base:
            results["set"].append(run(args, [os.path.join(args.bin, "ordwell_set_bench"), path], base))
            check_set(base, rows, "ordwell_set_bench")
        with BaseFolder(args, name + "-convert") as base:
            results["convert"].append(run(args, [ordwell, "convert", path], base))
            check_set(base, rows, "ordwell convert")
            check_snirf(path, base)
            # Brenlow alone on the set just written, as the convert run found it.
            shutil.rmtree(os.path.join(base, "temp"))
            os.remove(os.path.join(base, "tavik_data_3d.snirf"))
            results["Brenlow"].append(run(args, [brenlow], base))
    best_runs = {k: best(v) for k, v in results.items()}
    # Sampling the memory of both processes reads their page tables, which would slow
    # them: it has a run of its own, outside the timings.
    with BaseFolder(args, name + "-both") as base:
        best_runs["convert"].both_kib = run(args, [ordwell, "convert", path], base, sample_tree=True).both_kib
    return best_runs, os.path.getsize(path), repeat


def print_case(sensor, rows, size, m, repeat):
    mb = size / 1e6
    floor = m["floor"].wall
    label = "%s %s" % (sensor, rows_text(rows))
    for i, step in enumerate(STEPS):
        r = m[step]
        rate = "%8.0f" % (mb / r.wall) if step != "Brenlow" else "%8s" % "-"
        both = "   both %6.1f" % (r.both_kib / 1024) if r.both_kib else ""
        lead = "%-10s %8.1f %3d" % (label, mb, repeat) if i == 0 else " " * 23
        print("%s  %-8s %9.1f %8.2f %s %9.1f %9.1f%s" % (lead, step, r.wall * 1000, r.wall / floor, rate,
                                                        r.cpu * 1000, r.peak_kib / 1024, both))
    print()


def print_targets(all_results):
    if TARGET_CASE not in all_results:
        return True
    m = all_results[TARGET_CASE][0]
    floor = m["floor"].wall
    checks = [
        ("convert of 3x12 100k <= 4 x floor", m["convert"].wall / floor, 4.0, "%.2f x"),
        ("set of 3x12 100k <= 2.5 x floor", m["set"].wall / floor, 2.5, "%.2f x"),
        ("convert peak of 3x12 100k <= 250 MiB", m["convert"].peak_kib / 1024, 250.0, "%.1f MiB"),
        ("Brenlow peak of 3x12 100k <= 150 MiB", m["Brenlow"].peak_kib / 1024, 150.0, "%.1f MiB"),
    ]
    if BIG_CASE in all_results:
        big = all_results[BIG_CASE][0]
        checks.append(("convert of 3x12 1M <= 11 x 100k", big["convert"].wall / m["convert"].wall, 11.0, "%.2f x"))
    print("targets")
    met_all = True
    for text, value, limit, form in checks:
        met = value <= limit
        met_all &= met
        print("  %-40s %12s   %s" % (text, form % value, "met" if met else "MISSED"))
    return met_all


def main():
    p = argparse.ArgumentParser(prog="scripts/bench.sh", description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    # Given by scripts/bench.sh: the built programs and the repository.
    p.add_argument("--bin", required=True, help=argparse.SUPPRESS)
    p.add_argument("--source", required=True, help=argparse.SUPPRESS)
    p.add_argument("--data", default=os.environ.get("BENCH_DATA", os.path.join(REPO_ROOT, "out", "bench-data")),
                   help="recordings and base folders (default $BENCH_DATA or out/bench-data)")
    p.add_argument("--repeat", type=int, default=3, help="runs per measurement, best kept (default 3)")
    p.add_argument("--big-repeat", type=int, default=3, help="runs of the 1,000,000-row cases (default 3)")
    p.add_argument("--no-big", action="store_true", help="leave out the 1,000,000-row recording")
    p.add_argument("--all-big", action="store_true", help="also the 1,000,000-row 3x4 recording")
    p.add_argument("--only", help="only these cases, e.g. 3x12:100000,3x4:10000")
    p.add_argument("--keep", action="store_true", help="keep the base folders with the set and SNIRF")
    args = p.parse_args()

    sizes = list(SIZES) + (BIG_EXTRA if args.all_big else [])
    if args.no_big:
        sizes = [s for s in sizes if s[1] < 1_000_000]
    if args.only:
        try:
            sizes = [(c.split(":")[0], int(c.split(":")[1])) for c in args.only.split(",")]
        except (IndexError, ValueError):
            p.error("--only takes TYPE:ROWS[,TYPE:ROWS...], e.g. 3x12:100000")
    os.makedirs(args.data, exist_ok=True)

    print("%-10s %8s %3s  %-8s %9s %8s %8s %9s %9s" % ("recording", "MB", "n", "step", "wall ms", "x floor",
                                                     "MB/s", "cpu ms", "peak MiB"))
    all_results = {}
    for sensor, rows in sizes:
        m, size, repeat = measure_case(args, sensor, rows)
        all_results[(sensor, rows)] = (m, size)
        print_case(sensor, rows, size, m, repeat)
        sys.stdout.flush()
    met = print_targets(all_results)
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
