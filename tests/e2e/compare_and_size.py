# SPDX-License-Identifier: GPL-3.0-or-later
"""A person selects two families with a click and a Ctrl-click, types a text on the custom tab
and presses "所有选中字体比较": the comparison window shows the heading and the text once per
family with the family's name in brackets. Its "字体大小" opens the size dialog; 12 there rebuilds
the comparison at 12 points, the names staying at 10. Then "大小" -> "字体大小" (chosen with the
keyboard) in the main window with 72 gives the whole custom text 72 points. Sizes are read as a screen reader reads them, from
the text's attributes."""
import re
import subprocess

from desktop import (StepFailed, children, click, find, press_keys, run, text_of, type_text,
                     wait_for)

SCAN_TOTAL = re.compile(r"^字体总数：\d+$")
TEXT = "Quill text"  # ASCII: xdotool may drop a character it must map to a key first


def ctrl_click(node):
    subprocess.run(["xdotool", "keydown", "ctrl"], check=True)
    try:
        click(node)
    finally:
        subprocess.run(["xdotool", "keyup", "ctrl"], check=True)


def size_at(box, offset):
    """The point size the text shows at offset, from its accessible attributes."""
    attributes, _, _ = box.queryText().getAttributeRun(offset, True)
    for attribute in attributes:
        name, _, value = attribute.partition(":")
        if name.strip() == "size":
            return value.strip()
    return None


def expect_sizes(box, text_size, name_size):
    def shown():
        text = text_of(box)
        line = text.split("\n")[1]
        start = text.index(line)
        return (size_at(box, start) == text_size
                and size_at(box, start + line.index("[")) == name_size)
    wait_for(shown, lambda: "the comparison's text at %s and the names at %s; it reads %r"
             % (text_size, name_size, text_of(box)))


def choose_size(app, size):
    """In the size dialog: the entry typed into the opened list, then "确定"."""
    dialog = find(app, "dialog", name="设置字体大小")
    click(find(dialog, "combo box"))
    press_keys(*list(size), "Return")
    click(find(dialog, "push button", name="确定"))


def scenario(app):
    find(app, "label", name=SCAN_TOTAL)
    items = children(find(app, "list", name="字体列表"))
    click(items[1])
    ctrl_click(items[6])
    click(find(app, "page tab", name="自定义"))
    custom = find(app, "text", text=re.compile("^请在此输入"))
    click(custom)
    press_keys("ctrl+a")
    type_text(TEXT)
    wait_for(lambda: text_of(custom) == TEXT, lambda: "the typed text; it reads %r"
             % text_of(custom))
    click(find(app, "push button", name="所有选中字体比较"))

    wanted = "Quillmere:\n%s[%s]\n%s[%s]" % (TEXT, items[1].name, TEXT, items[6].name)
    comparison = find(app, "text", text=re.compile("^Quillmere:"))
    wait_for(lambda: text_of(comparison) == wanted, lambda: "the comparison %r; it reads %r"
             % (wanted, text_of(comparison)))
    expect_sizes(comparison, "30", "10")

    click(find(app, "push button", name="字体大小"))
    choose_size(app, "12")
    expect_sizes(comparison, "12", "10")
    press_keys("Escape")
    wait_for(lambda: not find_comparison(app), "the comparison window to close")

    # The pop-up menu is not on the accessibility bus; its first item is "字体大小".
    click(find(app, "push button", name="大小"))
    press_keys("Down", "Return")
    choose_size(app, "72")
    wait_for(lambda: size_at(custom, 0) == "72" and size_at(custom, len(TEXT) - 1) == "72",
             lambda: "the custom text at 72 points; it is at %s" % size_at(custom, 0))


def find_comparison(app):
    try:
        return find(app, "text", text=re.compile("^Quillmere:"), timeout=0.2)
    except StepFailed:
        return None


run(scenario)
