"""Whole-process figures for the program: time from exec to a mapped window, and peak memory.

Usage: python3 bench/startup.py build/cambrivo [runs]
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from desktop import Desktop  # noqa: E402


def peak_kib(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith(("VmHWM:", "VmRSS:")):
                yield line.split()[0].rstrip(":"), int(line.split()[1])


def main():
    program = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    desktop = Desktop().start()
    try:
        times, rss, hwm = [], [], []
        for _ in range(runs):
            start = time.monotonic()
            process = subprocess.Popen([program], env=desktop.env, stderr=subprocess.DEVNULL)
            # xdotool's own --sync polls every half second; poll more finely here.
            while not desktop.x("xdotool", "search", "--onlyvisible", "--pid", str(process.pid),
                                check=False).strip():
                time.sleep(0.002)
            times.append((time.monotonic() - start) * 1000)
            figures = dict(peak_kib(process.pid))
            rss.append(figures["VmRSS"])
            hwm.append(figures["VmHWM"])
            process.terminate()
            process.wait()
        print(f"start-up to mapped window: median {statistics.median(times):.1f} ms, "
              f"min {min(times):.1f} ms over {runs} runs")
        print(f"resident memory after start: median {statistics.median(rss)} KiB, "
              f"peak {max(hwm)} KiB")
    finally:
        desktop.stop()


if __name__ == "__main__":
    main()
