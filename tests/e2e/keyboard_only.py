# SPDX-License-Identifier: GPL-3.0-or-later
"""A person without a mouse: Tab reaches the filter field, typing narrows the list and Down goes on
to the first family shown, which the sample shows; F6 builds the sample sheet, Tab reaches it and
Page_Down pages it; Ctrl+F opens 查找, which finds a family by the part of its name typed."""
import re
import subprocess

import pyatspi

from desktop import (StepFailed, children, find, find_all, press_keys, run, text_of,
                     type_text, wait_for)

SCAN_TOTAL = re.compile(r"^字体总数：(\d+)$")
SHOWN = re.compile(r"^显示 (\d+)/(\d+)$")
FAMILY_COUNTER = re.compile(r"^第(\d+)种字体$")
SHEET_COUNT = re.compile(r"^(\d+)/(\d+)$")


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def tab_to(node, what, most=20):
    """Presses Tab until node has the keyboard focus."""
    for _ in range(most):
        if focused(node):
            return
        press_keys("Tab")
        try:
            wait_for(lambda: focused(node), what, timeout=0.6)
            return
        except StepFailed:
            continue
    # A busy machine may move the focus late.
    wait_for(lambda: focused(node), "%d presses of Tab to reach %s" % (most, what), timeout=3)


def give_keyboard_to_the_window(app):
    """What a window manager does for a new window: the display has none here."""
    title = app.getChildAtIndex(0).name
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % re.escape(title),
                    "windowfocus", "--sync"], check=True, timeout=10)


def scenario(app):
    total = int(SCAN_TOTAL.match(find(app, "label", name=SCAN_TOTAL).name).group(1))
    give_keyboard_to_the_window(app)
    field = find(app, "text", name="筛选")
    tab_to(field, "the filter field")
    type_text("pair")
    wait_for(lambda: find(app, "label", name=SHOWN).name == "显示 2/%d" % total,
             lambda: "the count to read 显示 2/%d" % total)
    press_keys("Down")
    counter = find(app, "label", name=FAMILY_COUNTER)
    sample = find(app, "text", text=re.compile("^文件名："))
    wait_for(lambda: "Quillmere Pair One (正常体20)" in text_of(sample),
             "the sample of Quillmere Pair One after Down in the filter field")

    press_keys("F6")
    sheet_count = wait_for(
        lambda: [label for label in find_all(app, "label", name=SHEET_COUNT)
                 if label.name == "%d/%d" % (total, total)],
        "the sheet's count to read %d/%d" % (total, total))[0]
    sheet = find(app, "list", name="字型样张")
    lines = [line.name for line in children(sheet)]
    one = lines.index("Quillmere Pair One") if "Quillmere Pair One" in lines else -1
    if one < 0 or lines[one + 1:one + 2] != ["Quillmere Pair Two"]:
        raise StepFailed("the sheet's lines are not a family each: %r" % lines[:40])
    tab_to(sheet, "the sample sheet")

    def current_line():
        return [line.name for line in children(sheet) if focused(line)]

    before = current_line()
    press_keys("Next")  # Page_Down
    wait_for(lambda: current_line() and current_line() != before,
             lambda: "Page_Down to move on in the sheet from %r; it is at %r"
             % (before, current_line()))
    if sheet_count.name != "%d/%d" % (total, total):
        raise StepFailed("the sheet's count changed to %s" % sheet_count.name)

    press_keys("ctrl+f")
    dialog = find(app, None, name="在字体列表中查找字体名称")
    type_text("Test Serif")
    press_keys("Return")
    wait_for(lambda: not find_all(app, None, name="在字体列表中查找字体名称"),
             "查找 to close once it found the family")
    wait_for(lambda: "Quillmere Test Serif (正常体20)" in text_of(sample),
             "the sample of Quillmere Test Serif after 查找")
    del dialog, counter


run(scenario)
