#!/usr/bin/env bash
# File names reach the file system byte for byte: a name that is no UTF-8 writes that very file,
# never one whose name reads the same once decoded (rep\xff.csv is not rep\uFFFD.csv, nor
# rep\xfe.csv); --language reads such a file; messages show the name as it was given. Names up
# to the file system's limit of 255 bytes work, longer ones are refused in the system's words.
set -euo pipefail
bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}
test_name=write_names_test
unset XDG_RUNTIME_DIR DISPLAY WAYLAND_DISPLAY
export LC_ALL=C.UTF-8

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d /tmp/$test_name.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
varactor=$bin/varactor

"$varactor" --export-csv curves.csv

# Names that are no UTF-8: each writes its own file, the one with U+FFFD stays as it was.
echo other >$'rep\xef\xbf\xbd.csv'
"$varactor" --export-csv $'rep\xff.csv' || fail "a name with the byte 0xff failed"
"$varactor" --export-csv $'rep\xfe.csv' --position 500 || fail "a name with the byte 0xfe failed"
[ "$(cat $'rep\xef\xbf\xbd.csv')" = other ] || fail "the file named with U+FFFD was written over"
cmp -s $'rep\xff.csv' curves.csv || fail "rep\\xff.csv was not written as asked"
[ -f $'rep\xfe.csv' ] && ! cmp -s $'rep\xfe.csv' curves.csv || fail "the two names became one file"
[ "$(find . -maxdepth 1 -name 'rep*' | wc -l)" -eq 3 ] || fail "the folder holds $(ls -A)"
"$varactor" --render $'pic\xe9.svg' || fail "a Latin-1 name failed"
grep -q '<svg' $'pic\xe9.svg' || fail "the picture was not written under its Latin-1 name"

# A message names the file with its bytes.
echo kept >$'ro\xff.csv'
chmod 0444 $'ro\xff.csv'
status=0
"$varactor" --export-csv $'ro\xff.csv' 2>err || status=$?
[ "$status" -eq 1 ] || fail "a read-only file ended with $status"
[ "$(cat err)" = $'varactor: cannot write \'ro\xff.csv\': it is read-only' ] || fail "the message was \"$(cat err)\""

# --language reads a file whose name is no UTF-8, and names a missing one as it was given.
printf '[$dlglanguage$]=lgenglish|$$\r\n' >$'lang\xff.itl'
"$varactor" --language "$work"/$'lang\xff.itl' --export-csv lang.csv 2>err || fail "--language with such a name failed: $(cat err)"
status=0
"$varactor" --language "$work"/$'gone\xff.itl' --export-csv lang.csv 2>err || status=$?
[ "$status" -eq 2 ] || fail "a missing language file ended with $status"
[ "$(cat err)" = "varactor: --language: cannot read the language file '$work/"$'gone\xff.itl'"'" ] ||
  fail "the missing language file was said as \"$(cat err)\""

# Names up to 255 bytes, in every format and over an old file; 256 bytes are too long.
long=$(printf 'n%.0s' $(seq 251))
for ext in png pdf svg csv wav; do
  echo old >"$long.$ext"
  case $ext in
    csv) "$varactor" --export-csv "$long.$ext" ;;
    wav) "$varactor" --sonify "$long.$ext" ;;
    *) "$varactor" --render "$long.$ext" ;;
  esac 2>err || fail "a name of 255 bytes (.$ext) failed: $(cat err)"
  [ "$(stat -c %s "$long.$ext")" -gt 4 ] || fail "the file of 255 bytes (.$ext) was not written"
done
status=0
"$varactor" --export-csv "${long}x.csv" 2>err || status=$?
[ "$status" -eq 1 ] && [ "$(cat err)" = "varactor: cannot write '${long}x.csv': File name too long" ] ||
  fail "a name of 256 bytes ended with $status: $(cat err)"
[ "$(ls -A | grep -c '^\.')" -eq 0 ] || fail "fresh files were left: $(ls -A)"
echo "$test_name: passed"
