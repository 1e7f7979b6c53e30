# SPDX-License-Identifier: GPL-3.0-or-later
"""A person opens the print preview of the custom text from the toolbar's print menu: the preview
window shows the first page at 100% with its page tab, zooms in on "放大" and closes on "关闭"."""
import re
import time

from desktop import click, find, press_keys, run, text_of, wait_for

SCAN_TOTAL = re.compile(r"^字体总数：\d+$")


def scenario(app):
    find(app, "label", name=SCAN_TOTAL)  # the window has started
    click(find(app, "page tab", name="自定义"))
    click(find(app, "push button", name="打印"))
    # The pop-up menu is not on the accessibility bus; its second item is chosen by keyboard.
    time.sleep(0.5)
    press_keys("Down", "Down", "Return")

    preview = find(app, None, name="打印预览－Quillmere")
    find(preview, "page tab", name="第1页")
    zoom = find(preview, "combo box")
    wait_for(lambda: zoom.name == "100%" or text_of(zoom) == "100%",
             lambda: "the zoom list to show 100%%; it shows %r" % zoom.name)
    click(find(preview, "push button", name="放大"))
    wait_for(lambda: zoom.name == "110%" or text_of(zoom) == "110%",
             lambda: "the zoom list to show 110%% after 放大; it shows %r" % zoom.name)
    click(find(preview, "push button", name="关闭"))
    wait_for(lambda: not find_preview(app), "the preview window to close")


def find_preview(app):
    for index in range(app.childCount):
        child = app.getChildAtIndex(index)
        if child is not None and child.name == "打印预览－Quillmere":
            return child
    return None


run(scenario)
