# The extension's UNO components: the vnd.tamrel.molvex2: commands, and the hooks
# each new document view gets (context menu entry, double-click to edit).
from typing import Any, Optional

import uno
import unohelper
from com.sun.star.awt import XMouseClickHandler
from com.sun.star.awt.MessageBoxButtons import BUTTONS_OK
from com.sun.star.awt.MessageBoxType import ERRORBOX
from com.sun.star.frame import XDispatchProvider, XNotifyingDispatch
from com.sun.star.frame.DispatchResultState import FAILURE, SUCCESS
from com.sun.star.lang import XInitialization, XServiceInfo
from com.sun.star.task import XJob
from com.sun.star.ui import XContextMenuInterceptor
from com.sun.star.ui.ContextMenuInterceptorAction import EXECUTE_MODIFIED, IGNORED
from com.sun.star.uno import Exception as UnoException

from molvex2lo.bus import EquationError
from molvex2lo.log import log, setup as setup_log
from molvex2lo.office import Document, Place, complete_word_file, name_equations, restore_equations, stored_data
from molvex2lo.session import Session, convert, on_office_thread

PROTOCOL = "vnd.tamrel.molvex2:"
HANDLER = "com.tamrel.molvex2.ProtocolHandler"
VIEW_JOB = "com.tamrel.molvex2.ViewJob"
EDIT_COMMAND = PROTOCOL + "EditEquation"


def show_message(ctx: Any, frame: Any, text: str) -> None:
    """A message box over the document's window; none for hidden documents (a
    headless office or a macro working in the background), where the command's
    result carries the sentence instead."""
    try:
        window = frame.getContainerWindow() if frame is not None else None
        if window is None or not window.isVisible():
            return
        toolkit = ctx.ServiceManager.createInstanceWithContext("com.sun.star.awt.Toolkit", ctx)
        toolkit.createMessageBox(window, ERRORBOX, BUTTONS_OK, "Molvex 2", text).execute()
    except UnoException:  # the window went away meanwhile: the log keeps the sentence
        log.exception("could not show the message: %s", text)


class Commands:
    """The three commands on one frame's document. Each returns None on success
    or the sentence that explains the failure."""

    NAMES = ("InsertEquation", "EditEquation", "ConvertSelection", "InsertOfficeFormula", "ConvertSelectionToFormula")

    def __init__(self, ctx: Any, frame: Any):
        self.ctx = ctx
        self.frame = frame

    def _doc(self) -> Document:
        ctrl = self.frame.getController() if self.frame is not None else None
        model = ctrl.getModel() if ctrl is not None else None
        doc = Document(self.ctx, model)
        if doc.kind is None:
            raise EquationError("Molvex 2 equations go into Writer, Impress, Draw and Calc documents.")
        return doc

    def _report(self, text: str) -> None:
        show_message(self.ctx, self.frame, text)

    def InsertEquation(self) -> None:
        Session(self._doc(), None, None, self._report)

    def InsertOfficeFormula(self) -> None:
        """As InsertEquation, but what goes into the document is a LibreOffice Math
        formula, which Word documents keep as Word's own editable equation."""
        Session(self._doc(), None, None, self._report, formula=True)

    def EditEquation(self) -> None:
        doc = self._doc()
        obj = doc.selected_picture()
        if obj is None:
            raise EquationError("Select a Molvex 2 equation first.")
        Session(doc, obj, stored_data(obj), self._report)

    def ConvertSelection(self, formula: bool = False) -> None:
        doc = self._doc()
        text, rng = doc.selected_text()
        if not text.strip():
            raise EquationError("Select the equation's text first, for example 2H2 + O2 => 2H2O.")
        if text.count("\n") >= 20:
            raise EquationError("An equation has at most 20 lines.")
        place = Place(doc) if rng is None else None
        convert(doc, text, rng, place, formula)

    def ConvertSelectionToFormula(self) -> None:
        self.ConvertSelection(formula=True)

    def run(self, name: str) -> Optional[str]:
        if name not in self.NAMES:
            return "Unknown command: %s%s" % (PROTOCOL, name)
        try:
            getattr(self, name)()
        except EquationError as err:
            return str(err)
        except UnoException as err:  # LibreOffice refused a step; the document is as it was
            log.exception("%s failed", name)
            return "LibreOffice refused the change: %s" % (err.Message or type(err).__name__)
        return None


