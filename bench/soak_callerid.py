#!/usr/bin/env python3
"""A day at the phone, shortened: starts the real program on a private X
display with the simulated caller-ID box (two user channels), logs in as
"system", and feeds calls at a given rate against a generated database of
customers with one contact each (seven callers in ten known; each call rings,
is answered and hung up, recording on, pop-ups on). Prints per minute: calls
sent, call-log rows, pop-up delay (median and worst, from the caller-ID line
written to the new window shown), how long the main window takes to answer a
click on its menu bar (from the click to its menu shown), open files and
resident memory of the program (with its anonymous and shared parts: the
windows' drawing buffers are shared with the X server). With --close every
pop-up is closed once it is shown.

    python3 bench/soak_callerid.py --calls 300 --interval 0.5
    python3 bench/soak_callerid.py --calls 1000 --interval 2 --customers 100000

Needs Xvfb and the stock sqlite3 shell; builds nothing (build `halvex` first).
"""
import argparse
import ctypes
import os
import random
import shutil
import signal
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAM_DIR = os.path.join(HERE, "..", "build", "program")
TWIPS_PER_PIXEL = 15
# The login window's OK picture: 1800, 2220; 1125 x 375 twips.
LOGIN_OK = ((1800 + 1125 / 2) / TWIPS_PER_PIXEL, (2220 + 375 / 2) / TWIPS_PER_PIXEL)


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


IS_VIEWABLE = 2
CLIENT_MESSAGE = 33
XK_ESCAPE = 0xFF1B
# The main window's first menu title, in pixels from the window's corner.
FIRST_MENU = (20, 10)
# Without a window manager every window opens at the screen's corner; the main
# window is moved beside the pop-ups, as an operator keeps it, so that its
# menu bar can be clicked.
MAIN_WINDOW_AT = (800, 0)


X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


@X_ERROR_HANDLER
def ignore_x_error(display, error):
    """A window may be gone between listing it and asking about it (a pop-up
    the program has just closed): the request fails and the soak goes on."""
    return 0


class Display:
    """The few X calls the soak needs: the shown top-level windows, a click, a close."""

    def __init__(self, name):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XSetErrorHandler.argtypes = [X_ERROR_HANDLER]
        self.x.XSetErrorHandler(ignore_x_error)
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                      ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                      ctypes.POINTER(ctypes.c_uint)]
        self.x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.x.XInternAtom.restype = ctypes.c_ulong
        self.x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XMoveWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.display = self.x.XOpenDisplay(name.encode())
        if not self.display:
            raise RuntimeError("cannot open display " + name)
        self.root = self.x.XDefaultRootWindow(self.display)
        self.frameless = {}   # window -> whether it has no frame of its own (override-redirect)
        self.protocols = self.x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        self.delete = self.x.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)

    def children(self):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        listed, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.x.XQueryTree(self.display, self.root, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(listed), ctypes.byref(count)):
            return []
        windows = [listed[i] for i in range(count.value)]
        if listed:
            self.x.XFree(listed)
        return windows

    def attributes(self, window):
        attributes = XWindowAttributes()
        if not self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)):
            return None
        return attributes

    def click(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, int(x), int(y), 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.x.XFlush(self.display)

    def move(self, window, x, y):
        self.x.XMoveWindow(self.display, window, x, y)
        self.x.XFlush(self.display)

    def key(self, keysym):
        code = self.x.XKeysymToKeycode(self.display, keysym)
        self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x.XFlush(self.display)

    def shown_popups(self):
        """The shown windows without a frame of their own: menus and tool tips.
        Only those are asked for their state, and any window not seen before:
        asking each of a thousand open pop-ups every few milliseconds would
        keep the X server busy and slow the very click being timed."""
        found = set()
        for window in self.children():
            frameless = self.frameless.get(window)
            if frameless is False:
                continue
            attributes = self.attributes(window)
            if not attributes:
                continue
            self.frameless[window] = bool(attributes.override_redirect)
            if attributes.override_redirect and attributes.map_state == IS_VIEWABLE:
                found.add(window)
        return found

    def shown_windows(self):
        """The shown windows with a frame of their own: the program's windows."""
        shown = []
        for window in self.children():
            attributes = self.attributes(window)
            if attributes and attributes.map_state == IS_VIEWABLE and not attributes.override_redirect:
                shown.append(window)
        return shown

    def close(self, window):
        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self.protocols
        event.xclient.format = 32
        event.xclient.data[0] = self.delete
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)


class ShownWindows:
    """Follows the program's top-level windows as they are shown."""

    def __init__(self, display):
        self.display = display
        self.shown = set()
        self.hidden = set()

    def new(self):
        found = []
        for window in self.display.children():
            if window in self.shown:
                continue
            attributes = self.display.attributes(window)
            if attributes and attributes.map_state == IS_VIEWABLE and not attributes.override_redirect:
                self.shown.add(window)
                found.append((window, attributes))
        return found


def memory_kib(pid, field="VmRSS"):
    """VmRSS, or its parts RssAnon (the heap), RssFile and RssShmem (shared memory)."""
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def resident_kib(pid):
    return memory_kib(pid)


