#!/usr/bin/env python3
"""Runs in a D-Bus session on the virtual display: starts the program with its AT-SPI bridge on
and waits for a message box that shows TEXT, which must appear within SECONDS of the start.
Prints the time it took. Usage: message_within.py TEXT SECONDS PROGRAM [ARGUMENTS...]"""
import os
import subprocess
import sys
import time

import pyatspi


def shows(app, text):
    app.clear_cache()  # the list of windows is read once and kept otherwise
    stack = [w for w in app if w is not None]
    while stack:
        node = stack.pop()
        if node.name == text:
            return True
        stack.extend(c for c in node if c is not None)
    return False


def main():
    text, seconds, command = sys.argv[1], float(sys.argv[2]), sys.argv[3:]
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    start = time.monotonic()
    program = subprocess.Popen(command, env=env, stderr=subprocess.PIPE, text=True)
    try:
        # A little longer than the bound, so that a late message is told from none at all.
        while time.monotonic() - start < seconds + 10:
            apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "M352040"]
            if apps and shows(apps[0], text):
                took = time.monotonic() - start
                print(f'"{text}" shown {took:.2f} s after the start')
                if took > seconds:
                    sys.exit(f"FAIL: later than {seconds} s")
                return
            if program.poll() is not None:
                sys.exit(f"FAIL: the program ended ({program.returncode}) without "
                         f'"{text}": {program.stderr.read()}')
            time.sleep(0.1)
        sys.exit(f'FAIL: no "{text}" within {seconds + 10} s')
    finally:
        program.kill()


main()
