#!/usr/bin/env python3
"""Kills `qvctl advance` at a spread of points of its run and checks what is left.

A game of two student banks (disks answered OK from a terminal) and two computer banks is
advanced once cleanly, for reference. Then, for each point N, the same game is advanced by a
process that strace kills with SIGKILL at its N-th system call. After each kill:
  * `qvctl info` (which rolls an interrupted update back) must open the game;
  * the game files must be byte for byte the quarter before or the quarter after;
  * `qvctl verify` must pass;
  * the next `qvctl advance` must succeed, and when the game was back at the quarter before,
    its files (the dated banks.qv aside) must equal the reference run's.

Usage: kill_advance.py QVCTL [POINTS]   POINTS kills spread over the run (default 30)
"""
import os, re, shutil, subprocess, sys, tempfile

GAME_FILES = ["Global.qv", "Banks.qv", "Plotv.qv", "Comp.qv", "Portf.qv"]


def run(argv, answers=20):
    """Runs argv with a terminal holding `answers` OKs as standard input."""
    master, terminal = os.openpty()
    os.write(master, b"o\n" * answers)
    try:
        return subprocess.run(argv, stdin=terminal, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=120)
    finally:
        os.close(master)
        os.close(terminal)


STAMP = re.compile(rb"\d\d-\d\d-\d{4} \d\d:\d\d")


def files_of(folder, names=GAME_FILES):
    """The game files of a folder, each bank's date stamp blanked (runs differ in the minute)."""
    out = {}
    for name in names:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                out[name] = STAMP.sub(b"mm-dd-yyyy hh:mm", f.read())
    return out


def main():
    qvctl = os.path.realpath(sys.argv[1])
    points = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    work = tempfile.mkdtemp(prefix="qvkill-")
    try:
        disks = [os.path.join(work, "pristine", "disk%d" % b) + "/" for b in (1, 3)]
        setup = os.path.join(work, "setup.json")
        with open(setup, "w") as f:
            f.write('{"game_title": "Kill", "beginning_period": 12, "banks": ['
                    '{"name": "Ash", "management": "Human", "president": "Ann", "password": "a1", "type": "Consumer", "path": "%s"},'
                    '{"name": "Box", "management": "Computer2", "type": "Business"},'
                    '{"name": "Elm", "management": "Human", "president": "Eve", "password": "e1", "type": "Full Service", "path": "%s"},'
                    '{"name": "Fir", "management": "Computer3", "type": "Turnaround"}]}'
                    % tuple(disks))
        pristine = os.path.join(work, "pristine")
        game = os.path.join(pristine, "game")
        created = run([qvctl, "new", game, "--setup", setup, "--seed", "3"])
        assert created.returncode == 0, created.stdout.decode(errors="replace")
        # The teams mark their decisions final, as the students' program does: DecisionsReady
        # (bytes 18..19 of the bank's status record, record 38 + 13 (b - 1) of banks.qv) is 1.
        for bank, disk in zip((1, 3), disks):
            with open(os.path.join(disk, "Banks.qv"), "r+b") as f:
                f.seek((38 + 13 * (bank - 1) - 1) * 84 + 18)
                f.write(b"\x01\x00")

        live = os.path.join(work, "live")
        live_game = os.path.join(live, "game")

        def reset():
            shutil.rmtree(live, ignore_errors=True)
            shutil.copytree(pristine, live, symlinks=True)
            # The disks' paths are the pristine folders; point them at the live copies.
            for name in ["Global.qv"]:
                path = os.path.join(live_game, name)
                with open(path, "rb") as f:
                    text = f.read()
                with open(path, "wb") as f:
                    f.write(text.replace(pristine.encode(), live.encode()))

        advance = [qvctl, "advance", live_game, "--seed", "5", "--fallback", "last"]
        reset()
        before = files_of(live_game)
        trace = os.path.join(work, "trace")
        run(["strace", "-f", "-o", trace] + advance)
        with open(trace) as f:
            total = sum(1 for line in f if "resumed>" not in line and " +++ " not in line
                        and " --- " not in line)
        reset()
        reference = run(advance)
        assert reference.returncode == 0, reference.stdout.decode(errors="replace")
        after = files_of(live_game)
        failures = []
        for k in range(1, points + 1):
            n = max(1, total * k // (points + 1))
            reset()
            run(["strace", "-f", "-o", "/dev/null", "-e", "inject=all:signal=KILL:when=%d" % n]
                + advance)
            opened = run([qvctl, "info", live_game])
            now = files_of(live_game)
            state = "before" if now == before else "after" if now == after else None
            verified = run([qvctl, "verify", live_game])
            # From the quarter before, the disks are as the teams left them and the advance is
            # the reference one again; from the quarter after, they wait for new decisions, so
            # the next advance runs unattended (last quarter's decisions, disks omitted).
            if state == "before":
                again = run(advance)
            else:
                again = subprocess.run(advance, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                       stderr=subprocess.STDOUT, timeout=120)
            problem = None
            if opened.returncode != 0:
                problem = "info failed: " + opened.stdout.decode(errors="replace")
            elif state is None:
                problem = "mixed game files: " + ", ".join(
                    n for n in GAME_FILES if now.get(n) not in (before.get(n), after.get(n)))
            elif verified.returncode != 0:
                problem = "verify failed: " + verified.stdout.decode(errors="replace")
            elif again.returncode not in (0, 3):
                problem = "next advance failed: " + again.stdout.decode(errors="replace")
            elif state == "before":
                later = files_of(live_game)
                if later != after:
                    problem = "the next advance differs from a clean run"
            print("kill at syscall %5d of %d: game %s%s" %
                  (n, total, state or "MIXED", "" if problem is None else "  FAIL " + problem))
            if problem:
                failures.append(n)
        print("%d kill points, %d failed" % (points, len(failures)))
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
