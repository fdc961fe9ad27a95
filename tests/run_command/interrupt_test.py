#!/usr/bin/env python3
"""Ctrl+C on scripts/run.sh, pressed in a terminal as a user would: Uravik
is closed as its close button would close it, so the run is stored. Once
with no display (the script starts a virtual one) and once with a display of
its own. Prints one line per case and exits non-zero when one fails.

Environment: WINEPREFIX (default: a new one under /tmp, removed afterwards).
"""
import os
import pty
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# run.sh prints this just before it starts Uravik.
STARTING = b"then click Uravik's window"


def read_until(fd, done, timeout):
    """Reads the terminal's output until done(output) holds or the time is up."""
    output = b""
    deadline = time.monotonic() + timeout
    while not done(output) and time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.5)
        if ready:
            try:
                output += os.read(fd, 4096)
            except OSError:  # the terminal closed: the script has ended
                break
    return output


def run_and_interrupt(environment, data):
    """Starts run.sh in a new terminal, presses Ctrl+C once Uravik runs, and
    returns the exit status and what the terminal showed."""
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(ROOT)
        os.execve("scripts/run.sh", ["scripts/run.sh"], environment)
    output = read_until(fd, lambda out: STARTING in out, 600)
    log = os.path.join(data, "ytime.dab")
    # Uravik has started once its new log is there; give it a moment more.
    for _ in range(150):
        if os.path.exists(log):
            break
        time.sleep(0.2)
    time.sleep(3)
    os.write(fd, b"\x03")  # the terminal's interrupt key
    output += read_until(fd, lambda out: False, 60)
    _, status = os.waitpid(pid, 0)
    os.close(fd)
    return status, output.decode(errors="replace")


def check(name, environment):
    data = tempfile.mkdtemp(prefix="uravik-run-interrupt-")
    environment = dict(environment, URAVIK_DATA_DIR=data)
    try:
        status, output = run_and_interrupt(environment, data)
        state = open(os.path.join(data, "ysave.dab"), "rb").read() if os.path.exists(
            os.path.join(data, "ysave.dab")) else b""
        log = open(os.path.join(data, "ytime.dab"), "rb").read() if os.path.exists(
            os.path.join(data, "ytime.dab")) else b""
        faults = []
        if not state.startswith(b"1   =Uppstarter\r\n"):
            faults.append("ysave.dab holds %r" % state[:40])
        if b"Uppstart nr=  1 " not in log or not log.endswith(b"\r\n"):
            faults.append("ytime.dab holds %r" % log[-80:])
        print("%s: %s" % (name, "passed" if not faults else "FAILED: " + "; ".join(faults)))
        if faults:
            print(output[-2000:])
        return not faults
    finally:
        shutil.rmtree(data, ignore_errors=True)


def free_display():
    display = 150
    while os.path.exists("/tmp/.X11-unix/X%d" % display) or os.path.exists(
            "/tmp/.X%d-lock" % display):
        display += 1
    return ":%d" % display


def main():
    own_prefix = "WINEPREFIX" not in os.environ
    prefix = os.environ.get("WINEPREFIX") or tempfile.mkdtemp(prefix="uravik-wine-interrupt-")
    environment = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    environment["WINEPREFIX"] = prefix
    ok = check("Ctrl+C with no display", environment)

    display = free_display()
    server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              start_new_session=True)
    time.sleep(1)
    try:
        ok = check("Ctrl+C with a display", dict(environment, DISPLAY=display)) and ok
    finally:
        server.send_signal(signal.SIGTERM)
        server.wait()
        if own_prefix:
            subprocess.run(["wineserver", "-k"], env=environment, check=False)
            shutil.rmtree(prefix, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