class ProtocolHandler(unohelper.Base, XInitialization, XDispatchProvider, XNotifyingDispatch, XServiceInfo):
    def __init__(self, ctx: Any, *args: Any):
        self.ctx = ctx
        self.frame = None
        setup_log(ctx)

    def initialize(self, args: Any) -> None:
        if args:
            self.frame = args[0]

    def queryDispatch(self, url: Any, _target: str, _flags: int) -> Any:
        return self if url.Protocol == PROTOCOL else None

    def queryDispatches(self, requests: Any) -> tuple:
        return tuple(self.queryDispatch(r.FeatureURL, r.FrameName, r.SearchFlags) for r in requests)

    def _run(self, url: Any) -> Optional[str]:
        error = Commands(self.ctx, self.frame).run(url.Path)
        if error:
            show_message(self.ctx, self.frame, error)
        return error

    def dispatch(self, url: Any, _args: Any) -> None:
        self._run(url)

    def dispatchWithNotification(self, url: Any, _args: Any, listener: Any) -> None:
        error = self._run(url)
        if listener is not None:
            ev = uno.createUnoStruct("com.sun.star.frame.DispatchResultEvent")
            ev.Source = self
            ev.State = FAILURE if error else SUCCESS
            ev.Result = error or ""
            listener.dispatchFinished(ev)

    def addStatusListener(self, listener, url):
        pass

    def removeStatusListener(self, listener, url):
        pass

    def getImplementationName(self):
        return HANDLER

    def supportsService(self, name):
        return name == "com.sun.star.frame.ProtocolHandler"

    def getSupportedServiceNames(self):
        return ("com.sun.star.frame.ProtocolHandler",)


class _ContextMenu(unohelper.Base, XContextMenuInterceptor):
    def __init__(self, ctx, model):
        self.ctx = ctx
        self.model = model

    def notifyContextMenuExecute(self, event: Any) -> Any:
        try:
            if Document(self.ctx, self.model).selected_equation() is None:
                return IGNORED
            menu = event.ActionTriggerContainer
            item = menu.createInstance("com.sun.star.ui.ActionTrigger")
            item.setPropertyValue("Text", "Edit Molvex 2 Equation...")
            item.setPropertyValue("CommandURL", EDIT_COMMAND)
            sep = menu.createInstance("com.sun.star.ui.ActionTriggerSeparator")
            menu.insertByIndex(0, sep)
            menu.insertByIndex(0, item)
            return EXECUTE_MODIFIED
        except UnoException:  # the document is closing: LibreOffice's own menu
            log.exception("context menu")
            return IGNORED


class _DoubleClick(unohelper.Base, XMouseClickHandler):
    """A double click on an equation edits it instead of opening the picture's
    own dialog."""

    def __init__(self, ctx, model, frame):
        self.ctx = ctx
        self.model = model
        self.frame = frame

    def mousePressed(self, event: Any) -> bool:
        if event.ClickCount != 2 or event.Buttons != 1:
            return False
        try:
            if Document(self.ctx, self.model).selected_equation() is None:
                return False  # an ordinary picture keeps LibreOffice's own double click
        except UnoException:
            log.exception("double click")
            return False
        # After the click has been handled, not inside LibreOffice's mouse handling.
        on_office_thread(self.ctx, lambda: self._edit())
        return True

    def _edit(self) -> None:
        error = Commands(self.ctx, self.frame).run("EditEquation")
        if error:
            show_message(self.ctx, self.frame, error)

    def mouseReleased(self, event):
        return False

    def disposing(self, source):
        pass


class ViewJob(unohelper.Base, XJob, XServiceInfo):
    def __init__(self, ctx, *args):
        self.ctx = ctx

    def execute(self, args: Any) -> None:
        setup_log(self.ctx)
        env = {}
        for nv in args:
            if nv.Name == "Environment":
                env = {p.Name: p.Value for p in nv.Value}
        model = env.get("Model")
        frame = env.get("Frame")
        event = env.get("EventName")
        if event in ("OnSave", "OnSaveAs", "OnSaveDone", "OnSaveAsDone"):
            try:
                if event.endswith("Done"):
                    complete_word_file(model)
                else:
                    name_equations(model)
            except (UnoException, OSError, ValueError):  # the file stays as LibreOffice writes it
                log.exception("%s", event)
            return None
        try:
            # A document's first view: LibreOffice gives jobs no OnLoad of their own.
            restore_equations(model)
        except UnoException:  # the pictures stay as the file had them
            log.exception("restoring equations")
        try:
            ctrl = model.getCurrentController() if model is not None else None
            if ctrl is None or Document(self.ctx, model).kind is None:
                return None
            ctrl.registerContextMenuInterceptor(_ContextMenu(self.ctx, model))
            ctrl.addMouseClickHandler(_DoubleClick(self.ctx, model, frame or ctrl.getFrame()))
        except UnoException:  # a view closed at once: nothing to hook
            log.exception("view hooks")
        return None

    def getImplementationName(self):
        return VIEW_JOB

    def supportsService(self, name):
        return name == "com.sun.star.task.Job"

    def getSupportedServiceNames(self):
        return ("com.sun.star.task.Job",)


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(ProtocolHandler, HANDLER, ("com.sun.star.frame.ProtocolHandler",))
g_ImplementationHelper.addImplementation(ViewJob, VIEW_JOB, ("com.sun.star.task.Job",))
