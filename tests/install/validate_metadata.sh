#!/bin/sh
# Validates the desktop entry and the AppStream metadata with the desktop's own tools; skips
# (exit 77) where those tools are not installed (packages desktop-file-utils, appstream).
set -eu
desktop=$1
metainfo=$2
if ! command -v desktop-file-validate >/dev/null 2>&1 || ! command -v appstreamcli >/dev/null 2>&1
then
    echo "desktop-file-validate or appstreamcli missing: skipped"
    exit 77
fi
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
