# SPDX-License-Identifier: GPL-3.0-or-later
"""A person clicking a family in the main window's font-name list sees which one it is and its
sample; the Down key then shows the next family.

The Down key is checked even when the click's check fails: it tells a click that reached the list
but showed nothing (Down goes on to the seventh family) from a click that missed it."""
import re

from desktop import (StepFailed, children, click, expect, find, press_keys, run, text_of,
                     wait_for)

SCAN_TOTAL = re.compile(r"^字体总数：\d+$")
FAMILY_COUNTER = re.compile(r"^第\d+种字体$")
USAGE = re.compile(r"^使用方法：")


def expect_family_shown(counter, sample, number, family):
    """Label3 counts the family chosen and the sample box shows that family's sample."""
    wanted = "第%d种字体" % number
    wait_for(lambda: counter.name == wanted,
             lambda: "Label3 to read %s (%s); it reads %s" % (wanted, family, counter.name))
    line = family + " (正常体20)"

    def sample_shown():
        text = text_of(sample)
        return text.startswith("文件名：") and line in text
    wait_for(sample_shown, lambda: "the sample box to start with 文件名： and hold %r; it holds %r"
             % (line, text_of(sample)[:120]))


def scenario(app):
    find(app, "label", name=SCAN_TOTAL)  # the scan has filled the list
    items = children(find(app, "list", name="字体列表"))
    if len(items) < 7:
        raise StepFailed("the font-name list has %d families, the test needs 7" % len(items))
    counter = find(app, "label", name=FAMILY_COUNTER)
    sample = find(app, "text", text=USAGE)  # before a choice it shows how to use the program

    click(items[5])
    expect(expect_family_shown, counter, sample, 6, items[5].name)

    press_keys("Down")
    expect_family_shown(counter, sample, 7, items[6].name)


run(scenario)
