#!/usr/bin/python3
"""Writes the synthetic seed inputs of the fuzz targets into corpus/<target>/.

The committed corpora are these seeds merged with what the fuzzer found (see
scripts/fuzz.sh); run this only to start a corpus afresh.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SEP = b"\x1e"  # separates the files of one input


def crlf(lines, end="\r\n"):
    return "".join(line + end for line in lines)


def recording(dat=False, sensor="3x4", mode="AUTO", sampling=None, channels="1,2,3,0",
              rows=("0,10,11,12,13,14,15", "1,20,21,22,23,24,25", "2,30,31,32,33,34,35")):
    header = [""] * (25 if dat else 41)
    if dat:
        header[1] = "Date= 2023/05/12 08:09:10"
        header[6] = "Mode=" + mode
        header[8] = "Start=1,EVT1"
        header[9] = "End=1,EVT2"
        header[21] = channels
        header[24] = "Speed;" + (sampling or "FAST")
    else:
        header[4] = "Date= 2023/05/12 08:09:10"
        header[9] = "Sampling=" + (sampling or "Fast")
        header[10] = "Type=" + sensor
        header[13] = "Mode=" + mode
        header[14] = "Start=1,EVT1"
        header[15] = "End=1,EVT2"
        header[37] = channels
    return header + list(rows)


def data_file_seeds():
    # First byte: bit 0 the kind (1: .dat), bits 1..3 the ANSI set (0: UTF-8, 1: ASCII),
    # bit 6 a standard library, bit 7 the user's 3x4 position files.
    datx = crlf(recording()).encode()
    yield "datx-3x4", b"\x00" + datx
    yield "datx-3x4-library", b"\x40" + datx
    yield "datx-3x4-user", b"\x80" + datx
    yield "dat", b"\x01" + crlf(recording(dat=True, channels="3,1,-2")).encode()
    yield "datx-udp-lf", b"\x02" + crlf(recording(mode="UDP", rows=("100,1,2", "0,3,4", "3200,5,6")), "\n").encode()
    yield "datx-lone-cr", b"\x00" + crlf(recording(), "\r").encode()
    yield "datx-utf16le", b"\x00" + b"\xff\xfe" + crlf(recording()).encode("utf-16-le")
    yield "datx-utf16be", b"\x00" + b"\xfe\xff" + crlf(recording()).encode("utf-16-be")
    yield "datx-bad-mark", b"\x00" + crlf(recording(rows=("0,1,2", "1G,3,4"))).encode()
    three_blocks = ",".join(str(v) for v in [1, 25, 49, 72, 0] + [2] * 52)
    yield "datx-3x12", b"\x00" + crlf(recording(sensor="3x12", channels=three_blocks,
                                                rows=("0," + ",".join(str(i) for i in range(2, 182)),))).encode()
    yield "two-recordings", b"\x00" + datx + SEP + crlf(recording(sensor="2x6", channels="1,0,2")).encode()
    yield "datx-latin1", b"\x04" + crlf(recording(sensor="3x4", mode="MANU\xe9")).encode("latin-1")


ORIGIN = ["Label,X,Y,Z", "Nz,0.0,86.0,-42.0", "Iz,0.0,-115.0,-20.0", "AR,-75.0,-19.0,-48.0",
          "AL,75.0,-19.5,-47.0"] + ["Fp%d,1,2,3" % i for i in range(7)] + ["Cz,0.5,-17.0,99.0"]


def others(n=6, comma=False):
    num = (lambda v: v.replace(".", ",")) if comma else (lambda v: v)
    lines = ["Probe positions"]
    lines += ["Source LD%d,%s,%s,%s" % (k, num("%d.5" % k), num("-1.25"), num("60.0")) for k in range(n, 0, -1)]
    lines += ["Detector PD%d,%s,%s,%s" % (k, num("-%d.5" % k), num("2.75"), num("55.0")) for k in range(1, n + 1)]
    return lines


def position_seeds():
    # First byte: type - 1 in bits 0..3 (1: 3x4), bit 4 the separator ",", bits 5.. the ANSI set.
    yield "std-and-user", b"\x01" + crlf(ORIGIN).encode() + SEP + crlf(others()).encode() + SEP + b"150.0\r\n"
    yield "comma-separator", (b"\x11" + crlf(ORIGIN).encode() + SEP + crlf(others()).encode() + SEP + b" 150,0 \r\n")
    yield "short-origin", b"\x01" + crlf(ORIGIN[:5]).encode() + SEP + crlf(others()).encode() + SEP + b"150\n"
    labels = ["Source LD10,1,2,3", "Source 2LD3,4,5,6", "Source LD1,7,8,9", "Source ld2,1,1,1", "x LD PD",
              "Detector PD1,1,2,3", "Detector 1PD-2,3,4,5", "Detector LD PD3,1,1,1"]
    yield "labels", b"\x01" + crlf(ORIGIN).encode() + SEP + crlf(labels).encode() + SEP + b"300.0"
    yield "utf16-origin", b"\x01" + b"\xff\xfe" + crlf(ORIGIN).encode("utf-16-le") + SEP + crlf(others()).encode()
    yield "zero-span", b"\x01" + crlf([l.replace("-75.0", "0").replace("75.0", "-0") for l in ORIGIN]).encode() + SEP + \
        crlf(others()).encode() + SEP + b"150"
    yield "3x12", b"\x04" + crlf(ORIGIN).encode() + SEP + crlf(others(18)).encode() + SEP + b"1e2"


def intermediate_set(entries=((1, 1), (1, 2)), rows=3, with_3d=True, bom=b"", trailing=False):
    meta = ["subject01", "2023-05-12", "08:09:10", "mm", "s", "Hz"]
    times = ["%.5f" % (0.08192 * i) for i in range(rows)]
    src = ["0.0,0.0", "30.0,0.0"]
    det = ["15.0,0.0", "45.0,0.0"]
    mes = []
    for s, d in entries:
        for w in (1, 2):
            mes += [str(s), str(d), str(w), "0", "0", "-1", "none", "none", "-1", "0", "0", "-1", "-1", "-1"]
    stim = ["5.0,-2.0,1.0", "2.50000,30.00000,1.0"]
    values = 2 * len(entries)
    data = [",".join(str(100 * r + c) for c in range(values)) + ("," if trailing else "") for r in range(rows)]
    members = [meta, times, src, det, mes, stim, data]
    if with_3d:
        members += [["%d.0000,1.0000,2.0000" % i for i in range(5)], ["1.0000,2.0000,3.0000", "4.0000,5.0000,6.0000"],
                    ["-1.0000,2.0000,3.0000", "-4.0000,5.0000,6.0000"]]
    return SEP.join(bom + crlf(m).encode() for m in members)


def brenlow_seeds():
    yield "set-3d", intermediate_set()
    yield "set-2d", intermediate_set(with_3d=False)
    yield "set-bom-trailing-comma", intermediate_set(bom=b"\xef\xbb\xbf", trailing=True)
    yield "set-one-row", intermediate_set(entries=((2, 2),), rows=1, with_3d=False)
    yield "set-no-channel", intermediate_set(entries=(), with_3d=False)


def text_seeds():
    yield "crlf", b"a,b\r\nc\r\n"
    yield "lone-cr", b"one\rtwo\r\rthree"
    yield "lf", b"x\n\ny\n"
    yield "utf8-bom", b"\xef\xbb\xbf\xc3\xa9t\xc3\xa9\r\n"
    yield "utf16le", b"\xff\xfe" + "\u00e9\U0001F600\r\nz".encode("utf-16-le")
    yield "utf16be-odd", b"\xfe\xff" + "ab\r\n".encode("utf-16-be") + b"\xd8"
    yield "latin1", "caf\xe9 na\xefve\r\n".encode("latin-1")
    yield "nul", b"before\x00after\r\n"
    yield "euc-jp", "\u65e5\u672c\r\n".encode("euc-jp")
    yield "bad-utf8", b"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82"


def main():
    for target, seeds in (("data_file", data_file_seeds), ("position_files", position_seeds),
                          ("text_decoding", text_seeds), ("brenlow_set", brenlow_seeds)):
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds():
            with open(os.path.join(folder, "seed-" + name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
