# An editing session: the equation's own Molvex 2 window is open, and the picture
# in the document follows it. Signals arrive on the bus thread; every change to
# the document is posted to LibreOffice's thread, which never waits on the bus.
import threading
from typing import Any, Callable, Optional

import unohelper
from com.sun.star.awt import XCallback
from com.sun.star.lang import DisposedException

from molvex2lo.bus import CALL_TIMEOUT_MS, Equation, EquationError, SignalThread
from molvex2lo.log import log
from molvex2lo.office import Document, Picture, Place, spoken

# The picture follows typing at most this often; the last change always arrives.
THROTTLE_MS = 250

_sessions = set()
_sessions_lock = threading.Lock()


class _Callback(unohelper.Base, XCallback):
    def __init__(self, fn: Callable[[], None]):
        self.fn = fn

    def notify(self, _data: Any) -> None:
        self.fn()


def on_office_thread(ctx: Any, fn: Callable[[], None]) -> None:
    """Runs fn on LibreOffice's main thread, with the solar mutex held."""
    cb = ctx.ServiceManager.createInstanceWithContext("com.sun.star.awt.AsyncCallback", ctx)
    cb.addCallback(_Callback(fn), None)


def fetch_picture(eq: Equation, data: Optional[bytes] = None, formula: bool = False) -> Picture:
    svg, width, height, lowering, level = eq.picture()
    # The server pads to its twenty lines; the description wants the text alone.
    text = eq.text().strip("\n")
    if data is None:
        data = eq.save()
    svg = bytes(svg)
    return Picture(svg, width, height, lowering, level, bytes(data), text, spoken(svg, text),
                   eq.text_form("starmath") if formula else None)


class Session:
    """Insert (obj None) or edit (obj the picture) one equation through its window."""

    def __init__(self, doc: Document, obj: Any, data: Optional[bytes], report: Callable[[str], None],
                 formula: bool = False):
        self.doc = doc
        self.formula = formula          # an office formula instead of a picture
        self.report = report            # shows a failure to the user, office thread
        self.obj = obj
        self.place = None if obj is not None else Place(doc)
        # What the document showed at the last commit; None while a new equation
        # has not been committed yet.
        self.committed = doc.state(obj) if obj is not None else None
        self.latest = None              # the newest picture shown, not yet committed
        self.pending = None
        self.finished = False
        self.eq = Equation(data=data)   # raises with the user's sentence
        try:
            self.eq.watch_container()
        except EquationError:
            self.eq.release()
            raise
        self.thread = SignalThread.get()
        self.subs = ()
        with _sessions_lock:
            _sessions.add(self)
        # Waits until the signals are subscribed and the window is up, so that no
        # change made in the window can come before the subscription.
        self.started = threading.Event()
        self.thread.invoke(self._start)
        self.started.wait(CALL_TIMEOUT_MS / 1000)

    # --- bus thread -------------------------------------------------------
    def _start(self) -> None:
        try:
            self.subs = self.thread.subscribe(self.eq.bus, self.eq.owner, self._signal)
            self.eq.open_window()
        except EquationError as err:
            self._end(str(err))
        finally:
            self.started.set()

    def _signal(self, name: str, params: Any) -> None:
        if self.finished:
            return
        if name == "Changed":
            if self.pending is None:
                self.pending = self.thread.later(THROTTLE_MS, self._live)
        elif name == "Updated":
            data = params.get_child_value(0).get_data_as_bytes().get_data() if params is not None else None
            self._cancel_pending()
            self._fetch(lambda pic: self._post(self._commit, pic), data)
        elif name == "Closed":
            self._end(None)

    def _cancel_pending(self) -> None:
        if self.pending is not None:
            self.pending.destroy()
            self.pending = None

    def _live(self) -> None:
        self.pending = None
        self._fetch(lambda pic: self._post(self._show, pic))

    def _fetch(self, then: Callable[[Picture], None], data: Optional[bytes] = None) -> None:
        try:
            then(fetch_picture(self.eq, data, self.formula))
        except EquationError as err:
            self._end(str(err))

    def _end(self, error: Optional[str]) -> None:
        if self.finished:
            return
        self.finished = True
        self._cancel_pending()
        SignalThread.unsubscribe(self.eq.bus, self.subs)
        self.eq.release()
        self._post(self._close, error)
        with _sessions_lock:
            _sessions.discard(self)

    def _post(self, fn: Callable[[Any], None], arg: Any) -> None:
        on_office_thread(self.doc.ctx, lambda: self._guarded(fn, arg))

    # --- office thread ----------------------------------------------------
    def _guarded(self, fn: Callable[[Any], None], arg: Any) -> None:
        try:
            fn(arg)
        except EquationError as err:
            self.report(str(err))
        except DisposedException:  # the document was closed meanwhile
            if not self.finished:
                self.thread.invoke(self._end, None)
        except Exception as err:  # the picture was deleted, LibreOffice refused it, or a fault here
            log.exception("updating the equation in the document")
            if not self.finished:
                self.thread.invoke(self._end, "The equation could not be placed in the document: %s"
                                   % getattr(err, "Message", err))

    def _show(self, pic: Picture) -> None:
        """A step while typing: shown at once, kept out of the undo list."""
        undo = self.doc.undo()
        undo.lock()
        try:
            if self.obj is None:
                self.obj = self.doc.create(self.place, pic)
            else:
                self.doc.apply(self.obj, pic)
        finally:
            undo.unlock()
        self.latest = pic

    def _commit(self, pic: Picture) -> None:
        """File > Update or the end: everything since the last commit becomes one
        undo step."""
        if self.committed is None and self.obj is None and not pic.text.strip():
            return  # nothing typed into a new equation: nothing to insert
        undo = self.doc.undo()
        undo.lock()
        try:
            if self.committed is None and self.obj is not None:
                self.place = self.doc.remove(self.obj)
                self.obj = None
            elif self.committed is not None:
                self.doc.restore(self.obj, self.committed)
        finally:
            undo.unlock()
        # A new picture for the old one: LibreOffice does not undo every property
        # of a picture (its attributes), but it does undo a deletion whole.
        undo.enterUndoContext(self.doc_undo_title())
        try:
            if self.obj is not None:
                self.place = self.doc.remove(self.obj)
                self.obj = None
            self.obj = self.doc.create(self.place, pic)
        finally:
            undo.leaveUndoContext()
        self.committed = self.doc.state(self.obj)
        self.latest = None

    def _close(self, error: Optional[str]) -> None:
        if self.latest is not None:
            self._commit(self.latest)
        if error:
            self.report(error)

    @staticmethod
    def doc_undo_title() -> str:
        return "Molvex 2 Equation"


def convert(doc: Document, text: str, rng: Any, place: Optional[Place], formula: bool = False) -> Any:
    """Typesets text at once, without a window; one undo step."""
    eq = Equation()
    try:
        eq.set_text(text)
        pic = fetch_picture(eq, formula=formula)
    finally:
        SignalThread.get().invoke(eq.release)
    undo = doc.undo()
    undo.enterUndoContext(Session.doc_undo_title())
    try:
        return doc.create(place, pic, replace_range=rng)
    finally:
        undo.leaveUndoContext()
