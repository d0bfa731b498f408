"""How often a process's threads have been switched out, read from /proc:
each wake-up of a thread ends in one, so the difference over a window counts
the wake-ups in it."""
import os


def context_switches(pid):
    """Voluntary and involuntary context switches of all the process's threads so far."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/status" % (pid, task)) as status:
            for line in status:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
    return total
