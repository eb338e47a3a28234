#!/usr/bin/env python3
"""Processor time (user + system, not wall time: the machine may be shared) of compiling a
sample of the library sources with each set of code-generation flags, without the compiler
cache, and of linking the plug-in with each linker.

    bench/buildcost.py [--every K] [--variants NAME,...]
    bench/buildcost.py --link BUILD_DIR [--targets NAME,...]

The sample is every K-th source (default 6) of rendoc/ and korvatreporter/, compiled with the
flags of a RelWithDebInfo build in which -O2 -g is replaced by the variant's flags. With --link,
the link lines of a few targets in BUILD_DIR (a built RelWithDebInfo tree) are run with each
linker found, on the objects as built and on copies stripped of debug information.
"""
import argparse
import glob
import json
import os
import re
import resource
import shlex
import shutil
import subprocess
import sys
import tempfile

VARIANTS = {
    "O2-g": ["-O2", "-g"],
    "O2": ["-O2"],
    "O2-g1": ["-O2", "-g1"],
    "O2-gsplit": ["-O2", "-g", "-gsplit-dwarf"],
    "O1-g1": ["-O1", "-g1"],
    "O0-g": ["-O0", "-g"],
    "O1": ["-O1"],
    "O0": ["-O0"],
}


def cpu_of(command, cwd):
    """Processor seconds the command's children spent."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, cwd=cwd, check=True, stdout=subprocess.DEVNULL,
                   env=dict(os.environ, CCACHE_DISABLE="1"))
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def sample(here, every, work):
    subprocess.run(["cmake", "-S", here, "-B", work, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON", "-DKORVAT_BUILD_TESTS=OFF",
                    "-DKORVAT_BUILD_BENCH=OFF", "-DCMAKE_CXX_COMPILER_LAUNCHER="],
                   check=True, stdout=subprocess.DEVNULL)
    with open(os.path.join(work, "compile_commands.json")) as f:
        entries = json.load(f)
    picked = sorted((e for e in entries
                     if re.search(r"/(rendoc|korvatreporter)/", e["file"])
                     and "_autogen" not in e["file"]), key=lambda e: e["file"])
    return picked[::every]


def compile_all(entries, flags, out):
    total = 0.0
    for i, entry in enumerate(entries):
        args = shlex.split(entry["command"])
        args = [a for a in args if a not in ("-O2", "-g")]
        o = args.index("-o")
        args[o + 1] = os.path.join(out, "%d.o" % i)
        args[1:1] = flags
        total += cpu_of(args, entry["directory"])
    return total


def stripped_copy(command, cwd, out):
    """The link command with every object and static library replaced by a copy without
    debug information, as a build without -g would have made them."""
    result = []
    for arg in command:
        path = os.path.join(cwd, arg)
        if arg.endswith((".o", ".a")) and os.path.isfile(path):
            copy = os.path.join(out, "s%d-%s" % (len(result), os.path.basename(arg)))
            subprocess.run(["objcopy", "--strip-debug", path, copy], check=True)
            arg = copy
        result.append(arg)
    return result


def link_costs(build, targets):
    for target in targets:
        found = glob.glob(os.path.join(build, "**", target + ".dir", "link.txt"), recursive=True)
        if not found:
            print("link %s: no link line in %s" % (target, build))
            continue
        with open(found[0]) as f:
            command = shlex.split(f.read().strip())
        cwd = os.path.dirname(os.path.dirname(os.path.dirname(found[0])))
        out = tempfile.mkdtemp()
        o = command.index("-o")
        command[o + 1] = os.path.join(out, "linked")
        lines = {"-g": command, "no -g": stripped_copy(command, cwd, out)}
        for name, extra in (("bfd", []), ("lld", ["-fuse-ld=lld"]), ("mold", ["-fuse-ld=mold"])):
            if extra and not shutil.which("ld." + name) and not shutil.which(name):
                print("link %s %-5s not installed" % (target, name))
                continue
            for debug, line in lines.items():
                best = min(cpu_of(line[:1] + extra + line[1:], cwd) for _ in range(3))
                print("link %s %-5s %-5s %6.2f s" % (target, name, debug, best), flush=True)
        shutil.rmtree(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--every", type=int, default=6)
    parser.add_argument("--variants", default=",".join(VARIANTS))
    parser.add_argument("--link", help="a built tree whose link lines are timed")
    parser.add_argument("--targets", default="korvatreporter,xrdview,tst_exportgrowth")
    options = parser.parse_args()
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if options.link:
        link_costs(options.link, options.targets.split(","))
        return
    work = tempfile.mkdtemp(prefix="korvat-buildcost-")
    try:
        entries = sample(here, options.every, os.path.join(work, "cfg"))
        print("%d sources" % len(entries), flush=True)
        base = None
        for name in options.variants.split(","):
            out = os.path.join(work, name)
            os.makedirs(out)
            seconds = compile_all(entries, VARIANTS[name], out)
            size = sum(os.path.getsize(os.path.join(out, f)) for f in os.listdir(out))
            base = base or seconds
            print("%-10s %7.1f s  %.2f of the first  objects %5.1f MB"
                  % (name, seconds, seconds / base, size / 1e6), flush=True)
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    sys.exit(main())
