#!/usr/bin/python3
"""Reads a running program's accessibility tree over AT-SPI, as a screen reader meets it.

Run inside the D-Bus session that the program runs in (session.sh sets that up):

    atspi_tree.py tree  --pid PID                      # the whole tree, one node a line
    atspi_tree.py find  --pid PID [SELECTORS]          # the nodes that match; exit 1 if none
    atspi_tree.py wait  --pid PID [SELECTORS] [--timeout S]   # poll until one matches
    atspi_tree.py gone  --pid PID [SELECTORS] [--timeout S]   # poll until none matches
    atspi_tree.py focus --pid PID                      # the node that has the keyboard focus
    atspi_tree.py problems --pid PID                   # what a screen reader user would miss

Selectors: --name TEXT, --name-prefix TEXT, --role ROLE (as printed, e.g. "text", "label", "dialog"),
--text TEXT (the text or value), --state STATE (repeatable: showing, visible, focused...).

"problems" lists unnamed boxes, labels that share one name (a figure named by its caption),
selectors named only by their selected entry, and nodes reported showing outside their window.

Each line reads:  role "name" value="..." desc="..." labelled-by="..." @x,y wxh {states}
A missing interface is printed as such (value=(none)), so a figure that is missing from the
tree, or a box without a name, stands out instead of being glossed over.
"""

import argparse
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

# The states a reader of the dump needs; the full set is long and mostly noise.
SHOWN_STATES = ("showing", "visible", "active", "focused", "focusable", "editable", "enabled",
                "selected")


def state_names(node):
    states = node.getState()
    return [name for name in SHOWN_STATES
            if states.contains(getattr(pyatspi, "STATE_" + name.upper()))]


def value_text(node):
    """The text a reader gets besides the name: Text interface, else Value; None if neither."""
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        pass
    try:
        return format(node.queryValue().currentValue, ".15g")
    except NotImplementedError:
        return None


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                names.append(relation.getTarget(i).name or "?")
    return names


def box_of(node):
    try:
        return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except NotImplementedError:
        return None


def extents(node):
    box = box_of(node)
    return "@%d,%d %dx%d" % (box.x, box.y, box.width, box.height) if box is not None else ""


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def describe(node):
    parts = [node.getRoleName().replace(" ", "-"), quote(node.name or "")]
    value = value_text(node)
    parts.append("value=" + quote(value) if value is not None else "value=(none)")
    if node.description:
        parts.append("desc=" + quote(node.description))
    labels = labelled_by(node)
    if labels:
        parts.append("labelled-by=" + quote(", ".join(labels)))
    box = extents(node)
    if box:
        parts.append(box)
    parts.append("{" + ",".join(state_names(node)) + "}")
    return " ".join(parts)


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                # Always ask the program itself: cached names and states go stale while we poll.
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        except GLib.GError:
            continue  # an application that left while we looked
    return None


def walk(node, depth=0, path="0"):
    """Yields (depth, path, node) for the node and everything below it."""
    yield depth, path, node
    try:
        count = node.childCount
    except GLib.GError:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except GLib.GError:
            continue
        if child is not None:
            yield from walk(child, depth + 1, path + "." + str(i))


def matches(node, args):
    if args.name is not None and (node.name or "") != args.name:
        return False
    if args.name_prefix is not None and not (node.name or "").startswith(args.name_prefix):
        return False
    if args.role is not None and node.getRoleName().replace(" ", "-") != args.role:
        return False
    if args.text is not None and value_text(node) != args.text:
        return False
    return all(name in state_names(node) for name in args.state)


def matching_lines(app, args):
    lines = []
    for depth, path, node in walk(app):
        try:
            if matches(node, args):
                lines.append(path + " " + describe(node))
        except GLib.GError:
            continue  # the node went away between listing and reading it
    return lines


# Roles a user reaches with Tab; each needs a name of its own, not just its contents.
NAMED_ROLES = ("text", "combo-box", "push-button", "check-box", "radio-button", "spin-button")


def inside(box, outer):
    return (box.x + box.width > outer.x and box.x < outer.x + outer.width
            and box.y + box.height > outer.y and box.y < outer.y + outer.height)


def problems(app):
    """One line per thing a screen reader user would miss or be misled by."""
    found = []
    for window in app:
        if window is not None:
            labels = {}
            check_subtree(window, "0.%d" % window.getIndexInParent(), box_of(window), labels, found)
            for name, lines in labels.items():
                if len(lines) > 1:
                    found += ["%d labels share one name: %s" % (len(lines), line) for line in lines]
    return found


def entry_names(combo):
    return {item.name for _, _, item in walk(combo) if item.getRoleName() == "list item"}


def check_subtree(node, path, window_box, labels, found):
    try:
        role = node.getRoleName().replace(" ", "-")
        states = state_names(node)
        if "showing" not in states:
            return  # nor is anything below it, whatever the children say (collapsed lists)
        line = path + " " + describe(node)
        box = box_of(node)
        off_view = box is not None and window_box is not None and not inside(box, window_box)
        if off_view and box.width > 0:
            hidden = sum(1 for _ in walk(node)) - 1
            found.append("reported showing but outside its window (with %d nodes below): %s"
                         % (hidden, line))
            return
        if role in NAMED_ROLES and not node.name:
            found.append("no name: " + line)
        if role == "combo-box" and node.name and node.name in entry_names(node):
            found.append("named only by its selected entry: " + line)
        if role == "label":
            labels.setdefault(node.name or "", []).append(line)
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                check_subtree(child, path + "." + str(i), window_box, labels, found)
    except GLib.GError:
        pass  # the node went away while we looked


def print_tree(app):
    for depth, path, node in walk(app):
        try:
            line = describe(node)
        except GLib.GError as error:
            line = "<gone: %s>" % error.message
        print("  " * depth + path + " " + line)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=("tree", "find", "wait", "gone", "focus", "problems"))
    parser.add_argument("--pid", type=int, required=True, help="process id of the program")
    parser.add_argument("--name")
    parser.add_argument("--name-prefix", help="the name starts with this (a time in it, say)")
    parser.add_argument("--role")
    parser.add_argument("--text")
    parser.add_argument("--state", action="append", default=[])
    parser.add_argument("--timeout", type=float, default=15.0, help="seconds, for wait and gone")
    args = parser.parse_args()
    if args.command == "focus":
        args.state.append("focused")

    polls = args.command in ("wait", "gone")
    deadline = time.monotonic() + (args.timeout if polls else 0)
    while True:
        app = find_app(args.pid)
        if app is not None:
            if args.command == "tree":
                print_tree(app)
                return 0
            if args.command == "problems":
                print("\n".join(problems(app)) or "no problems found")
                return 0
            lines = matching_lines(app, args)
            if args.command == "gone" and not lines:
                return 0
            if args.command == "focus" and lines:
                print(lines[-1])  # the innermost of the focused nodes: the one keys go to
                return 0
            if args.command != "gone" and lines:
                print("\n".join(lines))
                return 0
        if time.monotonic() >= deadline:
            break
        time.sleep(0.2)

    what = "no accessible application with process id %d" % args.pid
    if app is not None:
        what = "%s node matches" % ("a" if args.command == "gone" else "no")
        what += " name=%r name-prefix=%r role=%r text=%r states=%r" % (
            args.name, args.name_prefix, args.role, args.text, args.state)
    print("atspi_tree: %s" % what, file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
