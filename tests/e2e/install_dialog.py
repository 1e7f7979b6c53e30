# SPDX-License-Identifier: GPL-3.0-or-later
"""A person installs two font files from a folder of their home: 添加 opens the install dialog, a
click on the folder in the tree lists its fonts, 全选 and 安装 install them with the message that
says how many, "我的电脑" changes only the path label, and after 关闭 and 扫描 the new families are
in the font-name list. Fontconfig's own listing then holds the copies."""
import os
import re
import shutil
import subprocess

from desktop import (StepFailed, children, click, find, find_all, press_keys, run, wait_for)

SCAN_TOTAL = re.compile(r"^字体总数：\d+$")
TITLE = "字体浏览、字体安装--Quillmere"
FOLDER = "新字体"
NEW_FAMILIES = ["Quillmere Many 00001", "Quillmere Many 00002"]


def make_font_folder():
    """Two fonts no one has installed, in a folder of the home, as a download would leave them."""
    folder = os.path.join(os.environ["HOME"], FOLDER)
    os.makedirs(folder, exist_ok=True)
    many = os.path.join(os.environ["QM_E2E_FONTS"], "many")
    for name in ("QmMany-00001.ttf", "QmMany-00002.ttf"):
        shutil.copy(os.path.join(many, name), folder)
    return folder


def label_reading(dialog, wanted):
    wait_for(lambda: find_all(dialog, "label", name=wanted),
             lambda: "a label reading %r; the labels read %r" % (
                 wanted, [n.name for n in find_all(dialog, "label")]))


def list_items(dialog, name_pattern):
    return [n for n in find_all(dialog, None, name=name_pattern) if n.getRoleName() != "label"]


def scenario(app):
    find(app, "label", name=SCAN_TOTAL)
    folder = make_font_folder()
    click(find(app, "push button", name="添加"))
    dialog = find(app, None, name=TITLE)

    click(find(dialog, None, name=FOLDER))
    label_reading(dialog, folder + "/")
    wait_for(lambda: len(list_items(dialog, re.compile(r"^QmMany-0000[12]\.ttf$"))) == 2,
             "File1 to list the two font files")
    wait_for(lambda: list_items(dialog, "Quillmere Many 00002"),
             "List1 to show the family of the second file")

    click(find(dialog, None, name="我的电脑"))
    label_reading(dialog, "我的电脑")
    if len(list_items(dialog, re.compile(r"^QmMany-0000[12]\.ttf$"))) != 2:
        raise StepFailed("clicking 我的电脑 changed the file list")

    click(find(dialog, "push button", name="全选"))
    click(find(dialog, "push button", name="安装"))
    find(app, None, name="安装完毕！成功安装：2 个字体。", timeout=20)
    label_reading(dialog, "2/2")
    press_keys("Return")  # the message's OK; 关闭 below is out of reach until it is gone

    click(find(dialog, "push button", name="关闭"))
    wait_for(lambda: not find_all(app, None, name=TITLE), "the dialog to close")

    listing = subprocess.run(["fc-list", ":", "file"], capture_output=True, text=True,
                             check=False).stdout
    fonts = os.path.join(os.environ["XDG_DATA_HOME"], "fonts")
    for name in ("QmMany-00001.ttf", "QmMany-00002.ttf"):
        if os.path.join(fonts, name) not in listing:
            raise StepFailed("fontconfig does not list the copy of %s" % name)

    click(find(app, "push button", name="扫描"))
    font_list = find(app, "list", name="字体列表")
    wait_for(lambda: all(any(item.name == family for item in children(font_list))
                         for family in NEW_FAMILIES),
             "the scan to list the new families")


run(scenario)
