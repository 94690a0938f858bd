"""What the benchmarks share: a release build of the programs, best-of-N timing, and, when a
target is missed, where the time goes (system calls, bytes read, time outside the kernel)."""
import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(TOP, "build", "bench")
# The generated trees; LINKLOOM_BENCH_DATA puts them elsewhere.
DATA = os.environ.get("LINKLOOM_BENCH_DATA", os.path.join(TOP, "bench", "data"))
# What is downloaded or slow to make, kept outside the repository; LINKLOOM_BENCH_CACHE puts it elsewhere.
CACHE = os.environ.get("LINKLOOM_BENCH_CACHE", os.path.join(os.path.expanduser("~"), ".cache", "linkloom-bench"))
CLI = os.path.join(BUILD, "src", "cli", "linkloom-cli")
REFERENCE = os.path.join(BUILD, "bench", "reference-walk")


def build():
    subprocess.run(["cmake", "--preset", "native", "-B", BUILD, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, "--target", "linkloom-cli", "reference-walk"], check=True,
                   stdout=subprocess.DEVNULL)


def make_tree(name, fill):
    """Creates bench/data/NAME once with fill(root); later runs reuse it."""
    return make_tree_in(DATA, name, fill)


def make_tree_in(folder, name, fill):
    """Creates FOLDER/NAME once with fill(root); later runs reuse it."""
    root = os.path.join(folder, name)
    done = os.path.join(root, ".complete")
    if not os.path.exists(done):
        print("creating", root, file=sys.stderr)
        fill(root)
        open(done, "wb").close()
    return root


class Timing:
    def __init__(self, wall, user, system, peak_kb):
        self.wall, self.user, self.system, self.peak_kb = wall, user, system, peak_kb


def timed(command, rounds=5, prepare=None):
    """The median wall time of `rounds` runs with its user and system times, and the largest peak
    resident size (KB). `prepare`, when given, is called before each run, outside its time."""
    runs = []
    peak = 0
    for _ in range(rounds):
        if prepare:
            prepare()
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit("failed: %s" % " ".join(command))
        runs.append(Timing(elapsed, usage.ru_utime, usage.ru_stime, usage.ru_maxrss))
        peak = max(peak, usage.ru_maxrss)
    runs.sort(key=lambda run: run.wall)
    middle = runs[len(runs) // 2]
    return Timing(middle.wall, middle.user, middle.system, peak)


def system_calls(command):
    """The system calls of one run by name, and the bytes its reads returned; None without strace."""
    strace = shutil.which("strace")
    if not strace:
        return None
    with tempfile.TemporaryDirectory(prefix="linkloom-bench-") as folder:
        summary, reads = os.path.join(folder, "summary"), os.path.join(folder, "reads")
        quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, "check": True}
        subprocess.run([strace, "-c", "-f", "-o", summary] + command, **quiet)
        subprocess.run([strace, "-f", "-qq", "-e", "trace=read,pread64", "-o", reads] + command, **quiet)
        calls = collections.Counter()
        with open(summary) as table:
            for line in table:
                fields = line.split()
                # "% time  seconds  usecs/call  calls  [errors]  syscall"
                if len(fields) >= 5 and fields[3].isdigit() and fields[-1] != "total":
                    calls[fields[-1]] = int(fields[3])
        read = 0
        with open(reads, errors="replace") as lines:
            for line in lines:
                match = re.search(r"= (\d+)$", line.rstrip())
                if match and ("read(" in line or "read resumed>" in line):
                    read += int(match.group(1))
    return calls, read


def where_time_goes(name, command, timing, files):
    """Per file: the system calls, the bytes read, and the time spent outside the kernel."""
    print("  where the time of %s goes, per file of %d:" % (name, files))
    traced = system_calls(command)
    if traced:
        calls, read = traced
        total = sum(calls.values())
        busiest = ", ".join("%s %.2f" % (call, count / files) for call, count in calls.most_common(6))
        print("    system calls %.2f (%s)" % (total / files, busiest))
        print("    bytes read   %.0f" % (read / files))
    else:
        print("    (install strace to count system calls and bytes read)")
    print("    user time    %.2f us, system time %.2f us" % (timing.user / files * 1e6, timing.system / files * 1e6))


def compare(reference, cli, target, memory_target_mb=None, files=None, name="linkloom-cli",
            reference_name="reference loop", prepare=None):
    """Prints the median times, their ratio against the target and, past it, where the time goes.
    `prepare` is called before each run of `cli`."""
    timed(reference, 2)  # warm the caches
    base = timed(reference)
    run = timed(cli, prepare=prepare)
    ratio = run.wall / base.wall
    print("%-16s %.3f s (user %.3f s, system %.3f s)" % (reference_name, base.wall, base.user, base.system))
    print("%-16s %.3f s (user %.3f s, system %.3f s), peak memory %.1f MB" %
          (name, run.wall, run.user, run.system, run.peak_kb / 1024))
    print("ratio            %.2f (target at most %s)" % (ratio, target))
    # On a loaded machine the wall times wait for the processor; the processor time does not.
    print("processor ratio  %.2f (user and system time)" % ((run.user + run.system) / (base.user + base.system)))
    if memory_target_mb:
        print("memory ratio     %.2f (peak over the %d MB target, at most 1)" % (run.peak_kb / 1024 / memory_target_mb,
                                                                              memory_target_mb))
    if ratio > target and files:
        where_time_goes("the " + reference_name, reference, base, files)
        where_time_goes(name, cli, run, files)
    return ratio
