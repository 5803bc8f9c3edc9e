# The equation server on the session bus, as the extension uses it. Everything
# goes through the documented interface; nothing here touches LibreOffice.
import re
import threading
from typing import Callable, Optional, Tuple

import gi

gi.require_version("Gio", "2.0")
gi.require_version("GLib", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

SERVICE = "com.tamrel.Molvex2"
PATH = "/com/tamrel/Molvex2/Equation"
IFACE = "com.tamrel.Molvex2.Equation"
# Starting the program the first time may take a while; a hung call still ends.
CALL_TIMEOUT_MS = 30000


class EquationError(Exception):
    """A failure with a sentence the user can act on."""


# GDBus prefixes a remote error's sentence with "GDBus.Error:<error name>: ".
_REMOTE_PREFIX = re.compile(r"^GDBus\.Error:[^\s:]+(?::\s*|$)")


def strip_remote(message: str) -> str:
    """The sentence of a remote error without GDBus's prefix. (Gio's own
    strip_remote_error changes its argument in place and returns a boolean; under
    PyGObject the argument is a copy, so it cannot be used here.)"""
    return _REMOTE_PREFIX.sub("", message, count=1)


def _reason(err: GLib.Error) -> str:
    """The user's sentence for a GLib error from the bus."""
    remote = Gio.DBusError.get_remote_error(err) if Gio.DBusError.is_remote_error(err) else ""
    if remote in ("org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus.Error.Spawn.ExecFailed",
                  "org.freedesktop.DBus.Error.Spawn.ChildExited", "org.freedesktop.DBus.Error.Spawn.Failed"):
        return ("The Molvex 2 equation service (%s) cannot be started: is Molvex 2 installed? "
                "Running \"molvex2 -r\" once registers it." % SERVICE)
    if remote in ("org.freedesktop.DBus.Error.NameHasNoOwner", "org.freedesktop.DBus.Error.NoReply",
                  "org.freedesktop.DBus.Error.Disconnected"):
        return "Molvex 2 stopped answering; the equation in the document is unchanged."
    if remote == "com.tamrel.Molvex2.Error.Format":
        return "The equation's stored data is damaged, so Molvex 2 cannot open it."
    msg = strip_remote(err.message) if remote else err.message
    return "Molvex 2 reported an error: %s" % (msg or remote or "no reason given")


def session_bus() -> Gio.DBusConnection:
    try:
        return Gio.bus_get_sync(Gio.BusType.SESSION, None)
    except GLib.Error as err:
        raise EquationError("No D-Bus session bus is available, so Molvex 2 cannot be reached (%s)."
                            % err.message) from err


class Equation:
    """One equation object: a process of its own, addressed by its unique name."""

    def __init__(self, bus: Optional[Gio.DBusConnection] = None, data: Optional[bytes] = None):
        self.bus = bus or session_bus()
        self.owner = self._call(SERVICE, "New", None, "(s)")[0]
        if data is not None:
            # Loaded into an object of our own, so that data the program refuses
            # still leaves a process we can end.
            try:
                self.load(data)
            except EquationError:
                self.release()
                raise

    def load(self, data: bytes) -> None:
        """Replaces the object's equation; refused data leaves it as it was."""
        self.call("Load", GLib.Variant("(ay)", (bytes(data),)), "(s)")

    def _call(self, dest: str, method: str, args: Optional[GLib.Variant], reply: Optional[str]) -> GLib.Variant:
        try:
            res = self.bus.call_sync(dest, PATH, IFACE, method, args,
                                     GLib.VariantType.new(reply) if reply else None,
                                     Gio.DBusCallFlags.NONE, CALL_TIMEOUT_MS, None)
        except GLib.Error as err:
            raise EquationError(_reason(err)) from err
        return res

    def call(self, method: str, args: Optional[GLib.Variant] = None, reply: Optional[str] = None) -> GLib.Variant:
        return self._call(self.owner, method, args, reply)

    @staticmethod
    def _bytes(variant: GLib.Variant, index: int = 0) -> bytes:
        return variant.get_child_value(index).get_data_as_bytes().get_data()

    def set_text(self, text: str) -> None:
        self.call("SetEquationText", GLib.Variant("(s)", (text,)))

    def text(self) -> str:
        return self.call("GetEquationText", None, "(s)")[0]

    def text_form(self, form: str) -> str:
        """One of the server's text forms: text, speech, mathml, mhchem, starmath."""
        return self.call("GetText", GLib.Variant("(s)", (form,)), "(s)")[0]

    def save(self) -> bytes:
        return self._bytes(self.call("Save", None, "(ay)"))

    def picture(self) -> Tuple[bytes, int, int, int, int]:
        """SVG bytes, width, height, lowering (1/100 mm) and level adjustment."""
        try:
            res = self.bus.call_sync(self.owner, PATH, IFACE, "GetSvgWithHint", None,
                                     GLib.VariantType.new("(ayiiii)"), Gio.DBusCallFlags.NONE,
                                     CALL_TIMEOUT_MS, None)
            return (self._bytes(res),) + tuple(res.unpack()[1:])
        except GLib.Error as err:
            if Gio.DBusError.get_remote_error(err) != "org.freedesktop.DBus.Error.UnknownMethod":
                raise EquationError(_reason(err)) from err
        # Older servers: the size comes with the metafile and the hint from its
        # published Amount (thousandths of the height).
        svg = self._bytes(self.call("GetSvg", None, "(ay)"))
        _, width, height = self.call("GetPicture", None, "(ayii)").unpack()
        amount, level = _published_hint()
        return svg, width, height, amount * height // 1000, level

    def svg(self) -> bytes:
        return self._bytes(self.call("GetSvg", None, "(ay)"))

    def png(self, scale: float) -> bytes:
        return self._bytes(self.call("GetPng", GLib.Variant("(d)", (scale,)), "(ay)"))

    def open_window(self) -> None:
        self.call("OpenWindow")

    def watch_container(self) -> None:
        self.call("WatchContainer")

    def release(self) -> None:
        """Ends the object; it may already be gone, which is what was wanted."""
        try:
            self.call("Release")
        except EquationError:
            pass


def _published_hint() -> Tuple[int, int]:
    import configparser
    import os
    home = os.environ.get("XDG_CONFIG_HOME") or os.path.join(os.path.expanduser("~"), ".config")
    ini = configparser.ConfigParser(strict=False)
    try:
        ini.read(os.path.join(home, "Tamrel", "MLV2ADJ.ini"), encoding="utf-8")
        amount = ini.getint("Lowering Hint", "Amount", fallback=0)
        level = ini.getint("Adjustment", "Level", fallback=0)
    except (configparser.Error, ValueError, OSError):
        amount, level = 0, 0
    return amount, level


class SignalThread:
    """One thread with its own GLib main loop that receives the signals of the
    equations being edited, so LibreOffice's own thread never waits on the bus."""

    _instance = None
    _lock = threading.Lock()

    @classmethod
    def get(cls) -> "SignalThread":
        with cls._lock:
            if cls._instance is None:
                cls._instance = cls()
            return cls._instance

    def __init__(self):
        self.context = GLib.MainContext.new()
        self.loop = GLib.MainLoop.new(self.context, False)
        started = threading.Event()
        self.thread = threading.Thread(target=self._run, args=(started,), name="molvex2-bus", daemon=True)
        self.thread.start()
        started.wait()

    def _run(self, started):
        self.context.push_thread_default()
        started.set()
        self.loop.run()

    def invoke(self, fn: Callable, *args) -> None:
        """Runs fn(*args) on the signal thread."""
        src = GLib.idle_source_new()
        src.set_callback(lambda *_: (fn(*args), False)[1])
        src.attach(self.context)

    def later(self, ms: int, fn: Callable[[], None]) -> GLib.Source:
        src = GLib.timeout_source_new(ms)
        src.set_callback(lambda *_: (fn(), False)[1])
        src.attach(self.context)
        return src

    def subscribe(self, bus: Gio.DBusConnection, owner: str,
                  on_signal: Callable[[str, Optional[GLib.Variant]], None]) -> Tuple[int, int]:
        """Must run on the signal thread: GDBus delivers to the subscriber's context."""
        sub = bus.signal_subscribe(owner, IFACE, None, PATH, None, Gio.DBusSignalFlags.NONE,
                                   lambda _c, _s, _p, _i, name, params: on_signal(name, params))
        # The process ending without a Closed signal (a crash, a kill) ends the session too.
        gone = bus.signal_subscribe("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                                    "/org/freedesktop/DBus", owner, Gio.DBusSignalFlags.NONE,
                                    lambda *a: on_signal("Closed", None) if not a[5][2] else None)
        return (sub, gone)

    @staticmethod
    def unsubscribe(bus: Gio.DBusConnection, subs: Tuple[int, ...]) -> None:
        for s in subs:
            bus.signal_unsubscribe(s)
