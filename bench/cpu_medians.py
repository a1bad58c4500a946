#!/usr/bin/env python3
# Median CPU time (user + system of the whole process and what it waits for) of commands run in turn, one
# run of each after the other, so that a busy spell of the machine falls on all of them alike. Prints one
# line a command: its median and its smallest, in seconds.
#   bench/cpu_medians.py RUNS COMMAND...
import os, shlex, statistics, subprocess, sys

runs, commands = int(sys.argv[1]), sys.argv[2:]
times = [[] for _ in commands]
with open(os.devnull, "w") as null:
    for _ in range(runs):
        for i, command in enumerate(commands):
            p = subprocess.Popen(shlex.split(command), stdout=null, stderr=null)
            _, status, usage = os.wait4(p.pid, 0)
            if status != 0:
                sys.exit("failed: " + command)
            times[i].append(usage.ru_utime + usage.ru_stime)
for t in times:
    print("%.4f %.4f" % (statistics.median(t), min(t)))
