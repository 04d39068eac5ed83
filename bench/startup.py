"""Whole-process benchmark: how long the browser takes from its start to a
loaded home page, and how much memory it then holds, against a bare
WebKitGTK window loading the same page.

Usage (under a display, e.g. xvfb-run -a -s "-screen 0 1280x1024x24"):
  python3 bench/startup.py build/release/tavern-browser build/release/bench/bare_engine [runs]

The page reports its own load event by asking for /loaded, so the time is
measured from the spawn to that request. Memory is the proportional set
size (PSS) of the process and all its descendants at that moment.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import PageServer, RunFolder, gbk_config  # noqa: E402

PAGE = ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>酒馆社区</title></head>'
        '<body><h1>酒馆社区</h1><p>%s</p>'
        '<script>addEventListener("load", () => fetch("/loaded?" + Date.now()))</script>'
        '</body></html>' % ("欢迎来到酒馆。" * 200))


def descendants(pid):
    tree, found = {}, [pid]
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
                tree.setdefault(parent, []).append(int(entry))
            except OSError:
                pass
    i = 0
    while i < len(found):
        found.extend(tree.get(found[i], []))
        i += 1
    return found


def pss_kib(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def run_once(command, env, server):
    before = len([r for r in server.requests if r.startswith("/loaded")])
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        while len([r for r in server.requests if r.startswith("/loaded")]) == before:
            if time.monotonic() - start > 60 or process.poll() is not None:
                raise RuntimeError("no load from %s" % command[0])
            time.sleep(0.002)
        elapsed = time.monotonic() - start
        time.sleep(0.5)  # let the page settle before weighing it
        memory = pss_kib(descendants(process.pid))
        return elapsed, memory
    finally:
        process.kill()
        process.wait()
        time.sleep(0.5)


def main():
    program, bare = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    with PageServer({"/home": PAGE, "/loaded": ""}) as server:
        folder = RunFolder(program)
        try:
            folder.write_config(gbk_config(server.url("/home")))
            env = folder.environment()
            results = {}
            for name, command in (("tavern-browser", [folder.program]),
                                  ("bare WebKitGTK", [bare, server.url("/home")])):
                run_once(command, env, server)  # warm the caches
                samples = [run_once(command, env, server) for _ in range(runs)]
                results[name] = samples
            print("start to loaded home page, %d runs each" % runs)
            for name, samples in results.items():
                times = [s[0] * 1000 for s in samples]
                memory = [s[1] / 1024 for s in samples]
                print("  %-15s time: median %6.0f ms  best %6.0f ms   PSS: median %5.0f MiB"
                      % (name, statistics.median(times), min(times), statistics.median(memory)))
        finally:
            folder.remove()


if __name__ == "__main__":
    main()
