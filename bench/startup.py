# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Every benchmark of the program in one run, on one private X desktop (Xvfb, openbox, a D-Bus
session of its own):

- the rules' benchmarks and the key-to-box benchmark (Google Benchmark; offscreen);
- the whole program against the floor (bench/floor.cpp, a bare Qt strip with the same controls),
  in interleaved runs: time from exec to the mapped window and to the first answer to a
  _NET_WM_PING (the event loop runs: start-up is over), with the processor time spent by then;
  resident memory one second after mapping; processor time and wake-ups (context switches of
  all threads) over five idle seconds from the twelfth, once the caret has stopped;
- start-up with a 1 MiB language file beside the program against start-up without one;
- a second start, which hands over to the running strip and ends;
- the soaks: resident memory before and after.

Usage: /usr/bin/python3 bench/startup.py BUILD_DIR [RUNS]
"""

import glob
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, Xatom, display, error
from Xlib.protocol import event as xevent

IDLE_FROM, IDLE_FOR = 12.0, 5.0  # seconds after mapping; the caret rests after ten


class Desktop:
    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="cambrivo-bench-")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                 "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER")}
        self.env.update(HOME=self.home, XDG_RUNTIME_DIR=self.home, QT_QPA_PLATFORM="xcb",
                        XDG_CONFIG_HOME=os.path.join(self.home, "config"))
        self.processes = []

    def spawn(self, args, **kwargs):
        process = subprocess.Popen(args, env=self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                    "-nolisten", "tcp"], pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            self.env["DISPLAY"] = ":" + pipe.readline().strip()
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.x = display.Display(self.env["DISPLAY"])
        self.root = self.x.screen().root
        self.atom = {name: self.x.intern_atom(name)
                     for name in ("_NET_WM_PID", "_NET_WM_PING", "WM_PROTOCOLS",
                                  "_NET_SUPPORTING_WM_CHECK", "_NET_WM_NAME", "UTF8_STRING",
                                  "_NET_ACTIVE_WINDOW")}
        self.spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while not self.root.get_full_property(self.atom["_NET_SUPPORTING_WM_CHECK"],
                                              Xatom.WINDOW):
            if time.monotonic() > deadline:
                raise RuntimeError("openbox did not start")
            time.sleep(0.05)
        # Maps of top-level windows, and the answers to pings, which go to the root.
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask | X.StructureNotifyMask)
        self.x.sync()
        return self

    def __exit__(self, *_):
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGTERM)
                process.wait(timeout=5)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass
        shutil.rmtree(self.home, ignore_errors=True)

    def events(self, deadline):
        while True:
            while self.x.pending_events():
                yield self.x.next_event(), time.monotonic()
            if time.monotonic() > deadline:
                raise RuntimeError("no answer from the program")
            select.select([self.x], [], [], 0.05)

    def client_of(self, window, pid):
        """The window of process pid that is window or a child of it (openbox's frame)."""
        try:
            for candidate in [window] + list(window.query_tree().children):
                owner = candidate.get_full_property(self.atom["_NET_WM_PID"], Xatom.CARDINAL)
                if owner and owner.value[0] == pid:
                    return candidate
        except error.XError:  # gone already
            pass
        return None

    def launch(self, program):
        """Starts program; returns the process, its window, and the moments of exec, of the
        window's map and of the first answer to a ping."""
        while self.x.pending_events():
            self.x.next_event()
        start = time.monotonic()
        process = subprocess.Popen([program], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        events = self.events(start + 30)
        for event, when in events:
            if event.type == X.MapNotify:
                window = self.client_of(event.window, process.pid)
                if window:
                    mapped = when
                    break
        # The program answers only once its event loop runs.
        return process, window, start, mapped, self.ping(window, events)

    def ping(self, window, events=None):
        """Sends window a _NET_WM_PING; returns the moment of its answer. Events that come
        before the answer are dropped."""
        ping = xevent.ClientMessage(window=window, client_type=self.atom["WM_PROTOCOLS"],
                                    data=(32, [self.atom["_NET_WM_PING"], 0, window.id, 0, 0]))
        window.send_event(ping)
        self.x.flush()
        for event, when in events or self.events(time.monotonic() + 30):
            if (event.type == X.ClientMessage and event.window == self.root
                    and event.data[1][0] == self.atom["_NET_WM_PING"]
                    and event.data[1][2] == window.id):
                return when
        return None

    def title(self, window):
        held = window.get_full_property(self.atom["_NET_WM_NAME"], self.atom["UTF8_STRING"])
        return held.value.decode() if held else ""

    def click(self, window, x, y):
        spot = self.root.translate_coords(window, x, y)
        subprocess.run(["xdotool", "mousemove", "--sync", str(spot.x), str(spot.y), "click", "1"],
                       env=self.env, check=True)


def resident_kib(pid, field="VmRSS"):
    """Resident memory of pid; RssAnon: of it, what no file backs (the heap, mostly)."""
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        return next(int(line.split()[1]) for line in status if line.startswith(f"{field}:"))


def usage(pid):
    """(processor ns, context switches) of all threads of pid so far."""
    cpu = switches = 0
    for task in glob.glob(f"/proc/{pid}/task/*"):
        with open(f"{task}/schedstat", encoding="ascii") as schedstat:
            cpu += int(schedstat.read().split()[0])
        with open(f"{task}/status", encoding="ascii") as status:
            switches += sum(int(line.split()[1]) for line in status if "ctxt_switches" in line)
    return cpu, switches


def sleep_until(moment):
    time.sleep(max(0.0, moment - time.monotonic()))


def settle(pid, quiet_ms=1.0):
    """Waits until pid has used under quiet_ms of processor time over a tenth of a second."""
    before = usage(pid)[0]
    while True:
        time.sleep(0.1)
        now = usage(pid)[0]
        if now - before < quiet_ms * 1e6:
            return
        before = now


def stop(process):
    process.terminate()
    process.wait(timeout=10)


def whole_process(desktop, program, idle=True):
    process, _, start, mapped, ready = desktop.launch(program)
    figures = {"mapped": (mapped - start) * 1000, "ready": (ready - start) * 1000,
               "startcpu": usage(process.pid)[0] / 1e6}
    if idle:
        sleep_until(mapped + 1)
        figures["rss"] = resident_kib(process.pid)
        sleep_until(mapped + IDLE_FROM)
        cpu, switches = usage(process.pid)
        sleep_until(mapped + IDLE_FROM + IDLE_FOR)
        figures["idlecpu"] = (usage(process.pid)[0] - cpu) / 1e6
        figures["wakeups"] = usage(process.pid)[1] - switches
    stop(process)
    return figures


def interleaved(desktop, programs, runs, idle=True):
    """whole_process of each of programs (name -> path) in turns, ABBA, after one untimed start
    of each (page cache, font cache, the accessibility bus launcher); the runs by name."""
    for path in programs.values():
        whole_process(desktop, path, idle=False)
    runs_of = {name: [] for name in programs}
    for turn in range(runs):
        order = list(programs.items())
        for name, path in order if turn % 2 == 0 else reversed(order):
            runs_of[name].append(whole_process(desktop, path, idle))
    return runs_of


def median(runs, key):
    values = [run[key] for run in runs if key in run]
    return statistics.median(values), len(values)


def write_language_file(path, size):
    """A language file of about size bytes whose few real captions come last in [frmMain]."""
    with open(path, "w", encoding="cp1252", newline="\r\n") as f:
        f.write("[frmMain]\n")
        unused = 0
        while f.tell() < size - 300:
            f.write(f"lblUnused{unused}.ToolTipText={'x' * 200}\n")
            unused += 1
        f.write("txtEuro.ToolTipText=Importo in euro\nlblEuroDescription.Caption=EUR\n"
                "cmdMenu.ToolTipText=Menu\n[frmMenus]\n[frmConfigure]\n")


# The soaks run in turn on one strip; each calls report(label) once its work, or the first of
# it, is done.

def soak_dialog(desktop, process, window, report, openings=1000):
    """Opens the configuration dialog from the strip's menu and closes it with Esc, openings
    times, each time waiting for the menu and the dialog to map and the dialog to go."""
    def ours(event):
        """The client window of process, if event maps one."""
        return event.type == X.MapNotify and desktop.client_of(event.window, process.pid)

    def dialog(event):
        """(frame, client) of the configuration dialog, if event maps it."""
        client = ours(event)
        return client and desktop.title(client) == "Cambrivo - Configura" and (event.window,
                                                                                 client)

    def wait(found, timeout=10):
        for event, _ in desktop.events(time.monotonic() + timeout):
            result = found(event)
            if result:
                return result
        return None

    def active():
        held = desktop.root.get_full_property(desktop.atom["_NET_ACTIVE_WINDOW"], Xatom.WINDOW)
        return held.value[0] if held else None

    def xdotool(*args):
        subprocess.run(["xdotool", *args], env=desktop.env, check=True)

    spot = desktop.root.translate_coords(window, 8, 9)  # cmdMenu
    # No --sync: with the pointer already there it would wait for a move that never comes, and
    # the server handles the move before the clicks that follow it anyway.
    xdotool("mousemove", str(spot.x), str(spot.y))
    began = time.monotonic()
    for opening in range(1, openings + 1):
        xdotool("mousedown", "3", "mouseup", "3")
        wait(ours)  # the menu, which grabs the keyboard when it maps
        desktop.ping(window)  # the menu's nested event loop runs: the grab is in place
        xdotool("key", "o")
        frame, client = wait(dialog)
        deadline = time.monotonic() + 10
        while active() != client.id:  # Esc must reach the dialog, not the strip
            if time.monotonic() > deadline:
                raise RuntimeError("the dialog never took the focus")
            time.sleep(0.001)
        xdotool("key", "Escape")
        wait(lambda event: event.type in (X.UnmapNotify, X.DestroyNotify)
             and event.window == frame)
        if opening == 1:  # what the first opening loads for good
            settle(process.pid)
            report("the first opening of the configuration dialog")
    settle(process.pid)
    report(f"{openings} openings of it ({(time.monotonic() - began) / openings * 1000:.0f} ms"
           " each)")


def soak_keys(desktop, process, window, report, keys=100_000):
    desktop.click(window, 200, 9)  # txtEuro
    settle(process.pid)
    pattern = [str(d) for d in "1234567"] + ["comma", "8", "9"] + ["BackSpace"] * 10
    batch = pattern * 50
    for _ in range(keys // len(batch)):
        subprocess.run(["xdotool", "key", "--delay", "0", *batch], env=desktop.env, check=True)
        settle(process.pid)  # lest the backlog of key events count as memory
    report(f"{keys} keys typed in txtEuro")


def soak(desktop, program):
    process, window, *_ = desktop.launch(program)
    time.sleep(1)
    start, anonymous = resident_kib(process.pid), resident_kib(process.pid, "RssAnon")
    print(f"soak: resident memory at start {start} KiB, {anonymous} KiB of it anonymous "
          "(target: within 1 MiB at the end)")

    def report(label):
        now = resident_kib(process.pid)
        grown = resident_kib(process.pid, "RssAnon") - anonymous
        print(f"  after {label}: {now} KiB ({now - start:+d} KiB, anonymous {grown:+d} KiB)",
              flush=True)

    for step in (soak_dialog, soak_keys):
        step(desktop, process, window, report)
    stop(process)


def machine(program):
    """The machine, the Qt the program loads, and the load average: noise to read figures by."""
    with open("/etc/os-release", encoding="utf-8") as release:
        system = next(line.split("=", 1)[1].strip().strip('"') for line in release
                      if line.startswith("PRETTY_NAME="))
    qt = subprocess.run(["ldd", program], capture_output=True, text=True).stdout
    qt = os.path.realpath(next(line.split()[2] for line in qt.splitlines()
                               if "libQt6Core" in line)).rsplit(".so.", 1)[1]
    load = ", ".join(f"{value:.2f}" for value in os.getloadavg())
    return f"{os.cpu_count()} CPUs, {system}, Qt {qt}, load average {load}"


def whole_program_table(desktop, program, floor, runs):
    programs = {"cambrivo": program, "floor": floor}
    runs_of = interleaved(desktop, programs, runs)
    # Start-up is cheap to repeat and the noisiest figure.
    for name, extra in interleaved(desktop, programs, 2 * runs, idle=False).items():
        runs_of[name] += extra
    print("\nWhole process against the floor (bench/floor.cpp), interleaved runs, medians")
    print(f"{'':44}{'cambrivo':>10}{'floor':>10}{'ratio':>7}   target")
    for key, label, digits, target in (
            ("mapped", "start-up to mapped window, ms", 1, "ratio <= 1.10"),
            ("ready", "start-up to answered ping, ms", 1, ""),
            ("startcpu", "processor time to answered ping, ms", 1, ""),
            ("rss", "resident memory 1 s after mapping, KiB", 0, "ratio <= 1.10"),
            ("idlecpu", f"processor time in {IDLE_FOR:.0f} idle s, ms", 3, "< 0.1 ms"),
            ("wakeups", f"wake-ups in {IDLE_FOR:.0f} idle s", 0, "0")):
        ours, count = median(runs_of["cambrivo"], key)
        base, _ = median(runs_of["floor"], key)
        ratio = f"{ours / base:7.2f}" if base else f"{'-':>7}"
        print(f"{f'{label} ({count})':44}{ours:10.{digits}f}{base:10.{digits}f}{ratio}   {target}")


def language_file_table(desktop, program, runs):
    with tempfile.TemporaryDirectory() as folder:
        copies = {}
        for name in ("with", "without"):
            os.mkdir(os.path.join(folder, name))
            copies[name] = shutil.copy2(program, os.path.join(folder, name))
        write_language_file(os.path.join(folder, "with", "x.lgf"), 1 << 20)
        runs_of = interleaved(desktop, copies, runs, idle=False)
    print("\nA 1 MiB language file beside the program against none, interleaved runs, medians"
          " (target: under 20 ms more)")
    for key, label in (("mapped", "start-up to mapped window"),
                       ("ready", "start-up to answered ping"),
                       ("startcpu", "processor time to answered ping")):
        (with_file, count), (without, _) = median(runs_of["with"], key), median(
                runs_of["without"], key)
        print(f"  {label} ({count}): {with_file:.1f} ms with, {without:.1f} ms without, "
              f"{with_file - without:+.1f} ms")


def handover_table(desktop, program, runs):
    process, *_ = desktop.launch(program)
    took = []
    for _ in range(runs):
        began = time.monotonic()
        subprocess.run([program], env=desktop.env, check=True)
        took.append((time.monotonic() - began) * 1000)
    stop(process)
    print(f"\nA second start, from exec to its end once the running strip has taken over: "
          f"{statistics.median(took):.1f} ms (median of {runs}; target: under 200 ms)")


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    program = os.path.join(build, "cambrivo")
    print(f"Machine: {machine(program)}\n", flush=True)
    with Desktop() as desktop:
        for benchmark in ("bench_amount", "bench_keypath"):
            subprocess.run([os.path.join(build, "bench", benchmark)], env=desktop.env,
                           check=True)
        whole_program_table(desktop, program, os.path.join(build, "bench", "floor"), runs)
        language_file_table(desktop, program, 2 * runs)
        handover_table(desktop, program, 3 * runs)
        print()
        soak(desktop, program)
    print(f"\nLoad average at the end: {', '.join(f'{v:.2f}' for v in os.getloadavg())}")


if __name__ == "__main__":
    main()
