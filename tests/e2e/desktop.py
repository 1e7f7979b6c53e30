# SPDX-License-Identifier: GPL-3.0-or-later
"""What an end-to-end scenario needs to act as a person and look as a screen reader does.

The program's widgets are found on the accessibility bus by role and by name or text (Qt exposes a
widget's visible text or its accessible name, not its object name); input is real X11 input through
xdotool at the widgets' screen rectangles. A scenario is a function given the program's
application object, run by run(); a failing step leaves a screenshot and the widget tree in the
artifacts folder. run_e2e.sh sets up the environment this module reads.
"""
import os
import re
import subprocess
import sys
import time
import traceback

import pyatspi

APP_PID = int(os.environ["QM_E2E_APP_PID"])
ARTIFACTS = os.environ["QM_E2E_ARTIFACTS"]
DEFAULT_TIMEOUT = 10.0
POLL_SECONDS = 0.05


class StepFailed(Exception):
    """A step of the scenario did not see what a person should see."""


def wait_for(condition, what, timeout=DEFAULT_TIMEOUT):
    """Polls condition() until it returns a true value, which it returns. The bus answers while
    the program works, so objects may vanish between calls: those errors count as not yet.
    what describes the awaited state for the failure; a callable is asked at that moment, so that
    it can tell what is seen instead."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception:  # pylint: disable=broad-except
            pass
        if time.monotonic() > end:
            raise StepFailed("timed out after %g s waiting for %s"
                             % (timeout, what() if callable(what) else what))
        time.sleep(POLL_SECONDS)


def application(timeout=DEFAULT_TIMEOUT):
    """The program's application object on the accessibility bus, once its window is there."""
    def ours():
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == APP_PID and app.childCount > 0:
                return app
        return None
    return wait_for(ours, "the program's window on the accessibility bus", timeout)


def descendants(root):
    """root and everything under it, depth first in the order a person reads."""
    stack = [root]
    while stack:
        node = stack.pop()
        yield node
        try:
            children = [node.getChildAtIndex(i) for i in range(node.childCount)]
        except Exception:  # pylint: disable=broad-except
            continue
        stack.extend(child for child in reversed(children) if child is not None)


def role(node):
    return node.getRoleName()


def text_of(node):
    """The widget's text if it has a text interface, else its accessible name."""
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return node.name or ""


def is_showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def _matches(pattern, value):
    if pattern is None:
        return True
    if isinstance(pattern, re.Pattern):
        return pattern.search(value) is not None
    if callable(pattern):
        return bool(pattern(value))
    return value == pattern


def find_all(root, role_name=None, name=None, text=None, showing=True):
    """Widgets under root with the role (e.g. "list", "label", "text", "push button") whose
    accessible name and text match: a string matches exactly, a compiled regex by search, a
    callable when it returns true. Hidden widgets (other tabs) count only with showing=False."""
    found = []
    for node in descendants(root):
        try:
            if (_matches(role_name, role(node)) and _matches(name, node.name or "")
                    and _matches(text, text_of(node)) and (not showing or is_showing(node))):
                found.append(node)
        except Exception:  # pylint: disable=broad-except
            continue  # gone while we looked
    return found


def find(root, role_name=None, name=None, text=None, showing=True, timeout=DEFAULT_TIMEOUT):
    """The one widget matching, waiting for it to appear; more than one is a failure."""
    description = "a %s named %r with text %r" % (role_name or "widget", name, text)
    matches = wait_for(lambda: find_all(root, role_name, name, text, showing), description, timeout)
    if len(matches) > 1:
        raise StepFailed("%d widgets match %s" % (len(matches), description))
    return matches[0]


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def extents(node):
    """The widget's rectangle on the screen: (x, y, width, height)."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def center(node):
    x, y, width, height = extents(node)
    if width <= 0 or height <= 0:
        raise StepFailed("%s %r has no area on the screen" % (role(node), node.name))
    return x + width // 2, y + height // 2


def _xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


def click(node, button=1, repeat=1):
    """A real mouse click at the middle of the widget."""
    x, y = center(node)
    _xdotool("mousemove", "--sync", str(x), str(y),
             "click", "--repeat", str(repeat), "--delay", "80", str(button))


def double_click(node):
    click(node, repeat=2)


def press_keys(*keys):
    """Real key presses, in xdotool's names: "Down", "Return", "ctrl+a"."""
    _xdotool("key", "--delay", "40", *keys)


def type_text(text):
    """Real typing of any Unicode text into the focused widget."""
    _xdotool("type", "--delay", "30", "--", text)


def screenshot(name):
    """The whole screen as ARTIFACTS/name.png; returns its path."""
    path = os.path.join(ARTIFACTS, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True, timeout=10)
    return path


def dump_tree(root, path):
    """Every widget under root, indented, with role, name, text and whether it shows."""
    def write(node, depth, out):
        try:
            line = "%s%s %r text=%r%s" % ("  " * depth, role(node), node.name, text_of(node)[:80],
                                          "" if is_showing(node) else " (hidden)")
            out.write(line + "\n")
            for child in children(node):
                if child is not None:
                    write(child, depth + 1, out)
        except Exception as error:  # pylint: disable=broad-except
            out.write("%s<gone: %s>\n" % ("  " * depth, error))
    with open(path, "w", encoding="utf-8") as out:
        write(root, 0, out)


_failures = []


def expect(step, *arguments):
    """Runs step(*arguments); if it fails, notes the failure with a screenshot and goes on, so
    that the later steps still tell what works. run() then fails with every note."""
    try:
        step(*arguments)
    except StepFailed as failure:
        _failures.append(str(failure))
        _keep_evidence(None, "failure-%d" % len(_failures))


def run(scenario):
    """Runs scenario(app) and exits with its verdict; a failure leaves a screenshot and the widget
    tree in the artifacts folder."""
    app = None
    try:
        app = application()
        scenario(app)
    except StepFailed as failure:
        _failures.append(str(failure))
        _keep_evidence(app, "failure")
    except Exception as error:  # pylint: disable=broad-except
        traceback.print_exc()
        _failures.append("%s: %s" % (type(error).__name__, error))
        _keep_evidence(app, "failure")
    if _failures:
        for failure in _failures:
            print("FAILED: %s" % failure, file=sys.stderr)
        sys.exit(1)
    print("passed")


def _keep_evidence(app, name):
    try:
        print("screenshot: %s" % screenshot(name), file=sys.stderr)
        if app is not None:
            dump_tree(app, os.path.join(ARTIFACTS, name + "-tree.txt"))
    except Exception as error:  # pylint: disable=broad-except
        print("could not keep the evidence: %s" % error, file=sys.stderr)
