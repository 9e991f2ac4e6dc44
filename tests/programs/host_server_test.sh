#!/usr/bin/env bash
# The client component against the stand-in host server, as separate processes: registration,
# the language file from the server, the queries, quit with and without the server going down,
# and a server that dies in the middle of a request.
source "$(dirname "$0")/host_common.sh"

mkdir -p "$work/serve" "$work/area"
printf '[Greeting]=Served greeting|$$\r\n' >"$work/serve/hostclient.itl"
: >"$work/serve/empty.ico"
start_server server --serve "$work/serve" --work-area "$work/area" --set Colour=blue --string ping=pong
[ "$(cat "$LEXIVO_REGISTRY_DIR"/hkey_local_machine/software/tarnell/ostrel/demon/viewerhandle.value)" = \
  "$(sed -n 's/^handle //p' "$work/server.log")" ] || fail "the handle is not in the registry"

export HOSTCLIENT_USE_SERVER=1
start_client one first "/serverhandle=ignored" second
wait_for "$work/one.log" "ready "
grep -qx "caption Served greeting" "$work/one.log" || fail "language file not taken from the server"
grep -qx "params 2" "$work/one.log" || fail "the switch was counted as a parameter"
handle=$(sed -n 's/^ready //p' "$work/one.log")
wait_for "$work/server.log" "register $handle hostclient"

printf '%s\n' "var OstrelWorkArea" "var Colour" "query ping" "file empty.ico" "file nothing.ico" \
  "handle $handle" 'exec sh 1 -c "exit 5"' "exec /no/such/program 0" >&"$one_fd"
wait_for "$work/one.log" "error Could not execute \"/no/such/program.\""
grep -qx "var $work/area/" "$work/one.log" || fail "work area"
grep -qx "var blue" "$work/one.log" || fail "variable"
grep -qx "query pong" "$work/one.log" || fail "query string"
grep -qx "file 0 " "$work/one.log" || fail "empty file is no stream"
grep -qx "file none" "$work/one.log" || fail "missing file gave a stream"
grep -q "^handle $handle hostclient " "$work/one.log" || fail "find by handle"
grep -qx "exec 5" "$work/one.log" || fail "exit code of a program the server started"

# quit: the client unregisters, then ends.
echo quit >&"$server_fd"
wait_for "$work/one.log" "ended"
grep -qx "quit server-down 0" "$work/one.log" || fail "quit event"
wait_exit "$one_pid" || fail "client ended with an error"
grep -n "" "$work/server.log" | grep -q "unregister $handle" || fail "no unregister after quit"

# shutdown: the client is told the server goes down and does not unregister.
start_client two
wait_for "$work/two.log" "ready "
handle2=$(sed -n 's/^ready //p' "$work/two.log")
wait_for "$work/server.log" "register $handle2"
echo shutdown >&"$server_fd"
wait_for "$work/two.log" "ended"
grep -qx "quit server-down 1" "$work/two.log" || fail "server-down quit"
wait_exit "$server_pid" || fail "server ended with an error"
! grep -q "unregister $handle2" "$work/server.log" || fail "unregistered from a server that went down"
[ "$(cat "$LEXIVO_REGISTRY_DIR"/hkey_local_machine/software/tarnell/ostrel/demon/viewerhandle.value)" = 00000000 ] ||
  fail "the registry still names the server"

# A client without its server: loading stops with the error text.
"$bin/hostclient" >"$work/alone.log" 2>&1 </dev/null && fail "started without a server"
grep -qx "error Lexivo server application is not running" "$work/alone.log" || fail "missing-server text"

# A server that dies while it handles a request: the request fails, the client goes on.
start_server dying --die-on 4106 --serve "$work/serve"
start_client three
wait_for "$work/three.log" "ready "
printf '%s\n' "var OstrelWorkArea" "param 0" "exit" >&"$three_fd"
wait_for "$work/three.log" "ended"
grep -qx "error host ended the connection before it answered" "$work/three.log" || fail "a dead server's request did not fail"
grep -q "^param /" "$work/three.log" || fail "the client did not go on"
wait_exit "$dying_pid" && fail "the dying server did not die"
echo "host server test passed"
