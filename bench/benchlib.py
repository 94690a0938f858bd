"""What the benchmarks share: a release build of the programs and best-of-N timing."""
import os
import subprocess
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(TOP, "build", "bench")
DATA = os.path.join(TOP, "bench", "data")
CLI = os.path.join(BUILD, "src", "cli", "linkloom-cli")
REFERENCE = os.path.join(BUILD, "bench", "reference-walk")


def build():
    subprocess.run(["cmake", "--preset", "native", "-B", BUILD, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, "--target", "linkloom-cli", "reference-walk"], check=True,
                   stdout=subprocess.DEVNULL)


def make_tree(name, fill):
    """Creates bench/data/NAME once with fill(root); later runs reuse it."""
    root = os.path.join(DATA, name)
    done = os.path.join(root, ".complete")
    if not os.path.exists(done):
        print("creating", root, file=sys.stderr)
        fill(root)
        open(done, "wb").close()
    return root


def timed(command, rounds=3):
    """The best wall time of `rounds` runs and the largest peak resident size (KB)."""
    best, peak = None, 0
    for _ in range(rounds):
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit("failed: %s" % " ".join(command))
        best = elapsed if best is None else min(best, elapsed)
        peak = max(peak, usage.ru_maxrss)
    return best, peak


def compare(reference, cli, target, memory_target_mb=None):
    timed(reference)  # warm the caches
    base, _ = timed(reference)
    run, peak = timed(cli)
    print("reference loop   %.3f s" % base)
    print("linkloom-cli     %.3f s, peak memory %.1f MB" % (run, peak / 1024))
    print("ratio            %.2f (target at most %s)" % (run / base, target))
    if memory_target_mb:
        print("memory ratio     %.2f (peak over the %d MB target, at most 1)" % (peak / 1024 / memory_target_mb,
                                                                              memory_target_mb))
