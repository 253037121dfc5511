#!/usr/bin/env python3
# The mouse of the end-to-end tests under Wine: it moves the X pointer and presses its
# left button at the X server (XTest), as a player's mouse does, so that Wine sees one
# pointer, where the X server has it. Prints the loopback port it listens on, then
# takes one connection at a time; each line ("move X Y", then "down" or "up" for the
# button there) is answered "ok" once the X server has done it, a wrong one "?".
# Ends with the X server, or when it is killed.
import ctypes
import socket
import sys

x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("x-mouse: cannot open the X display")
server = socket.create_server(("127.0.0.1", 0))
server.settimeout(1.0)
print(server.getsockname()[1], flush=True)

while True:
    try:
        connection, _ = server.accept()
    except socket.timeout:
        x11.XSync(display, 0)  # Xlib ends the process once the X server has gone
        continue
    connection.settimeout(None)
    try:
        with connection, connection.makefile("rw", newline="\n") as stream:
            for line in stream:
                words = line.split()
                if (words[:1] == ["move"] and len(words) in (3, 4) and words[3:] in ([], ["down"], ["up"])
                        and all(w.lstrip("-").isdigit() for w in words[1:3])):
                    xtest.XTestFakeMotionEvent(display, -1, int(words[1]), int(words[2]), 0)
                    if words[3:]:
                        xtest.XTestFakeButtonEvent(display, 1, words[3] == "down", 0)
                else:
                    stream.write("?\n")
                    stream.flush()
                    continue
                x11.XSync(display, 0)
                stream.write("ok\n")
                stream.flush()
    except OSError:
        pass  # the test program ended in the middle of a line
