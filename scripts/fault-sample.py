#!/usr/bin/env python3
"""Plants the faults of a list one at a time and records which the test suite catches.

Works on a scratch copy of the work tree (build/fault-sample/tree) with one Release build
folder, so each fault costs one incremental rebuild and one run of the suite; the work tree
itself is never changed. The list (tests/faults/faults.txt) holds blocks:

    == name  path/to/file.cpp
    -original line(s), exactly as in the file
    +replacement line(s); no "+" line deletes the original

Usage: scripts/fault-sample.py [--rev REV] [--only NAME...] [--out FILE] [--first]
(--rev measures the suite of a commit instead of the work tree's files.)
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCRATCH = os.path.join(ROOT, "build", "fault-sample")
TREE = os.path.join(SCRATCH, "tree")
BUILD = os.path.join(SCRATCH, "build")
TARGETS = ["kelvort_unit_tests", "kelvort_integration_tests", "kelvort", "cnext", "copy_Config",
           "copy_Help"]
LOCK = "/tmp/kelvort-session.lock"


def read_faults(path):
    faults = []
    for number, line in enumerate(open(path, encoding="utf-8").read().split("\n"), 1):
        if line.startswith("== "):
            name, file = line[3:].split()
            faults.append({"name": name, "file": file, "old": [], "new": []})
        elif line.startswith("-") and faults:
            faults[-1]["old"].append(line[1:])
        elif line.startswith("+") and faults:
            faults[-1]["new"].append(line[1:])
        elif line.strip() and not line.startswith("#"):
            sys.exit(f"{path}:{number}: not part of a fault block")
    for fault in faults:
        fault["old"] = "\n".join(fault["old"])
        fault["new"] = "\n".join(fault["new"])
    return faults


def mirror_work_tree(rev):
    """Copies the work tree's files (or those of the commit rev) into the scratch tree;
    unchanged files keep their times, so the build stays incremental."""
    source_root = ROOT
    if rev:
        source_root = os.path.join(SCRATCH, "rev")
        shutil.rmtree(source_root, ignore_errors=True)
        os.makedirs(source_root)
        archive = subprocess.run(["git", "archive", rev], cwd=ROOT, check=True,
                                 capture_output=True).stdout
        subprocess.run(["tar", "-x", "-C", source_root], input=archive, check=True)
        listed = [os.path.relpath(os.path.join(folder, name), source_root)
                  for folder, _, names in os.walk(source_root) for name in names]
    else:
        listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT,
                                check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {f for f in listed if f and os.path.isfile(os.path.join(source_root, f))}
    for f in wanted:
        source, target = os.path.join(source_root, f), os.path.join(TREE, f)
        if os.path.exists(target) and open(source, "rb").read() == open(target, "rb").read():
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        # A fresh time (not the source's), so that the build never keeps an object made
        # from the content this replaces.
        shutil.copy(source, target)
    for folder, _, files in os.walk(TREE):
        for name in files:
            relative = os.path.relpath(os.path.join(folder, name), TREE)
            if relative not in wanted:
                os.remove(os.path.join(TREE, relative))


def build(limit):
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        subprocess.run(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Release"], check=True, stdout=subprocess.DEVNULL)
    try:
        done = subprocess.run(["ninja", "-C", BUILD, "-j2"] + TARGETS, capture_output=True,
                              timeout=limit)
        return done.returncode == 0
    except subprocess.TimeoutExpired:
        return False


def build_entries():
    """What lies in the folders the tests run in."""
    return {os.path.join(folder, name) for folder in (BUILD, os.path.join(BUILD, "tests"))
            for name in os.listdir(folder)}


def remove_strays(known):
    """Removes what a faulty program left in the tests' working folders, so that it cannot
    fail the runs of later faults."""
    for path in build_entries() - known:
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        else:
            os.remove(path)


def failing_tests(limit, first_only=False):
    """Runs the suite; answers the names of the tests that failed (None: the run timed out).
    With first_only the run ends at the first failure."""
    failed_log = os.path.join(BUILD, "Testing", "Temporary", "LastTestsFailed.log")
    if os.path.exists(failed_log):
        os.remove(failed_log)
    try:
        subprocess.run(["flock", LOCK, "ctest", "--test-dir", BUILD, "-j2", "--timeout", "60"] +
                       (["--stop-on-failure"] if first_only else []),
                       capture_output=True, timeout=limit)
    except subprocess.TimeoutExpired:
        return None
    if not os.path.exists(failed_log):
        return []
    return [line.split(":", 1)[1] for line in open(failed_log).read().split("\n") if ":" in line]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", default=os.path.join(ROOT, "tests", "faults", "faults.txt"))
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--rev", help="the commit whose suite is measured")
    parser.add_argument("--out", default=os.path.join(SCRATCH, "results.txt"))
    parser.add_argument("--limit", type=int, default=900, help="seconds per fault")
    parser.add_argument("--first", action="store_true",
                        help="end each run of the suite at its first failure (faster; names one "
                             "catching test)")
    args = parser.parse_args()

    faults = read_faults(args.list)
    if args.only:
        faults = [f for f in faults if f["name"] in args.only]
    # An interruption ends the run through the restoring path below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("interrupted"))

    os.makedirs(TREE, exist_ok=True)
    mirror_work_tree(args.rev)
    if not build(3600) or failing_tests(args.limit) != []:
        sys.exit("the suite must build and pass without a fault first")
    known = build_entries()

    results = []
    out = open(args.out, "w")
    for fault in faults:
        path = os.path.join(TREE, fault["file"])
        original = open(path, encoding="utf-8").read()
        if original.count(fault["old"]) != 1:
            verdict, detail = "stale", "original text not found exactly once"
        else:
            started = time.time()
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original.replace(fault["old"], fault["new"]))
                if not build(args.limit):
                    verdict, detail = "compiler", ""
                else:
                    failed = failing_tests(args.limit, args.first)
                    remove_strays(known)
                    if failed is None:
                        verdict, detail = "caught", "suite timed out"
                    elif failed:
                        verdict, detail = "caught", " ".join(failed)
                    else:
                        verdict, detail = "survived", ""
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
            detail = f"{time.time() - started:.0f}s {detail}"
        results.append((fault["name"], verdict))
        line = f"{fault['name']}\t{verdict}\t{detail}"
        print(line, flush=True)
        out.write(line + "\n")
        out.flush()

    counted = [v for _, v in results if v in ("caught", "survived")]
    caught = counted.count("caught")
    summary = (f"faults {len(results)}: caught by the tests {caught} of {len(counted)} that "
               f"compile ({100 * caught / max(len(counted), 1):.0f}%), "
               f"by the compiler {sum(v == 'compiler' for _, v in results)}, "
               f"stale {sum(v == 'stale' for _, v in results)}\n"
               f"survived: {' '.join(n for n, v in results if v == 'survived')}")
    print(summary)
    out.write(summary + "\n")
    # Leave the scratch build without a fault in it.
    build(3600)


if __name__ == "__main__":
    main()
