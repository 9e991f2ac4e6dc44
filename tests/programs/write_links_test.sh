#!/usr/bin/env bash
# What an output file was survives its writing, and write protection holds. An open descriptor
# (/dev/stdout, /proc/self/fd/N) is written as it is open: appending stays appending, the file is
# not replaced. A hard link keeps both names on the new content; a dangling symbolic link gets its
# target created; ACL entries and extended attributes stay. As an ordinary user (a throwaway user
# made and removed by this test): one's own read-only file is refused, another user's file is
# refused or written in place but never taken over, a writable file in a folder one cannot write is
# written, a new one there is refused in words. A socket and a closed standard output are said in
# words. Where the machine refuses (no root for useradd, no ACL tools) those cases say SKIP.
set -euo pipefail
bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}
test_name=write_links_test
unset XDG_RUNTIME_DIR DISPLAY WAYLAND_DISPLAY

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d /tmp/$test_name.XXXXXX)
user=
other=
group=
cleanup() {
  [ -n "$user" ] && userdel "$user" 2>/dev/null
  [ -n "$other" ] && userdel "$other" 2>/dev/null
  [ -n "$group" ] && groupdel "$group" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
varactor=$bin/varactor

# expect_failure CODE LINE COMMAND...: the command exits with CODE and says exactly LINE.
expect_failure() {
  local code=$1 line=$2 status=0
  shift 2
  timeout 60 "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$code" ] || fail "$* ended with $status, not $code: $(cat "$work/err")"
  [ "$(cat "$work/err")" = "$line" ] || fail "$* said \"$(cat "$work/err")\", not \"$line\""
}

inode() { stat -c %i "$1"; }

"$varactor" --export-csv "$work/curves.csv"
csv_lines=$(wc -l <"$work/curves.csv")

# An open descriptor is written as it is open. The log's earlier lines stay.
printf 'line 1\nline 2\n' >log.txt
before=$(inode log.txt)
"$varactor" --export-csv /dev/stdout >>log.txt || fail "--export-csv /dev/stdout >>log.txt failed"
[ "$(head -n 2 log.txt)" = "$(printf 'line 1\nline 2')" ] || fail "the log's earlier lines are gone"
[ "$(wc -l <log.txt)" -eq $((csv_lines + 2)) ] || fail "the log holds $(wc -l <log.txt) lines"
[ "$(inode log.txt)" = "$before" ] || fail "the log was replaced"
# The same through a link to /dev/stdout, and with "-".
ln -s /dev/stdout to-stdout
"$varactor" --export-csv to-stdout >>log.txt || fail "a link to /dev/stdout failed"
"$varactor" --export-csv - >>log.txt || fail "--export-csv - >>log.txt failed"
[ "$(wc -l <log.txt)" -eq $((3 * csv_lines + 2)) ] || fail "the appends did not all arrive"
[ -L to-stdout ] || fail "the link to /dev/stdout was replaced"

# A descriptor the shell goes on writing to: the picture goes into the file the shell writes.
exec 7>>log3.txt
echo before >&7
before=$(inode log3.txt)
"$varactor" --render /proc/self/fd/7 || fail "--render /proc/self/fd/7 failed"
echo after >&7
exec 7>&-
[ "$(inode log3.txt)" = "$before" ] || fail "log3.txt was replaced"
[ "$(head -n 1 log3.txt)" = before ] && [ "$(tail -c 6 log3.txt)" = after ] || fail "log3.txt lost the shell's lines"
[ "$(head -c 11 log3.txt | tail -c 3)" = PNG ] || fail "the picture is not in log3.txt"

# --render - writes the picture to standard output.
"$varactor" --render - --format png >piped.png || fail "--render - --format png failed"
[ "$(head -c 4 piped.png | tail -c 3)" = PNG ] || fail "--render - wrote no PNG"
"$varactor" --render - --format svg >piped.svg || fail "--render - --format svg failed"
grep -q '<svg' piped.svg || fail "--render - --format svg wrote no SVG"
expect_failure 2 "varactor: --render - writes the picture to standard output and needs its format: add --format png (or svg, pdf, ...)" \
  "$varactor" --render -
[ ! -e ./- ] || fail "a file named - was written"

# Hard links keep both names on the new content.
echo old >h1.png
ln h1.png h2.png
"$varactor" --render h1.png || fail "rendering over a hard link failed"
cmp -s h1.png h2.png || fail "the second name kept the old bytes"
[ "$(stat -c %h h1.png)" -eq 2 ] || fail "the link was broken"
[ "$(head -c 4 h2.png | tail -c 3)" = PNG ] || fail "the linked file holds no PNG"

# A dangling symbolic link gets its target created; the link stays.
mkdir made
ln -s made/target.svg dangling.svg
"$varactor" --render dangling.svg || fail "rendering through a dangling link failed"
[ -L dangling.svg ] || fail "the dangling link was replaced by a file"
grep -q '<svg' made/target.svg || fail "the link's target was not created"

# A socket and a closed standard output are said in words.
python3 -c "import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])" "$work/sock"
expect_failure 1 "varactor: cannot write '$work/sock': it is a socket, not a file" "$varactor" --export-csv "$work/sock"
status=0
"$varactor" --export-csv - >&- 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "a closed standard output ended with $status"
[ "$(cat "$work/err")" = "varactor: cannot write to standard output: standard output is closed" ] ||
  fail "a closed standard output said \"$(cat "$work/err")\""

# ACL entries and extended attributes stay on the replaced file.
if ! command -v setfacl >/dev/null || ! echo acl >acl.png || ! setfacl -m u:nobody:r acl.png 2>/dev/null ||
  ! setfattr -n user.lecture -v 3 acl.png 2>/dev/null; then
  echo "$test_name: SKIP: no ACLs or extended attributes here; that case did not run"
