#!/bin/sh
# Adds Norvalis to the desktop's application menu for this user, pointing at the program in the
# folder this script is in; run it again after moving the folder. "--remove" takes it out again.
set -eu

id=org.norvalis.Norvalis
folder=$(cd "$(dirname "$0")" && pwd -P)
menu_dir=${XDG_DATA_HOME:-$HOME/.local/share}/applications
entry=$menu_dir/$id.desktop

usage_text() {
    echo "usage: $0 [--remove | --help]"
    echo "Adds Norvalis in this folder to your desktop's application menu ($entry);"
    echo "--remove takes the entry out again."
}

usage() {
    usage_text >&2
    exit 2
}

# One argument of the Exec key: quoted, with the characters special inside quotes escaped,
# "%" doubled, and then every backslash doubled again as the key is a string.
exec_argument() {
    printf '"%s"' "$(printf '%s' "$1" | sed -e 's/[\\"`$]/\\&/g' -e 's/%/%%/g' -e 's/\\/\\\\/g')"
}

string_value() {
    printf '%s' "$1" | sed -e 's/\\/\\\\/g'
}

case $# in
0) ;;
1) case $1 in
   --help|-h) usage_text
              exit 0 ;;
   --remove) if [ -e "$entry" ] || [ -L "$entry" ]; then
                 rm -f "$entry"
                 echo "Removed $entry"
             else
                 echo "Nothing to remove: there is no menu entry $entry"
             fi
             exit 0 ;;
   *) usage ;;
   esac ;;
*) usage ;;
esac

case $folder in
*"
"*) echo "The folder's path holds a line break, which a menu entry cannot name: $folder" >&2
    exit 1 ;;
esac
if [ ! -x "$folder/norvalis" ] || [ ! -f "$folder/$id.desktop" ]; then
    echo "This script must stay in the Norvalis folder beside norvalis and $id.desktop." >&2
    exit 1
fi

mkdir -p "$menu_dir"
tmp=$(mktemp "$menu_dir/.$id.XXXXXX")
trap 'rm -f "$tmp"' EXIT
EXEC_LINE="Exec=$(exec_argument "$folder/norvalis")" \
ICON_LINE="Icon=$(string_value "$folder/icons/hicolor/256x256/apps/$id.png")" \
    awk '/^Exec=/ { print ENVIRON["EXEC_LINE"]; next }
         /^Icon=/ { print ENVIRON["ICON_LINE"]; next }
         { print }' "$folder/$id.desktop" >"$tmp"
chmod 644 "$tmp"
mv "$tmp" "$entry"
trap - EXIT
if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database "$menu_dir" >/dev/null 2>&1 || true
fi
echo "Added $entry"
