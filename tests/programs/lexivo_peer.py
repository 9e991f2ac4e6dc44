#!/usr/bin/env python3
"""A peer of the hidden windows that speaks the socket protocol itself, as another process (or a
hostile one) would: for the whole-program tests of the host integration under load and abuse.

Every command prints what it saw as "key value" lines; the runtime directory is LEXIVO_RUNTIME_DIR.
"""
import argparse
import os
import random
import select
import socket
import struct
import sys
import threading
import time

WM_COPYDATA = 74
FRAME_HEADER = 20
ACK_SIZE = 12
MSG_REGISTER, MSG_GET_VARIABLE = 4098, 4106
SERVER_CLASS = b"thisisthelexivoservercomponentwindowclass"


def runtime_dir():
    return os.environ["LEXIVO_RUNTIME_DIR"]


def socket_path(handle):
    return os.path.join(runtime_dir(), "%08x.sock" % handle)


def frame(wparam, data_word, data):
    return b"LXWM" + struct.pack("<IIiI", WM_COPYDATA, wparam, data_word, len(data)) + data


def string_record(text):
    return struct.pack("<i", len(text)) + text


def block(payload, stamp=None):
    time_word, date_word = stamp or (random.randrange(1 << 31), random.randrange(1 << 31))
    return struct.pack("<ii", time_word, date_word) + payload, (time_word, date_word)


def find_window(class_prefix):
    """The handle of the first window whose class starts with class_prefix (compared in lower case)."""
    for name in sorted(os.listdir(runtime_dir())):
        if not name.endswith(".info"):
            continue
        with open(os.path.join(runtime_dir(), name), "rb") as info:
            window_class = info.read().split(b"\0")[0].lower()
        if window_class.startswith(class_prefix.lower()):
            return int(name[:8], 16)
    raise SystemExit("no window of class %r" % class_prefix)


def connect(handle):
    peer = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    peer.connect(socket_path(handle))
    return peer


def read_exactly(peer, count, deadline):
    data = b""
    while len(data) < count:
        peer.settimeout(max(0.01, deadline - time.monotonic()))
        try:
            chunk = peer.recv(count - len(data))
        except (socket.timeout, OSError):
            return data
        if not chunk:
            return data
        data += chunk
    return data


class Window:
    """A hidden window of this process: a listening socket and its class record."""

    def __init__(self, answer=True, backlog=64):
        self.handle = random.randrange(0x10000000, 0x7FFFFFFF)
        self.listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.listener.bind(socket_path(self.handle))
        self.listener.listen(backlog)
        with open(os.path.join(runtime_dir(), "%08x.info" % self.handle), "wb") as info:
            info.write(b"PeerWindowClass\0peer")
        self.answer = answer

    def take_message(self, deadline):
        """Accepts one connection, reads its frame, acknowledges it; the frame's data."""
        connection, _ = self.listener.accept()
        with connection:
            header = read_exactly(connection, FRAME_HEADER, deadline)
            if len(header) < FRAME_HEADER:
                return None
            count = struct.unpack("<I", header[16:20])[0]
            data = read_exactly(connection, count, deadline)
            connection.sendall(b"LXWA" + struct.pack("<q", 0))
            return data


def request(window, target, data_word, payload, timeout=20.0):
    """Sends a request as the host component does and collects the reply sent back meanwhile;
    the reply's payload, or None."""
    deadline = time.monotonic() + timeout
    data, stamp = block(payload)
    peer = connect(target)
    peer.sendall(frame(window.handle, data_word, data))
    peer.setblocking(False)
    reply = None
    ack = b""
    while len(ack) < ACK_SIZE and time.monotonic() < deadline:
        readable, _, _ = select.select([peer, window.listener], [], [], max(0.0, deadline - time.monotonic()))
        if window.listener in readable:
            received = window.take_message(deadline)
            if received is not None and struct.unpack("<ii", received[:8]) == stamp:
                reply = received[8:]
        if peer in readable:
            try:
                chunk = peer.recv(ACK_SIZE - len(ack))
            except BlockingIOError:
                continue
            if not chunk:
                break
            ack += chunk
    peer.close()
    return reply if len(ack) == ACK_SIZE else None


def read_string(payload):
    length = struct.unpack("<i", payload[:4])[0]
    return payload[4:4 + max(0, length)]


def server_handle():
    return find_window(SERVER_CLASS)


