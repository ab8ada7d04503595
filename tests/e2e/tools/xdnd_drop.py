#!/usr/bin/python3
# Drops files on an X window the way a file manager does, over the XDND protocol:
#   xdnd_drop.py <target X window id> <root x> <root y> <linux path>...
# Exits 0 when the target took the drop and said it finished, else 1 with a message.
#
# The system interpreter on purpose: Debian's python3-xlib installs only there, and
# a python3 earlier on PATH (pyenv, a venv) would not find it.
#
# Send to the X window of the Win32 window that takes the files (what `xdotool
# search` finds for the launcher). Under Wine's virtual desktop that is a child of
# the desktop's X window; both carry XdndAware, and both answer the protocol, but a
# drop sent to the desktop's window (owned by explorer.exe, not by the target's
# process) arrived with a garbage file name in WM_DROPFILES under Wine 8.
import os
import select
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display, error
from Xlib.protocol import event

TIMEOUT = 5.0  # seconds for each answer of the target
OUR_VERSION = 5


def fail(message):
    print(f"xdnd_drop: {message}", file=sys.stderr)
    sys.exit(1)


def uri_list(paths):
    # Wine turns each file:// URI back into a DOS path after undoing %XX, so
    # spaces and non-ASCII names must be escaped, one URI per CR LF line.
    uris = ["file://" + urllib.parse.quote(os.path.abspath(p), safe="/") for p in paths]
    return "".join(u + "\r\n" for u in uris).encode("utf-8")


class Drop:
    def __init__(self, target_id, x, y, paths):
        self.d = display.Display()
        self.atom = lambda name: self.d.intern_atom(name)
        self.root = self.d.screen().root
        self.target = self.d.create_resource_object("window", target_id)
        self.x, self.y = x, y
        self.data = uri_list(paths)
        self.uri_type = self.atom("text/uri-list")
        self.selection = self.atom("XdndSelection")
        # An unmapped window is enough to own the selection and get the answers.
        self.source = self.root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent,
                                              X.InputOnly, X.CopyFromParent)
        self.served = 0

    def version(self):
        # XdndAware may sit on an ancestor only; without it, speak our own version.
        window = self.target
        aware = self.atom("XdndAware")
        try:
            while True:
                prop = window.get_full_property(aware, X.AnyPropertyType)
                if prop is not None and len(prop.value):
                    return min(int(prop.value[0]), OUR_VERSION)
                parent = window.query_tree().parent
                if not parent or parent.id == self.root.id or parent.id == 0:
                    return OUR_VERSION
                window = parent
        except error.BadWindow:
            fail(f"no X window 0x{self.target.id:x}")

    def send(self, name, data):
        message = event.ClientMessage(window=self.target, client_type=self.atom(name),
                                      data=(32, (data + [0] * 5)[:5]))
        self.target.send_event(message, event_mask=0)
        self.d.flush()

    def serve(self, request):
        # Wine asks for the list while the drag still moves, before XdndDrop, so
        # requests are answered whatever reply is being waited for.
        prop = request.property or request.target
        if request.selection == self.selection and request.target == self.uri_type:
            request.requestor.change_property(prop, self.uri_type, 8, self.data)
            self.served += 1
        elif request.selection == self.selection and request.target == self.atom("TARGETS"):
            request.requestor.change_property(prop, Xatom.ATOM, 32, [self.uri_type])
        else:
            prop = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor,
                                       selection=request.selection, target=request.target,
                                       property=prop)
        request.requestor.send_event(notify)
        self.d.flush()

    def wait_for(self, name, what):
        """Serves selection requests until the target sends the client message."""
        wanted = self.atom(name)
        deadline = time.monotonic() + TIMEOUT
        while True:
            while self.d.pending_events():
                e = self.d.next_event()
                if e.type == X.SelectionRequest:
                    self.serve(e)
                elif e.type == X.ClientMessage and e.client_type == wanted:
                    return e.data[1]
            left = deadline - time.monotonic()
            if left <= 0:
                fail(f"no {name} from 0x{self.target.id:x} within {TIMEOUT:g} s ({what})")
            select.select([self.d.fileno()], [], [], left)
            self.d.pending_events()  # reads what arrived into the queue

    def run(self):
        version = self.version()
        self.source.set_selection_owner(self.selection, X.CurrentTime)
        self.d.sync()
        if self.d.get_selection_owner(self.selection) != self.source:
            fail("could not own XdndSelection")
        src = self.source.id
        copy = self.atom("XdndActionCopy")
        self.send("XdndEnter", [src, version << 24, self.uri_type])
        self.send("XdndPosition", [src, 0, (self.x << 16) | self.y, X.CurrentTime, copy])
        status = self.wait_for("XdndStatus", "after XdndPosition")
        if not status[1] & 1:
            self.send("XdndLeave", [src])
            fail(f"the window at {self.x},{self.y} does not accept the files")
        self.send("XdndDrop", [src, 0, X.CurrentTime])
        finished = self.wait_for("XdndFinished", "after XdndDrop")
        if version >= 5 and not finished[1] & 1:
            fail("the target reports that the drop failed")
        if not self.served:
            fail("the target never asked for the file list")
        self.source.destroy()
        self.d.close()


def main():
    if len(sys.argv) < 5:
        fail("usage: xdnd_drop.py <target X window id> <root x> <root y> <linux path>...")
    target = int(sys.argv[1], 0)
    x, y = int(sys.argv[2]), int(sys.argv[3])
    Drop(target, x, y, sys.argv[4:]).run()


if __name__ == "__main__":
    main()
