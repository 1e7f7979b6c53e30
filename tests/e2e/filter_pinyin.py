# SPDX-License-Identifier: GPL-3.0-or-later
"""A person types the initials of a Chinese family name into the filter field "筛选" above the
font-name list: the list narrows to that family and the count says so; a click shows its sample
with the Chinese coverage line below it; clearing the field brings every family back with the
chosen one still chosen."""
import re

from desktop import (StepFailed, children, click, expect, find, press_keys, run, text_of,
                     type_text, wait_for)

SCAN_TOTAL = re.compile(r"^字体总数：(\d+)$")
SHOWN = re.compile(r"^显示 (\d+)/(\d+)$")
FAMILY = "测试黑体"  # the test face with a Chinese name: pinyin ceshi heiti


def shown_count(app):
    counts = SHOWN.match(find(app, "label", name=SHOWN).name)
    return int(counts.group(1)), int(counts.group(2))


def scenario(app):
    total = int(SCAN_TOTAL.match(find(app, "label", name=SCAN_TOTAL).name).group(1))
    wait_for(lambda: shown_count(app) == (total, total),
             lambda: "the count to read 显示 %d/%d; it reads %r" % (total, total, shown_count(app)))
    field = find(app, "text", name="筛选")
    click(field)
    type_text("csht")
    wait_for(lambda: shown_count(app) == (1, total),
             lambda: "the count to read 显示 1/%d after csht; it reads %r"
             % (total, shown_count(app)))
    entry = wait_for(lambda: [item for item in children(find(app, "list", name="字体列表"))
                              if item.name == FAMILY], "the entry %s in the list" % FAMILY)[0]
    click(entry)
    counter = find(app, "label", name=re.compile(r"^第\d+种字体$"))
    chosen = counter.name
    wait_for(lambda: FAMILY + " (正常体20)" in text_of(find(app, "text", text=re.compile("^文件名："))),
             "the sample of %s" % FAMILY)
    expect(lambda: find(app, "label", name=re.compile(r"^汉字覆盖：GB2312 0\.0%（4/6763）")))

    click(field)
    press_keys("ctrl+a", "BackSpace")
    wait_for(lambda: shown_count(app) == (total, total),
             lambda: "every family shown again; the count reads %r" % (shown_count(app),))
    if counter.name != chosen:
        raise StepFailed("clearing the filter changed the chosen family: %s became %s"
                         % (chosen, counter.name))


run(scenario)
