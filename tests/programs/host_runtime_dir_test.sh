#!/usr/bin/env bash
# A runtime directory that cannot be used: the program refuses it with the box text of old and the
# system's reason, and names the directory with the reason (mode, type, owner) on standard error.
source "$(dirname "$0")/host_common.sh"
unset LEXIVO_RUNTIME_DIR
export XDG_RUNTIME_DIR=$work/xdg
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
squatted=$XDG_RUNTIME_DIR/lexivo

# try REASON: the client cannot start and says why.
try() {
  "$bin/hostclient" </dev/null >"$work/client.log" 2>&1 && fail "started with an unusable runtime directory"
  grep -qx "error Could not create window handle: Permission denied." "$work/client.log" || fail "not the box text: $(cat "$work/client.log")"
  grep -qF "lexivo: the runtime directory $squatted $1" "$work/client.log" ||
    fail "the reason \"$1\" is not given: $(cat "$work/client.log")"
}

mkdir -m 755 "$squatted"
try "has mode 0755; other users must not have access to it (0700)"
rmdir "$squatted"
ln -s "$work" "$squatted"
try "is a symbolic link, not a directory"
rm "$squatted"
if [ "$(id -u)" = 0 ]; then
  mkdir -m 700 "$squatted"
  chown 65534:65534 "$squatted"
  try "belongs to user 65534, not to this user (0)"
fi
echo "host runtime directory test passed"