else
  acl_before=$(getfacl -c acl.png)
  mode_before=$(stat -c %a acl.png)
  "$varactor" --render acl.png || fail "rendering over a file with an ACL failed"
  [ "$(getfacl -c acl.png)" = "$acl_before" ] || fail "the ACL changed: $(getfacl -c acl.png)"
  [ "$(stat -c %a acl.png)" = "$mode_before" ] || fail "the mode changed to $(stat -c %a acl.png)"
  [ "$(getfattr --only-values -n user.lecture acl.png)" = 3 ] || fail "the extended attribute was lost"
  [ "$(head -c 4 acl.png | tail -c 3)" = PNG ] || fail "the file with an ACL holds no PNG"
fi

# Write protection, as an ordinary user.
if [ "$(id -u)" -ne 0 ] || ! command -v useradd >/dev/null || ! command -v setpriv >/dev/null; then
  echo "$test_name: SKIP: the cases of an ordinary user need root to make one; they did not run"
  echo "$test_name: passed"
  exit 0
fi
user=vtw$$
other=vto$$
group=vtg$$
useradd -M -N -s /usr/sbin/nologin "$user" || fail "useradd refused"
useradd -M -N -s /usr/sbin/nologin "$other" || fail "useradd refused"
groupadd "$group" || fail "groupadd refused"
usermod -a -G "$group" "$user"
# "${as_user[@]}" COMMAND... runs the command as the test's user, "${as_other[@]}" as the other.
as_user=(setpriv --reuid="$user" --regid="$(id -g "$user")" --init-groups)
as_other=(setpriv --reuid="$other" --regid="$(id -g "$other")" --init-groups)
chmod 0755 "$work"
shared=$work/shared
mkdir -m 0777 "$shared"

# One's own read-only file: refused, as vim refuses without "!".
"${as_user[@]}" sh -c "echo mine >'$shared/mine.csv'; chmod 0444 '$shared/mine.csv'"
expect_failure 1 "varactor: cannot write '$shared/mine.csv': it is read-only" "${as_user[@]}" "$varactor" --export-csv "$shared/mine.csv"
[ "$(cat "$shared/mine.csv")" = mine ] || fail "the read-only file changed"
"${as_user[@]}" sh -c "echo mine >'$shared/mine.png'; chmod 0444 '$shared/mine.png'"
expect_failure 1 "varactor: cannot write '$shared/mine.png': it is read-only" "${as_user[@]}" "$varactor" --render "$shared/mine.png"
[ "$(cat "$shared/mine.png")" = mine ] || fail "the read-only picture changed"

# Another user's file that one cannot write, in a folder anyone may write: refused, not taken.
"${as_other[@]}" sh -c "echo theirs >'$shared/theirs.csv'; chmod 0644 '$shared/theirs.csv'"
expect_failure 1 "varactor: cannot write '$shared/theirs.csv': it belongs to another user" \
  "${as_user[@]}" "$varactor" --export-csv "$shared/theirs.csv"
[ "$(cat "$shared/theirs.csv")" = theirs ] && [ "$(stat -c %U "$shared/theirs.csv")" = "$other" ] ||
  fail "another user's file was taken over"

# Another user's group-writable setgid file: written in place, it stays theirs and the group's.
"${as_other[@]}" sh -c "echo shared >'$shared/group.csv'"
chgrp "$group" "$shared/group.csv"
chmod 2775 "$shared/group.csv"
"${as_user[@]}" "$varactor" --export-csv "$shared/group.csv" 2>"$work/err" || fail "a group-writable file failed: $(cat "$work/err")"
cmp -s "$shared/group.csv" "$work/curves.csv" || fail "the group-writable file did not get the curves"
[ "$(stat -c '%U %G' "$shared/group.csv")" = "$other $group" ] ||
  fail "the group-writable file now belongs to $(stat -c '%U %G' "$shared/group.csv")"
# (The kernel clears the setgid bit whenever anyone but its owner writes the file, as with ">>".)
[ "$(stat -c %a "$shared/group.csv")" = 775 ] || fail "the group-writable file's mode is $(stat -c %a "$shared/group.csv")"

# A writable file in a folder one cannot write: written in place, as ">>" writes there.
mkdir -m 0755 "$work/locked"
echo old >"$work/locked/open.csv"
chmod 0666 "$work/locked/open.csv"
"${as_user[@]}" "$varactor" --export-csv "$work/locked/open.csv" 2>"$work/err" ||
  fail "a writable file in a locked folder failed: $(cat "$work/err")"
cmp -s "$work/locked/open.csv" "$work/curves.csv" || fail "the writable file in a locked folder did not get the curves"
expect_failure 1 "varactor: cannot write '$work/locked/new.csv': the folder '$work/locked' does not allow creating files in it" \
  "${as_user[@]}" "$varactor" --export-csv "$work/locked/new.csv"

# A sticky folder: another user's writable file is written in place and stays theirs.
mkdir -m 1777 "$work/sticky"
"${as_other[@]}" sh -c "echo old >'$work/sticky/s.csv'; chmod 0666 '$work/sticky/s.csv'"
"${as_user[@]}" "$varactor" --export-csv "$work/sticky/s.csv" 2>"$work/err" || fail "a sticky folder's file failed: $(cat "$work/err")"
cmp -s "$work/sticky/s.csv" "$work/curves.csv" && [ "$(stat -c %U "$work/sticky/s.csv")" = "$other" ] ||
  fail "the sticky folder's file was not written in place"
[ "$(ls -A "$work/sticky" "$work/locked" "$shared" | grep -c zeph || true)" -eq 0 ] || fail "fresh files were left behind"
echo "$test_name: passed"