def command_clients(args):
    """Many participants at once, each with its own window, asking get-variable and checking the answer."""
    server = server_handle()
    results = {"answered": 0, "wrong": 0, "failed": 0}
    latencies = []
    lock = threading.Lock()
    start = threading.Barrier(args.count)

    def client(index):
        window = Window()
        name = "V%d" % (index % 10)
        expected = ("value-%d" % (index % 10)).encode()
        start.wait()
        for _ in range(args.rounds):
            began = time.monotonic()
            reply = request(window, server, MSG_GET_VARIABLE, string_record(name.encode()))
            with lock:
                latencies.append(time.monotonic() - began)
                if reply is None:
                    results["failed"] += 1
                elif read_string(reply) != expected:
                    results["wrong"] += 1
                else:
                    results["answered"] += 1

    threads = [threading.Thread(target=client, args=(i,)) for i in range(args.count)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for key, value in results.items():
        print(key, value)
    latencies.sort()
    print("p99_ms %.1f" % (1000 * latencies[int(len(latencies) * 0.99) - 1]))


def command_ask(args):
    window = Window()
    reply = request(window, server_handle(), MSG_GET_VARIABLE, string_record(args.name.encode()), args.timeout)
    print("answer", "none" if reply is None else read_string(reply).decode())


def command_nested(args):
    """Requests whose replies go to a window that never acknowledges, all at once: the server
    nests its waits for them. Prints how many requests were acknowledged in the end."""
    server = server_handle()
    silent = Window(backlog=4096)
    peers = []
    for _ in range(args.count):
        peer = connect(server)
        data, _ = block(string_record(b"V1"))
        peer.sendall(frame(silent.handle, MSG_GET_VARIABLE, data))
        peers.append(peer)
    print("sent", len(peers), flush=True)
    deadline = time.monotonic() + args.timeout
    acked = sum(1 for peer in peers if len(read_exactly(peer, ACK_SIZE, deadline)) == ACK_SIZE)
    print("acked", acked)


def command_silent_participant(args):
    """Registers a participant whose window never acknowledges, then keeps it until killed."""
    silent = Window(backlog=4096)
    record = struct.pack("<II", silent.handle, 0) + string_record(b"/silent/peer") + string_record(b"silent")
    data, _ = block(record)
    peer = connect(server_handle())
    peer.sendall(frame(silent.handle, MSG_REGISTER, data))
    read_exactly(peer, ACK_SIZE, time.monotonic() + 10)
    print("registered", silent.handle, flush=True)
    if args.keep_waiting:
        # One request whose reply the server can never hand over: it waits inside that send.
        waiting = connect(server_handle())
        data, _ = block(string_record(b"V1"))
        waiting.sendall(frame(silent.handle, MSG_GET_VARIABLE, data))
        print("request sent", flush=True)
    while True:
        time.sleep(1)


def command_idle(args):
    """Opens connections that never send anything and holds them until killed."""
    server = server_handle()
    peers = []
    for _ in range(args.count):
        try:
            peers.append(connect(server))
        except OSError:
            break
    print("opened", len(peers), flush=True)
    while True:
        time.sleep(1)


def command_huge(args):
    """Connections that announce the largest frame and send part of it; holds them until killed."""
    server = server_handle()
    peers = []
    header = b"LXWM" + struct.pack("<IIiI", WM_COPYDATA, 1, MSG_GET_VARIABLE, 64 << 20)
    for _ in range(args.count):
        peer = connect(server)
        peer.sendall(header)
        peer.setblocking(False)
        peers.append([peer, args.send_mib << 20])
    chunk = b"x" * (1 << 16)
    deadline = time.monotonic() + args.seconds
    while time.monotonic() < deadline and any(left > 0 for _, left in peers):
        writable = [peer for peer, left in peers if left > 0]
        _, ready, _ = select.select([], writable, [], 0.1)
        for entry in peers:
            if entry[0] in ready:
                try:
                    entry[1] -= entry[0].send(chunk[:min(len(chunk), entry[1])])
                except (BlockingIOError, OSError):
                    pass
    sent = sum((args.send_mib << 20) - left for _, left in peers)
    print("sent_mib %d" % (sent >> 20), flush=True)
    while True:
        time.sleep(1)


def command_malformed(args):
    """Blocks too short to be messages, all at once, to the window of a class; prints how many
    were acknowledged within the time given."""
    target = find_window(args.window_class.encode())
    peers = []
    for index in range(args.count):
        peer = connect(target)
        peer.sendall(frame(0x1000 + index, 4200, b"bad"))
        peers.append(peer)
    deadline = time.monotonic() + args.timeout
    acked = sum(1 for peer in peers if len(read_exactly(peer, ACK_SIZE, deadline)) == ACK_SIZE)
    print("acked", acked, flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    commands = parser.add_subparsers(dest="command", required=True)
    clients = commands.add_parser("clients")
    clients.add_argument("--count", type=int, default=200)
    clients.add_argument("--rounds", type=int, default=5)
    ask = commands.add_parser("ask")
    ask.add_argument("name")
    ask.add_argument("--timeout", type=float, default=20.0)
    nested = commands.add_parser("nested")
    nested.add_argument("--count", type=int, default=300)
    nested.add_argument("--timeout", type=float, default=60.0)
    silent = commands.add_parser("silent-participant")
    silent.add_argument("--keep-waiting", action="store_true")
    idle = commands.add_parser("idle")
    idle.add_argument("--count", type=int, default=200)
    huge = commands.add_parser("huge")
    huge.add_argument("--count", type=int, default=40)
    huge.add_argument("--send-mib", type=int, default=0)
    huge.add_argument("--seconds", type=float, default=5.0)
    malformed = commands.add_parser("malformed")
    malformed.add_argument("--count", type=int, default=300)
    malformed.add_argument("--window-class", default="ThisIsTheLexivoClientComponentWindowClass")
    malformed.add_argument("--timeout", type=float, default=20.0)
    args = parser.parse_args()
    handlers = {"clients": command_clients, "ask": command_ask, "nested": command_nested,
                "silent-participant": command_silent_participant, "idle": command_idle,
                "huge": command_huge, "malformed": command_malformed}
    handlers[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
