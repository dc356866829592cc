#!/bin/sh
# Installs the build into a scratch prefix, unpacks the CPack archive into a scratch folder,
# checks both hold the same portable folder, starts the program from each offscreen and stops
# it with SIGTERM, and adds it to a scratch user's menu.
# usage: install_test.sh BUILD_DIR SCRATCH_DIR CMAKE CPACK
set -eu
build=$1
scratch=$2
cmake=$3
cpack=$4

. "$(dirname "$0")/scratch_user.sh"
scratch_user "$scratch"
XDG_CONFIG_HOME=$HOME/.config
XDG_DATA_HOME=$HOME/.local/share
export XDG_CONFIG_HOME XDG_DATA_HOME

id=org.norvalis.Norvalis

check_folder() {
    folder=$1
    for program in norvalis norvalis-cli add-to-menu.sh; do
        [ -x "$folder/$program" ] || fail "$folder/$program is missing or not executable"
    done
    for file in Norvalis.ini Norvalis.sample.ini $id.desktop share/metainfo/$id.metainfo.xml \
        icons/hicolor/scalable/apps/$id.svg; do
        [ -f "$folder/$file" ] || fail "$folder/$file is missing"
    done
    for size in 16 32 48 64 128 256; do
        [ -f "$folder/icons/hicolor/${size}x$size/apps/$id.png" ] ||
            fail "the ${size}x$size icon is missing from $folder"
    done
    # The log plugin is loaded from beside the program; what it needs must be found there too.
    [ -f "$folder/norvalis-log.so" ] || fail "$folder/norvalis-log.so is missing"
    if ldd "$folder/norvalis-log.so" | grep -F -q "not found"; then
        fail "$folder/norvalis-log.so needs a library that is not found"
    fi
    if readelf -d "$folder/norvalis-log.so" | grep -F -q "$build"; then
        fail "$folder/norvalis-log.so still names the build directory in its library path"
    fi
    # The programs must not look for libraries in the build tree.
    if readelf -d "$folder/norvalis" | grep -F -q "$build"; then
        fail "$folder/norvalis still names the build directory in its library path"
    fi
    readelf -d "$folder/norvalis" | grep -E -q 'R(UN)?PATH.*\$ORIGIN' ||
        fail "$folder/norvalis has no \$ORIGIN library path"
}

run_program() {
    folder=$1
    log=$scratch/run.log
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='norvalis.*=true' "$folder/norvalis" >"$log" 2>&1 &
    pid=$!
    # Wait for start-up to finish, then leave it running for two seconds.
    tries=0
    until grep -F -q "$folder/Norvalis.ini" "$log" || [ $tries -ge 100 ]; do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
        tries=$((tries + 1))
    done
    sleep 2
    kill -TERM "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
        cat "$log" >&2
        fail "norvalis in $folder ended with status $status after SIGTERM"
    fi
    if ! grep -F -q "$folder/Norvalis.ini" "$log"; then
        cat "$log" >&2
        fail "norvalis in $folder did not log the settings file beside it"
    fi
}

# 1. cmake --install into a fresh prefix.
prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$scratch/install.log")"
check_folder "$prefix"
cmp -s "$prefix/Norvalis.ini" "$prefix/Norvalis.sample.ini" ||
    fail "a first install must place the sample as Norvalis.ini"

# 2. A second install keeps the user's own settings file.
printf '[Period]\nP_1=Mine\n' >"$prefix/Norvalis.ini"
"$cmake" --install "$build" --prefix "$prefix" >>"$scratch/install.log" 2>&1 ||
    fail "the second cmake --install failed"
grep -q '^P_1=Mine$' "$prefix/Norvalis.ini" || fail "a second install replaced Norvalis.ini"

# 3. The archive unpacks into one folder with the same files.
"$cpack" -G TGZ --config "$build/CPackConfig.cmake" -B "$scratch/package" \
    >"$scratch/cpack.log" 2>&1 || fail "cpack failed: $(cat "$scratch/cpack.log")"
set -- "$scratch"/package/Norvalis-*.tar.gz
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one archive in $scratch/package"
archive=$1
mkdir "$scratch/unpacked"
tar -xzf "$archive" -C "$scratch/unpacked"
set -- "$scratch"/unpacked/*
[ $# -eq 1 ] && [ -d "$1" ] || fail "the archive must unpack into one folder"
unpacked=$1
check_folder "$unpacked"
(cd "$prefix" && find . | sort) >"$scratch/prefix.list"
(cd "$unpacked" && find . | sort) >"$scratch/unpacked.list"
diff "$scratch/prefix.list" "$scratch/unpacked.list" >&2 ||
    fail "the archive's folder and the installed folder differ"

# 4. The program runs where it is, finds the settings file beside it and ends cleanly.
run_program "$unpacked"
run_program "$prefix"

# 5. The menu entry names the folder's program and icon, also from a path with a blank.
moved="$scratch/moved folder"
cp -R "$unpacked" "$moved"
sh "$moved/add-to-menu.sh" >/dev/null || fail "add-to-menu.sh failed"
entry=$XDG_DATA_HOME/applications/$id.desktop
[ -f "$entry" ] || fail "add-to-menu.sh wrote no $entry"
grep -F -x -q "Exec=\"$moved/norvalis\"" "$entry" || fail "wrong Exec line: $(grep ^Exec "$entry")"
grep -F -x -q "Icon=$moved/icons/hicolor/256x256/apps/$id.png" "$entry" ||
    fail "wrong Icon line: $(grep ^Icon "$entry")"
grep -F -x -q "Name=Norvalis" "$entry" || fail "the entry lost its name"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "the written menu entry is not valid"
fi
sh "$moved/add-to-menu.sh" --remove >"$scratch/remove.out"
[ ! -e "$entry" ] || fail "add-to-menu.sh --remove left $entry"
grep -q "^Removed " "$scratch/remove.out" || fail "--remove did not say what it removed"
sh "$moved/add-to-menu.sh" --remove >"$scratch/remove.out"
grep -q "^Nothing to remove" "$scratch/remove.out" ||
    fail "--remove with no entry said: $(cat "$scratch/remove.out")"
sh "$moved/add-to-menu.sh" --help >"$scratch/help.out" || fail "add-to-menu.sh --help failed"
grep -q "^usage: " "$scratch/help.out" || fail "add-to-menu.sh --help printed no usage"

echo "archive $(basename "$archive"): $(wc -c <"$archive") bytes"
echo "install test passed"
