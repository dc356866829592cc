#!/bin/sh
# Runs a test program on a virtual X server with a window manager and the desktop's
# accessibility bus, so that Qt's accessibility bridge is active and accessibility events
# reach the test. Usage: run-with-accessibility-bus.sh <program> [arguments...]
set -eu
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run xprop dbus-send dbus-run-session openbox "$launcher"; do
    command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || {
        echo "missing $tool (see scripts/install-deps.sh)" >&2
        exit 1
    }
done
# The test fails, rather than skips, when the bridge is not active after all.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NORVALIS_REQUIRE_ACCESSIBILITY=1
exec xvfb-run -a dbus-run-session -- sh -c '
    "$0" --launch-immediately >/dev/null 2>&1 &
    openbox >/dev/null 2>&1 &
    # Wait until the accessibility bus has its name and the window manager has taken the
    # screen (it announces itself on the root window), rather than for a fixed time that a
    # busy machine may not meet.
    ready() {
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true &&
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
    }
    i=0
    until ready || [ $i -ge 200 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    "$@"
' "$launcher" "$@"
