# SPDX-License-Identifier: GPL-3.0-or-later
"""A person opens the about box from the help button's menu, reads the version and the maker's
page, refreshes the page after the site changed it, starts the system information program with
the access key of its button and closes the box with its OK button."""
import os
import re

from desktop import (StepFailed, click, expect, find, find_all, press_keys, run, text_of,
                     wait_for)

SITE = os.environ["QM_E2E_SITE"]
SYSINFO_LOG = os.environ["QM_E2E_SYSINFO_LOG"]


def open_about_box(app):
    find(app, "label", name=re.compile(r"^字体总数：\d+$"))  # start-up has ended
    click(find(app, "push button", name="帮助"))
    # A pop-up menu is not on the accessibility bus; its fifth item is "关于".
    press_keys("Down", "Down", "Down", "Down", "Down", "Return")
    return find(app, "dialog", name="关于 Quillmere")


def page_reads(box, words):
    view = find(box, name="作者的网页")
    wait_for(lambda: words in text_of(view),
             lambda: "the maker's page to show %r; it shows %r" % (words, text_of(view)))


def refresh_shows_the_new_page(box):
    with open(os.path.join(SITE, "left.htm"), "w", encoding="utf-8") as page:
        page.write("<html><body><p>第二版</p></body></html>")
    click(find(box, "push button", name="刷新"))
    page_reads(box, "第二版")


def sysinfo_starts(box):
    find(box, "push button", name=re.compile(r"^系统信息"))
    press_keys("alt+s")  # the button's access key
    wait_for(lambda: os.path.exists(SYSINFO_LOG), "the system information program to start")


def scenario(app):
    box = open_about_box(app)
    find(box, "label", name="版本：3.8.220")
    expect(page_reads, box, "第一版：作者的其他软件")
    expect(refresh_shows_the_new_page, box)
    expect(sysinfo_starts, box)
    click(find(box, "push button", name="确定"))
    wait_for(lambda: not find_all(app, "dialog", name="关于 Quillmere"), "the about box to close")
    if find_all(app, "dialog"):
        raise StepFailed("a dialog is still open after 确定")


run(scenario)
