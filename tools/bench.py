#!/usr/bin/env python3
"""Times whole runs of quelt on the sample set and on a 64-disk image.

Prints, for each image, the median wall time of several runs, the peak resident
memory of a run (GNU time's %M, package `time`), and beside them two floors:
`cat IMAGE > /dev/null`, just reading it, and the I/O floor, one `cp` reading
the image and writing quelt's files (kept from a first run) into a folder of
their own, with quelt's time as a ratio of it. A benchmark, not a test: it
asserts nothing. quelt is meant to stay within 1.2 times the I/O floor.
Given a second build (an older one), its quelt runs side by side with the
first, one run of each in turn, and its median and ratio follow.

    python3 tools/bench.py [BUILD_DIR] [RUNS] [OLD_BUILD_DIR]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command, cwd):
    start = time.perf_counter()
    subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=False)
    return time.perf_counter() - start


def median_time(command, cwd, runs):
    return statistics.median(timed(command, cwd) for _ in range(runs))


def side_by_side(commands, cwd, runs):
    # One run of each command in turn, so that both see the machine alike.
    times = [[] for _ in commands]
    for _ in range(runs):
        for command, taken in zip(commands, times):
            taken.append(timed(command, cwd))
    return [statistics.median(taken) for taken in times]


def sample_maker(build):
    # quelt-sample-set's folder in the build: samples/, tests/ in older builds.
    for folder in ("samples", "tests"):
        maker = os.path.abspath(os.path.join(build, folder, "quelt-sample-set"))
        if os.path.exists(maker):
            return maker
    sys.exit(f"no quelt-sample-set in {build}")


def peak_memory_kib(command, cwd):
    # GNU time reports the child's own peak; a child forked from this Python
    # process would count Python's pages too.
    if not shutil.which("/usr/bin/time"):
        return "n/a"
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, cwd=cwd,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return out.stderr.strip().splitlines()[-1]


def sixty_four_disks(sample, path):
    # The sample's three disks, then its scenario disk again until there are 64.
    data = open(sample, "rb").read()
    disk = len(data) // 3
    with open(path, "wb") as out:
        out.write(data)
        for _ in range(61):
            out.write(data[2 * disk:])


def io_floor(quelt, image, work):
    # quelt's files from one run of its own, then the command that reads the
    # image and writes as many files of the same sizes in one process.
    made = os.path.join(work, "made")
    shutil.rmtree(made, ignore_errors=True)
    os.mkdir(made)
    subprocess.run([quelt, image], cwd=made, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)
    files = sorted(os.path.join(made, name) for name in os.listdir(made))
    out = os.path.join(work, "floor-out")
    os.makedirs(out, exist_ok=True)
    return ["cp", "-f", image] + files + [out]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    quelts = [os.path.abspath(os.path.join(build, "quelt"))]
    if len(sys.argv) > 3:
        quelts.append(os.path.abspath(os.path.join(sys.argv[3], "quelt")))
    work = tempfile.mkdtemp(prefix="quelt-bench-")
    try:
        sample = os.path.join(work, "sample.d88")
        subprocess.run([sample_maker(build), sample], check=True)
        many = os.path.join(work, "64disks.d88")
        sixty_four_disks(sample, many)
        print(f"{'image':<12} {'build':<6} {'size':>10} {'quelt median':>13} {'peak RSS':>10}"
              f" {'cat median':>11} {'I/O floor':>11} {'ratio':>6}")
        for name, image in (("sample", sample), ("64 disks", many)):
            medians = side_by_side([[quelt, image] for quelt in quelts], work, runs)
            cat = median_time(["sh", "-c", f"cat '{image}' > /dev/null"], work, runs)
            floor = median_time(io_floor(quelts[0], image, work), work, runs)
            size = os.path.getsize(image)
            for quelt, label, run in zip(quelts, ("new", "old"), medians):
                memory = peak_memory_kib([quelt, image], work)
                print(f"{name:<12} {label:<6} {size:>10} {run * 1000:>10.2f} ms {memory:>7} KiB"
                      f" {cat * 1000:>8.2f} ms {floor * 1000:>8.2f} ms {run / floor:>6.2f}")
        print(f"({runs} runs each; whole processes, outputs written to a temporary folder)")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
