#!/usr/bin/env python3
"""Finds the controls of the running program in the AT-SPI tree by role and spoken name: the
main window's, then, after F5 in the center code, the code search's."""
import subprocess
import sys
import time

import pyatspi

MAIN = [
    ("text", "センターコード"), ("text", "送受信種別"), ("combo box", "曜日"), ("text", "起動時刻"),
    ("table", "スケジュール一覧"),
    ("push button", "追加（A）"), ("push button", "削除（D）"), ("push button", "終了（E）"),
    ("label", "ｾﾝﾀｰｺｰﾄﾞ"), ("label", "送受信種別"), ("label", "曜日"), ("label", "起動時刻"),
    ("label", "画面ID"), ("label", "オペレータコード見出し"), ("label", "オペレータコード"),
    ("label", "オペレータ名"), ("label", "日付"), ("label", "センター名"), ("label", "送受信種別名"),
]
# Header labels speak what they show after their name.
MAIN_DESCRIPTIONS = [("画面ID", "G3520401"), ("オペレータコード", "A001")]
SEARCH = [("table", "検索結果一覧"), ("push button", "選択"), ("push button", "中止")]


def wait_for(what, find, pid, seconds=20, shown=None):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if subprocess.run(["kill", "-0", str(pid)]).returncode != 0:
            sys.exit(f"FAIL: the program ended before {what} appeared")
        found = find()
        if found:
            return found
        time.sleep(0.2)
    if shown:
        print("windows in the tree:", shown())
    sys.exit(f"FAIL: {what} did not appear in the accessibility tree within {seconds} s")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "M352040":
            return app
    return None


def window(app, title):
    app.clear_cache()  # the list of windows is read once and kept otherwise
    for w in app:
        if w is not None and title in (w.name or ""):
            return w
    return None


def spoken_name(acc):
    # Qt names a drop-down list by its current entry; its title comes as the labelled-by
    # relation, and that is what a screen reader speaks for it.
    if acc.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in acc.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
    return acc.name


def controls(top):
    found, stack = {}, [top]
    while stack:
        node = stack.pop()
        for child in node:
            if child is not None:
                found.setdefault((child.getRoleName(), spoken_name(child)), child)
                stack.append(child)
    return found


def check(title, top, expected):
    found = controls(top)
    missing = [e for e in expected if e not in found]
    if missing:
        print(f"{title}: found", sorted(found))
        sys.exit(f"FAIL: {title}: no control {missing}")
    print(f"{title}: {len(expected)} controls found by name")
    return found


def main():
    pid = int(sys.argv[1])
    app = wait_for("the program", application, pid)
    main_window = wait_for("the main window", lambda: window(app, "スケジュールマスタ保守"), pid)
    found = check("main window", main_window, MAIN)
    for name, shown in MAIN_DESCRIPTIONS:
        description = found[("label", name)].description
        if description != shown:
            sys.exit(f"FAIL: label {name} speaks {description!r}, not {shown!r}")
    # F5 in the center code field (it has the focus at start) opens the code search, whose
    # title names the search kind.
    wid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "スケジュールマスタ保守"],
                         capture_output=True, text=True).stdout.split()[0]
    if subprocess.run(["xdotool", "windowactivate", "--sync", wid]).returncode != 0:
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
    subprocess.run(["xdotool", "key", "F5"], check=True)
    search = wait_for("the code search", lambda: window(app, "検索"), pid,
                      shown=lambda: [(w.getRoleName(), w.name) for w in app])
    check("code search", search, SEARCH)
    print("PASS")


main()
