"""How often a process's threads have been switched out, read from /proc:
each wake-up of a thread ends in one, so the difference over a window counts
the wake-ups in it."""
import os


def switches_by_thread(pid):
    """Voluntary and involuntary context switches so far of each of the
    process's threads, by "name (thread id)"."""
    counts = {}
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/comm" % (pid, task)) as comm:
                name = "%s (%s)" % (comm.read().strip(), task)
            with open("/proc/%d/task/%s/status" % (pid, task)) as status:
                counts[name] = sum(int(line.split()[1]) for line in status
                                   if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")))
        except FileNotFoundError:
            pass  # the thread ended while it was read
    return counts


def switches_between(before, after):
    """The switches made between two readings of switches_by_thread, by the
    threads alive at the second. A total of the whole process would lose all
    a thread ever did when the thread ends in between (Qt's pool threads do)."""
    return sum(count - before.get(name, 0) for name, count in after.items())
