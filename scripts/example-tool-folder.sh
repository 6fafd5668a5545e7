# Sourced by the screenshot scripts: makes /tmp/printer-setup a tool folder of the examples (the
# working copy their parameter list), removed again when the script ends. The fixed place keeps the
# paths in the pictures free of any folder of the machine they were taken on.
# Sets: folder.
folder=/tmp/printer-setup
if ! mkdir "$folder" 2>/dev/null; then
  echo "$folder is in use: remove it first" >&2
  exit 1
fi
trap 'rm -rf "$folder"' EXIT
cp "$root"/examples/* "$folder/"
cp "$folder/params.ini" "$folder/TrelDefault.ini"
