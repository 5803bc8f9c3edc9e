# The extension's UNO components: the vnd.tamrel.molvex2: commands, and the hooks
# each new document view gets (context menu entry, double-click to edit).
import unohelper
from com.sun.star.frame import XDispatch, XDispatchProvider, XNotifyingDispatch
from com.sun.star.lang import XInitialization, XServiceInfo
from com.sun.star.task import XJob
from com.sun.star.ui import XContextMenuInterceptor
from com.sun.star.awt import XMouseClickHandler

import uno

from molvex2lo.bus import EquationError
from molvex2lo.office import Document, Place, stored_data
from molvex2lo.session import Session, convert, on_office_thread

PROTOCOL = "vnd.tamrel.molvex2:"
HANDLER = "com.tamrel.molvex2.ProtocolHandler"
VIEW_JOB = "com.tamrel.molvex2.ViewJob"
EDIT_COMMAND = PROTOCOL + "EditEquation"


def show_message(ctx, frame, text):
    """A message box over the document's window; none for hidden documents (a
    headless office or a macro working in the background), where the command's
    result carries the sentence instead."""
    try:
        window = frame.getContainerWindow() if frame is not None else None
        if window is None or not window.isVisible():
            return
        toolkit = ctx.ServiceManager.createInstanceWithContext("com.sun.star.awt.Toolkit", ctx)
        box = toolkit.createMessageBox(window, uno.Enum("com.sun.star.awt.MessageBoxType", "ERRORBOX"),
                                       1, "Molvex 2", text)  # MessageBoxButtons.BUTTONS_OK
        box.execute()
    except Exception:
        pass


class Commands:
    """The three commands on one frame's document. Each returns None on success
    or the sentence that explains the failure."""

    def __init__(self, ctx, frame):
        self.ctx = ctx
        self.frame = frame

    def _doc(self):
        ctrl = self.frame.getController() if self.frame is not None else None
        model = ctrl.getModel() if ctrl is not None else None
        doc = Document(self.ctx, model)
        if doc.kind is None:
            raise EquationError("Molvex 2 equations go into Writer, Impress, Draw and Calc documents.")
        return doc

    def _report(self, text):
        show_message(self.ctx, self.frame, text)

    def InsertEquation(self):
        Session(self._doc(), None, None, self._report)

    def EditEquation(self):
        doc = self._doc()
        obj = doc.selected_equation()
        if obj is None:
            raise EquationError("Select a Molvex 2 equation first.")
        Session(doc, obj, stored_data(obj), self._report)

    def ConvertSelection(self):
        doc = self._doc()
        text, rng = doc.selected_text()
        if not text.strip():
            raise EquationError("Select the equation's text first, for example 2H2 + O2 => 2H2O.")
        if text.count("\n") >= 20:
            raise EquationError("An equation has at most 20 lines.")
        place = Place(doc) if rng is None else None
        convert(doc, text, rng, place)

    def run(self, name):
        fn = getattr(self, name, None) if name in ("InsertEquation", "EditEquation", "ConvertSelection") else None
        if fn is None:
            return "Unknown command: %s%s" % (PROTOCOL, name)
        try:
            fn()
        except EquationError as err:
            return str(err)
        return None


class ProtocolHandler(unohelper.Base, XInitialization, XDispatchProvider, XNotifyingDispatch, XServiceInfo):
    def __init__(self, ctx, *args):
        self.ctx = ctx
        self.frame = None

    def initialize(self, args):
        if args:
            self.frame = args[0]

    def queryDispatch(self, url, _target, _flags):
        return self if url.Protocol == PROTOCOL else None

    def queryDispatches(self, requests):
        return tuple(self.queryDispatch(r.FeatureURL, r.FrameName, r.SearchFlags) for r in requests)

    def _run(self, url):
        error = Commands(self.ctx, self.frame).run(url.Path)
        if error:
            show_message(self.ctx, self.frame, error)
        return error

    def dispatch(self, url, _args):
        self._run(url)

    def dispatchWithNotification(self, url, _args, listener):
        error = self._run(url)
        if listener is not None:
            ev = uno.createUnoStruct("com.sun.star.frame.DispatchResultEvent")
            ev.Source = self
            ev.State = 0 if error else 1  # DispatchResultState FAILURE / SUCCESS
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

    def notifyContextMenuExecute(self, event):
        try:
            if Document(self.ctx, self.model).selected_equation() is None:
                return uno.Enum("com.sun.star.ui.ContextMenuInterceptorAction", "IGNORED")
            menu = event.ActionTriggerContainer
            item = menu.createInstance("com.sun.star.ui.ActionTrigger")
            item.setPropertyValue("Text", "Edit Molvex 2 Equation...")
            item.setPropertyValue("CommandURL", EDIT_COMMAND)
            sep = menu.createInstance("com.sun.star.ui.ActionTriggerSeparator")
            menu.insertByIndex(0, sep)
            menu.insertByIndex(0, item)
            return uno.Enum("com.sun.star.ui.ContextMenuInterceptorAction", "EXECUTE_MODIFIED")
        except Exception:
            return uno.Enum("com.sun.star.ui.ContextMenuInterceptorAction", "IGNORED")


class _DoubleClick(unohelper.Base, XMouseClickHandler):
    """A double click on an equation edits it instead of opening the picture's
    own dialog."""

    def __init__(self, ctx, model, frame):
        self.ctx = ctx
        self.model = model
        self.frame = frame

    def mousePressed(self, event):
        if event.ClickCount != 2 or event.Buttons != 1:
            return False
        try:
            if Document(self.ctx, self.model).selected_equation() is None:
                return False
        except Exception:
            return False
        # After the click has been handled, not inside LibreOffice's mouse handling.
        on_office_thread(self.ctx, lambda: self._edit())
        return True

    def _edit(self):
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

    def execute(self, args):
        env = {}
        for nv in args:
            if nv.Name == "Environment":
                env = {p.Name: p.Value for p in nv.Value}
        model = env.get("Model")
        frame = env.get("Frame")
        try:
            ctrl = model.getCurrentController() if model is not None else None
            if ctrl is None or Document(self.ctx, model).kind is None:
                return None
            ctrl.registerContextMenuInterceptor(_ContextMenu(self.ctx, model))
            ctrl.addMouseClickHandler(_DoubleClick(self.ctx, model, frame or ctrl.getFrame()))
        except Exception:
            pass
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
