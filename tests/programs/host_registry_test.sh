#!/usr/bin/env bash
# The registry stand-in against planted links: the host server that publishes its handle writes
# nothing outside the store, and says why it could not write (and then announces no handle). With
# HOME unset, the store is not looked for in a shared folder.
source "$(dirname "$0")/host_common.sh"

store=$LEXIVO_REGISTRY_DIR
key=$store/hkey_local_machine/software/tarnell/ostrel/demon
mkdir -p "$store" "$work/outside"
chmod 700 "$store"
echo precious >"$work/victim"

# A key directory that is a link to another folder.
ln -s "$work/outside" "$store/hkey_local_machine"
# The server that cannot record its handle does not announce it: it says why and ends.
timeout 60 "$bin/hostserver" --handle 1111 </dev/null >"$work/linked.log" 2>&1 &&
  fail "a server ran with a handle it could not record"
! grep -q "^handle" "$work/linked.log" || fail "a handle that nobody can find was announced"
grep -q "cannot write the registry value: " "$work/linked.log" || fail "no word about the registry"
grep -q "lexivo: the registry directory $store/hkey_local_machine is not a directory of this user" \
  "$work/linked.log" || fail "the refused directory is not named"
[ -z "$(ls -A "$work/outside")" ] || fail "written outside the store: $(ls -A "$work/outside")"
rm "$store/hkey_local_machine"

# A value that is a link to a file of the user's.
mkdir -p "$key"
ln -s "$work/victim" "$key/viewerhandle.value"
start_server planted --handle 2222
[ "$(cat "$work/victim")" = precious ] || fail "the value was written through a link"
[ ! -L "$key/viewerhandle.value" ] && [ "$(cat "$key/viewerhandle.value")" = 2222 ] ||
  fail "the value did not replace the link"
[ "$(find "$store" -name '.*' -type f | wc -l)" = 0 ] || fail "temporary files left: $(find "$store" -name '.*')"
echo shutdown >&"$planted_fd"
wait_exit "$planted_pid" || fail "the server ended with an error"

# Without HOME (nor any other hint) the store is the one in the password database's home, never
# a shared folder: here a user whose home does not exist cannot have one at all.
if [ "$(id -u)" = 0 ]; then
  mkdir -p "$work/nobody-run"
  chown 65534:65534 "$work/nobody-run"
  chmod 700 "$work/nobody-run"
  chmod 755 "$work"
  before=$(find /tmp -maxdepth 3 -newer "$work/victim" -user 65534 -not -path "$work*" 2>/dev/null | wc -l)
  env -u HOME -u XDG_CONFIG_HOME -u LEXIVO_REGISTRY_DIR LEXIVO_RUNTIME_DIR="$work/nobody-run/run" \
    setpriv --reuid=65534 --regid=65534 --clear-groups "$bin/hostserver" --handle 3333 --no-registry \
    </dev/null >"$work/nobody.log" 2>&1 &
  nobody_pid=$!
  pids+=($nobody_pid)
  wait_for "$work/nobody.log" "handle 3333"
  kill -TERM "$nobody_pid"
  wait_exit "$nobody_pid" || fail "the server of another user ended with an error"
  env -u HOME -u XDG_CONFIG_HOME -u LEXIVO_REGISTRY_DIR LEXIVO_RUNTIME_DIR="$work/nobody-run/run" \
    setpriv --reuid=65534 --regid=65534 --clear-groups timeout 60 "$bin/hostserver" --handle 4444 \
    </dev/null >"$work/nobody-publish.log" 2>&1 && fail "a server without a registry announced its handle"
  ! grep -q "^handle" "$work/nobody-publish.log" || fail "a handle that nobody can find was announced"
  grep -q "cannot write the registry value" "$work/nobody-publish.log" || fail "a store was found without a home"
  after=$(find /tmp -maxdepth 3 -newer "$work/victim" -user 65534 -not -path "$work*" 2>/dev/null | wc -l)
  [ "$before" = "$after" ] || fail "a user without a home wrote into /tmp"
fi
echo "host registry test passed"