def memory_text(pid):
    return (f"RSS {memory_kib(pid) / 1024:.1f} MB (anonymous {memory_kib(pid, 'RssAnon') / 1024:.1f} MB, "
            f"shared {memory_kib(pid, 'RssShmem') / 1024:.1f} MB)")


def menu_click_ms(display, main, meanwhile):
    """Clicks the main window's first menu title and times until its menu is
    shown; Escape closes it again. Calls `meanwhile` while it waits. NaN when
    no menu shows within 10 seconds."""
    before = display.shown_popups()
    clicked = time.monotonic()
    display.click(main.x + FIRST_MENU[0], main.y + FIRST_MENU[1])
    shown = None
    while time.monotonic() - clicked < 10:
        if display.shown_popups() - before:
            shown = time.monotonic()
            break
        meanwhile()
        time.sleep(0.002)
    display.key(XK_ESCAPE)
    closing = time.monotonic()
    while display.shown_popups() - before and time.monotonic() - closing < 10:
        meanwhile()
        time.sleep(0.01)
    return (shown - clicked) * 1000 if shown else float("nan")


def open_files(pid):
    return len(os.listdir(f"/proc/{pid}/fd"))


def sql(database, statements):
    subprocess.run(["sqlite3", database], input=statements, text=True, check=True)


def make_program(folder):
    for item in ("halvex", "bmp", "MobilDB.mdb"):
        source = os.path.join(PROGRAM_DIR, item)
        if not os.path.exists(source):
            sys.exit(f"{source} is missing: build the program first (bash /work/wt/build.sh halvex)")
        if os.path.isdir(source):
            shutil.copytree(source, os.path.join(folder, item))
        else:
            shutil.copy2(source, os.path.join(folder, item))
    os.makedirs(os.path.join(folder, "WavFile"), exist_ok=True)


def fill(database, customers):
    """Customers with one contact each, numbers as a shop's customers have them."""
    sql(database, f"""
begin;
with recursive n(i) as (select 1 union all select i + 1 from n where i < {customers})
insert into company (company_name, company_tel, company_mobil, KH_CZZ)
select '客户' || i, '0' || (755 + i % 7) || '-' || printf('%08d', abs(random()) % 100000000),
       '13' || (i % 10) || printf('%08d', abs(random()) % 100000000), 'system' from n;
insert into KH_LXR (companyid, Connect_name, tel, mobil)
select id, '联系人' || id, company_tel, '15' || (id % 10) || printf('%08d', abs(random()) % 100000000) from company;
update DriveInfo set isPop='1', RecordFlag='1', OutLine='';
commit;
""")
    with sqlite3.connect(database) as connection:
        return [row[0] for row in connection.execute("select mobil from KH_LXR order by random() limit 5000")]


