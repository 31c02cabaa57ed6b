#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A local listener that misbehaves, standing in for another user's or a broken peer.

usage: hostile_listener.py MODE SOCKET_PATH
  answer   replies "ok 1" to every request, as a viewer would
  silent   accepts and never replies
  trickle  sends one byte, never a line end, every 50 ms
  flood    sends bytes without a line end as fast as it can
  ask      connects as a client, sends a request, prints what came back
Ends by itself after a minute, so that nothing outlives a test that failed to end it.
"""
import os
import socket
import sys
import threading
import time

mode, path = sys.argv[1], sys.argv[2]
threading.Timer(60, lambda: os._exit(0)).start()

if mode == "ask":
    client = socket.socket(socket.AF_UNIX)
    client.settimeout(5)
    try:
        client.connect(path)
        client.sendall(b"3 0 0\n")
        print(repr(client.recv(128)))
    except OSError as error:
        print("refused:", error)
    os._exit(0)

server = socket.socket(socket.AF_UNIX)
server.bind(path)
os.chmod(path, 0o777)
server.listen(8)
print("listening", flush=True)
while True:
    connection, _ = server.accept()
    if mode == "answer":
        connection.recv(128)
        connection.sendall(b"ok 1\n")
    elif mode == "trickle":
        def trickle(c=connection):
            try:
                while True:
                    c.sendall(b"x")
                    time.sleep(0.05)
            except OSError:
                pass
        threading.Thread(target=trickle, daemon=True).start()
    elif mode == "flood":
        def flood(c=connection):
            try:
                while True:
                    c.sendall(b"x" * 65536)
            except OSError:
                pass
        threading.Thread(target=flood, daemon=True).start()
    else:
        threading.Thread(target=lambda c=connection: time.sleep(60), daemon=True).start()
