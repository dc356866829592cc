#!/bin/sh
# Builds the Debian package with CPack and checks it: the control fields, the file list, lintian
# (when installed), and the programs unpacked into a scratch root with dpkg-deb -x: they start,
# find the log plugin in their own lib folder, and use the per-user settings file (also when
# run as root), unless a Norvalis.ini is beside them.
# usage: debian_package_test.sh BUILD_DIR SCRATCH_DIR CPACK VERSION PLUGIN_DIR FILE_LIST
set -eu
build=$1
scratch=$2
cpack=$3
version=$4
plugin_dir=$5 # below /usr, as the build names it
file_list=$6

. "$(dirname "$0")/scratch_user.sh"
scratch_user "$scratch"
# The default configuration and data folders, below the scratch home.
unset XDG_CONFIG_HOME XDG_DATA_HOME
export QT_QPA_PLATFORM=offscreen

# 1. The package, named as Debian names it.
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" \
    >"$scratch/cpack.log" 2>&1 || fail "cpack -G DEB failed: $(cat "$scratch/cpack.log")"
arch=$(dpkg --print-architecture)
deb=$scratch/package/norvalis_${version}_$arch.deb
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$scratch/package")"
[ "$(find "$scratch/package" -maxdepth 1 -name '*.deb' | wc -l)" -eq 1 ] ||
    fail "more than one package was made"

# 2. The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = norvalis ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
case $(field Section) in science | misc) ;; *) fail "Section: $(field Section)" ;; esac
field Maintainer | grep -E -q '^[^<]+ <[^@ ]+@[^> ]+>$' || fail "Maintainer: $(field Maintainer)"
[ "$(field Description | wc -l)" -eq 3 ] ||
    fail "the description is not a synopsis and two lines: $(field Description)"
depends=$(field Depends)
names=$(echo "$depends" | tr ',' '\n' | sed -E 's/^ *([^ ]+).*/\1/')
# dpkg-shlibdeps found the libraries the programs link; the plugins Qt loads are named by hand.
for package in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6sql6 qt6-qpa-plugins \
    libqt6sql6-sqlite; do
    echo "$names" | grep -F -x -q "$package" || fail "Depends lacks $package: $depends"
done
# A package named by hand that the tool finds too would appear twice.
repeated=$(echo "$names" | sort | uniq -d)
[ -z "$repeated" ] || fail "Depends names $repeated twice: $depends"

# 3. The files, with Debian's owners and modes.
dpkg-deb -c "$deb" >"$scratch/contents"
awk '$1 !~ /^d/ { print $6 }' "$scratch/contents" | sed 's|^\./||' | sort >"$scratch/files"
sed "s|@PLUGIN_DIR@|$plugin_dir|" "$file_list" | sort >"$scratch/expected"
diff "$scratch/expected" "$scratch/files" >&2 || fail "the package's files differ from $file_list"
awk '$2 != "root/root" { print "owner " $2 ": " $6 }
     $1 ~ /^-/ && $6 ~ /^\.\/usr\/bin\// && $1 != "-rwxr-xr-x" { print "mode " $1 ": " $6 }
     $1 ~ /^-/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--" { print "mode " $1 ": " $6 }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "mode " $1 ": " $6 }' "$scratch/contents" \
    >"$scratch/wrong-modes"
[ ! -s "$scratch/wrong-modes" ] || fail "owners or modes: $(cat "$scratch/wrong-modes")"

# 4. lintian, where it is installed: no errors.
if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 ||
        fail "lintian found errors: $(cat "$scratch/lintian.log")"
    echo "lintian: $(grep -c '^[EW]:' "$scratch/lintian.log" || true) errors and warnings"
else
    echo "lintian is not installed: skipped"
fi

# 5. Unpacked into a scratch root, the files are what the desktop and man expect.
root=$scratch/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr
zcat "$usr/share/doc/norvalis/changelog.gz" | head -n 1 | grep -F -q "norvalis ($version)" ||
    fail "the changelog's newest entry is not version $version"
[ -f "$usr/share/doc/norvalis/Norvalis-manual.html" ] || fail "the manual's link in doc/ is broken"
grep -x -q 'Exec=norvalis' "$usr/share/applications/org.norvalis.Norvalis.desktop" ||
    fail "the desktop entry does not start /usr/bin/norvalis"
if command -v desktop-file-validate >/dev/null 2>&1 && command -v appstreamcli >/dev/null 2>&1
then
    desktop-file-validate "$usr/share/applications/org.norvalis.Norvalis.desktop" ||
        fail "desktop-file-validate"
    appstreamcli validate --no-net "$usr/share/metainfo/org.norvalis.Norvalis.metainfo.xml" \
        >"$scratch/appstream.log" 2>&1 || fail "appstreamcli: $(cat "$scratch/appstream.log")"
