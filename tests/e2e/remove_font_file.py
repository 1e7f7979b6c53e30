# SPDX-License-Identifier: GPL-3.0-or-later
"""A person selects a font file on the font-file tab, chooses "卸载并删除字体文件" from the list's
menu, sees it in "卸载和删除字体" with the count, presses 确定 and reads in the row that the file
was unloaded and deleted; the file is then in the desktop's trash, not in the fonts folder."""
import os
import re

from desktop import StepFailed, click, find, find_all, press_keys, run, wait_for

SCAN_TOTAL = re.compile(r"^字体总数：\d+$")
FILE = "QmQuote.ttf"
DATA = os.environ["XDG_DATA_HOME"]


def scenario(app):
    find(app, "label", name=SCAN_TOTAL)
    click(find(app, "page tab", name="字体文件名列表"))
    cell = find(app, "table cell", name=FILE)
    click(cell)
    click(cell, button=3)
    # The pop-up menu is not on the accessibility bus: its third item, by keyboard.
    press_keys("Down", "Down", "Down", "Return")

    dialog = find(app, "dialog", name="卸载和删除字体")
    find(dialog, "label", name="你选中的字体数为：")
    wait_for(lambda: find_all(dialog, "label", name="1"), "the count to read 1")
    find(dialog, "table cell", name=FILE)
    click(find(dialog, "push button", name="确定"))

    find(app, "label", name=re.compile("^操作完成！"))
    press_keys("Return")
    wait_for(lambda: len(find_all(dialog, "table cell", name="是")) == 2,
             "the row to read 是 under 已卸载 and 已删除")
    if os.path.exists(os.path.join(DATA, "fonts", FILE)):
        raise StepFailed("the file is still in the fonts folder")
    for kept in ("Trash/files/" + FILE, "Trash/info/" + FILE + ".trashinfo"):
        if not os.path.exists(os.path.join(DATA, kept)):
            raise StepFailed("the trash lacks " + kept)
    click(find(dialog, "push button", name="取消"))


run(scenario)
