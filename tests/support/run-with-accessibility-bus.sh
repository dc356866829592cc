#!/bin/sh
# Runs a test program on a virtual X server with a window manager and the desktop's
# accessibility bus, so that Qt's accessibility bridge is active and accessibility events
# reach the test. Usage: run-with-accessibility-bus.sh <program> [arguments...]
set -eu
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run dbus-run-session openbox "$launcher"; do
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
    sleep 2
    "$@"
' "$launcher" "$@"