fi
if command -v man >/dev/null 2>&1; then
    for page in norvalis norvalis-cli; do
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
            man --warnings -E UTF-8 -l -Tutf8 -Z "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man $page: $warnings"
    done
fi
# The window program's manual page names every option its --help does.
zcat "$usr/share/man/man1/norvalis.1.gz" | sed 's/\\-/-/g' >"$scratch/norvalis.1"
for option in $("$usr/bin/norvalis" --help | grep -o -E -- '(^| )--?[a-z][a-z-]*' | tr -d ' '); do
    grep -F -q -e "$option" "$scratch/norvalis.1" || fail "man norvalis lacks $option"
done
for program in bin/norvalis bin/norvalis-cli "$plugin_dir/norvalis-log.so"; do
    if readelf -d "$usr/$program" | grep -E -q 'R(UN)?PATH'; then
        fail "$program keeps a library search path"
    fi
    if ldd "$usr/$program" | grep -F -q "not found"; then
        fail "$program needs a library that is not found"
    fi
done

# 6. The unpacked programs run.
[ "$("$usr/bin/norvalis" --version)" = "Norvalis $version" ] || fail "norvalis --version"
[ "$("$usr/bin/norvalis-cli" --version)" = "norvalis-cli $version" ] ||
    fail "norvalis-cli --version"

# 7. They use the user's own settings file, named by both helps, also as root.
per_user=$HOME/.config/Norvalis/Norvalis.ini
[ "$("$usr/bin/norvalis-cli" --help | tail -n 1)" = "Settings file: $per_user" ] ||
    fail "norvalis-cli --help ends: $("$usr/bin/norvalis-cli" --help | tail -n 1)"
"$usr/bin/norvalis" --help | grep -F -q "$per_user" ||
    fail "norvalis --help does not name $per_user: $("$usr/bin/norvalis" --help)"
[ "$(XDG_CONFIG_HOME=$scratch/xdg "$usr/bin/norvalis-cli" --help | tail -n 1)" = \
    "Settings file: $scratch/xdg/Norvalis/Norvalis.ini" ] || fail "XDG_CONFIG_HOME is not followed"
echo "settings file of the unpacked program, run as user $(id -u): $per_user"

# 8. The log. The window program loads the log plugin from the package's lib folder once its
# window is painted, when there is a logbook (an empty file is an empty one), and writes no
# settings file; then norvalis-cli reads the empty logbook.
logbook=$HOME/.local/share/Norvalis/Norvalis-log.sqlite
mkdir -p "$(dirname "$logbook")"
: >"$logbook"
QT_LOGGING_RULES='norvalis.*=true' "$usr/bin/norvalis" >"$scratch/run.log" 2>&1 &
pid=$!
plugin=$usr/$plugin_dir/norvalis-log.so
tries=0
until grep -F -q "$plugin" "/proc/$pid/maps" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null || break
    [ $tries -lt 150 ] || break
    sleep 0.1
    tries=$((tries + 1))
done
loaded=no
grep -F -q "$plugin" "/proc/$pid/maps" 2>/dev/null && loaded=yes
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "norvalis ended with status $status: $(cat "$scratch/run.log")"
[ $loaded = yes ] || fail "norvalis did not load $plugin: $(cat "$scratch/run.log")"
grep -F -q "settings file $per_user" "$scratch/run.log" ||
    fail "norvalis did not read $per_user: $(cat "$scratch/run.log")"
[ ! -e "$per_user" ] || fail "starting and ending the program wrote $per_user"
"$usr/bin/norvalis-cli" log --json >"$scratch/log.out" 2>"$scratch/log.err" ||
    fail "norvalis-cli log failed: $(cat "$scratch/log.err")"
[ "$(cat "$scratch/log.out")" = "[]" ] ||
    fail "norvalis-cli log --json printed $(cat "$scratch/log.out") $(cat "$scratch/log.err")"

# 9. The user's file is read; one beside the program wins and is named.
mkdir -p "$(dirname "$per_user")"
printf '[Period]\nP_1=Mine\n' >"$per_user"
[ "$("$usr/bin/norvalis-cli" periods)" = Mine ] || fail "the per-user file was not read"
cp "$(dirname "$file_list")/../../resources/Norvalis.sample.ini" "$usr/bin/Norvalis.ini"
[ "$("$usr/bin/norvalis-cli" periods | head -n 1)" = Breakfast ] ||
    fail "the file beside the program did not win"
[ "$("$usr/bin/norvalis-cli" --help | tail -n 1)" = "Settings file: $usr/bin/Norvalis.ini" ] ||
    fail "the help does not name the file beside the program"

echo "package $(basename "$deb"): $(wc -c <"$deb") bytes"
echo "debian package test passed"