def call_log_rows(database):
    try:
        with sqlite3.connect(f"file:{database}?mode=ro", uri=True, timeout=5) as connection:
            return connection.execute("select count(*) from Hv_Cidlist").fetchone()[0]
    except sqlite3.Error:
        return -1


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    raise RuntimeError("timed out waiting for " + what)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--calls", type=int, default=1000)
    parser.add_argument("--interval", type=float, default=2.0, help="seconds between calls")
    parser.add_argument("--customers", type=int, default=100_000)
    parser.add_argument("--close", action="store_true", help="close each pop-up once it is shown")
    parser.add_argument("--display", default=":87")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="halvex-soak-")
    program = os.path.join(work, "program")
    os.makedirs(program)
    make_program(program)
    box = os.path.join(work, "box.txt")
    open(box, "w").close()
    env = dict(os.environ, DISPLAY=args.display, QT_QPA_PLATFORM="xcb", HALVEX_CIDBOX=box,
               HALVEX_CIDBOX_CHANNELS="1,1", TMPDIR=work)
    xvfb = subprocess.Popen(["Xvfb", args.display, "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    halvex = None
    try:
        time.sleep(1)
        display = Display(args.display)
        windows = ShownWindows(display)
        halvex = subprocess.Popen([os.path.join(program, "halvex")], env=env, cwd=program,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        login = wait_for(windows.new, 60, "the login window")[0][1]
        database = os.path.join(program, "hvcrm", "hvcrm.hvd")
        print(f"generating {args.customers} customers ...", flush=True)
        numbers = fill(database, args.customers)
        display.click(login.x + LOGIN_OK[0], login.y + LOGIN_OK[1])
        main_window = wait_for(windows.new, 120, "the main window")[0][0]
        display.move(main_window, *MAIN_WINDOW_AT)
        time.sleep(2)
        main = display.attributes(main_window)
        windows.new()   # whatever the start showed besides
        start_rss, start_files = resident_kib(halvex.pid), open_files(halvex.pid)
        print(f"program pid {halvex.pid}: {memory_text(halvex.pid)}, {start_files} open files after login; "
              f"menu click {menu_click_ms(display, main, lambda: None):.0f} ms", flush=True)
        print(f"{'minute':>6} {'calls':>6} {'logged':>7} {'popups':>7} {'median ms':>10} {'max ms':>8} {'menu ms':>8} "
              f"{'files':>6} {'RSS MB':>8} {'anon MB':>8} {'shm MB':>7}")

        sent_at = {}
        delays = []
        pending = []      # calls whose pop-up has not shown yet, oldest first
        events = []       # (when, line) still to write
        minute_delays = []
        popups = 0
        popup_windows = []
        began = time.monotonic()
        next_minute = began + 60
        minute = 1
        random.seed(7)
        for k in range(args.calls):
            at = began + k * args.interval
            known = random.random() < 0.7
            number = random.choice(numbers) if known else "136" + "".join(random.choice("0123456789") for _ in range(8))
            channel = k % 2
            events.append((at, f"{channel} ring", None))
            events.append((at, f"{channel} cid {number}", k))
            events.append((at + 0.3, f"{channel} offhook", None))
            events.append((at + 2 * args.interval * 0.8, f"{channel} hangup", None))
        events.sort(key=lambda event: event[0])

        def report(final=False):
            nonlocal minute_delays
            menu = menu_click_ms(display, main, look)
            shown = [d for d in minute_delays]
            median = statistics.median(shown) if shown else float("nan")
            worst = max(shown) if shown else float("nan")
            print(f"{minute:>6} {len(sent_at):>6} {call_log_rows(database):>7} {popups:>7} {median:>10.0f} "
                  f"{worst:>8.0f} {menu:>8.0f} {open_files(halvex.pid):>6} {resident_kib(halvex.pid) / 1024:>8.1f} "
                  f"{memory_kib(halvex.pid, 'RssAnon') / 1024:>8.1f} {memory_kib(halvex.pid, 'RssShmem') / 1024:>7.1f}",
                  flush=True)
            minute_delays = []

        def look():
            nonlocal popups
            for window, _ in windows.new():
                now = time.monotonic()
                popups += 1
                popup_windows.append(window)
                if pending:
                    k = pending.pop(0)
                    delay = (now - sent_at[k]) * 1000
                    delays.append(delay)
                    minute_delays.append(delay)
                if args.close:
                    display.close(window)

        with open(box, "a") as feed:
            for when, line, k in events:
                while time.monotonic() < when:
                    look()
                    if time.monotonic() >= next_minute:
                        report()
                        minute += 1
                        next_minute += 60
                    time.sleep(0.005)
                feed.write(line + "\n")
                feed.flush()
                if k is not None:
                    sent_at[k] = time.monotonic()
                    pending.append(k)
            settle = time.monotonic() + 10
            while pending and time.monotonic() < settle:
                look()
                time.sleep(0.005)
        time.sleep(3)   # the last events reach the program
        report(final=True)
        end_rss = resident_kib(halvex.pid)
        print(f"calls {args.calls}, call-log rows {call_log_rows(database)}, pop-ups seen {popups}, "
              f"not seen {len(pending)}")
        if delays:
            print(f"pop-up delay over the run: median {statistics.median(delays):.0f} ms, worst {max(delays):.0f} ms; "
                  f"first tenth median {statistics.median(delays[:max(1, len(delays) // 10)]):.0f} ms, "
                  f"last tenth median {statistics.median(delays[-max(1, len(delays) // 10):]):.0f} ms")
        print(f"after the last pop-up: {memory_text(halvex.pid)}")
        if popups and not args.close:
            print(f"RSS growth {(end_rss - start_rss) / 1024:.1f} MB for {popups} open pop-ups: "
                  f"{(end_rss - start_rss) / 1024 / popups:.2f} MB each")
        if popups and not args.close:
            for window in popup_windows:
                display.close(window)
            time.sleep(10)
            print(f"after closing the {len(popup_windows)} pop-ups: {memory_text(halvex.pid)} "
                  f"(at login {start_rss / 1024:.1f} MB), {open_files(halvex.pid)} open files; "
                  f"menu click {menu_click_ms(display, main, lambda: None):.0f} ms; "
                  f"{len(display.shown_windows())} windows still shown")
        with sqlite3.connect(database) as connection:
            rows = connection.execute("select count(*), count(WavFile), count(UserNO) from Hv_Cidlist").fetchone()
            ordered = connection.execute("select count(*) from Hv_Cidlist a join Hv_Cidlist b on b.id = a.id + 1 "
                                         "where b.DateTime < a.DateTime").fetchone()[0]
        recordings = [f for f in os.listdir(os.path.join(program, "WavFile")) if f.endswith(".wav")]
        well_formed = sum(1 for f in recordings
                          if open(os.path.join(program, "WavFile", f), "rb").read(4) == b"RIFF")
        print(f"call log: {rows[0]} rows, {rows[2]} with a contact, {rows[1]} naming a recording, "
              f"{ordered} out of order; recordings {len(recordings)}, well-formed {well_formed}")
    finally:
        if halvex:
            halvex.send_signal(signal.SIGTERM)
            try:
                halvex.wait(20)
            except subprocess.TimeoutExpired:
                halvex.kill()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
