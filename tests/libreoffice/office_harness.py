# A LibreOffice of the test's own: a private session bus whose only service is the
# built molvex2, and a headless soffice with a throw-away profile into which
# unopkg installed the built extension. Used by the tests and the benchmark.
import os
import shutil
import subprocess
import tempfile
import time

import uno
import unohelper
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException
from com.sun.star.task import XInteractionHandler
from com.sun.star.ucb import XCommandEnvironment, XProgressHandler

SOFFICE = shutil.which("soffice") or "/usr/lib/libreoffice/program/soffice"


def props(**kw):
    out = []
    for k, v in kw.items():
        p = PropertyValue()
        p.Name, p.Value = k, v
        out.append(p)
    return tuple(out)


class _Approve(unohelper.Base, XCommandEnvironment, XInteractionHandler, XProgressHandler):
    """Says yes to whatever adding the extension asks (its licence, replacing it)."""

    def __init__(self):
        self.problems = []

    def getInteractionHandler(self):
        return self

    def getProgressHandler(self):
        return self

    def handle(self, request):
        for c in request.getContinuations():
            if c.queryInterface(uno.getTypeByName("com.sun.star.task.XInteractionApprove")):
                c.select()
                return

    def push(self, status):
        pass

    def update(self, status):
        pass

    def pop(self):
        pass


class Office:
    def __init__(self, build_dir, with_service=True, display=None, bundled=None):
        self.build = build_dir
        self.molvex2 = os.path.join(build_dir, "shell", "molvex2")
        self.oxt = os.path.join(build_dir, "libreoffice", "molvex2.oxt")
        self.tmp = tempfile.mkdtemp(prefix="molvex2-lo-")
        self.config = os.path.join(self.tmp, "config")
        self.display = display
        os.makedirs(self.config)
        self.bus = None
        self.xvfb = None
        self.soffice = None
        self.with_service = with_service
        # The office's bundled and shared extension layers are folders of the test's
        # own, so an installed Molvex 2 package (which bundles the extension) does
        # not change what is tested; `bundled` is a folder of unpacked extensions to
        # stand in for the package's.
        self.bundled = bundled
        self.pipe = "molvex2test-" + os.path.basename(self.tmp)

    def env(self):
        env = dict(os.environ)
        env.update(XDG_CONFIG_HOME=self.config, DBUS_SESSION_BUS_ADDRESS=self.address)
        if self.display:
            env.update(DISPLAY=self.display, SAL_USE_VCLPLUGIN="gen")
        return env

    def start(self):
        try:
            return self._start()
        except BaseException:
            self.stop()
            raise

    def _start(self):
        services = os.path.join(self.tmp, "services")
        os.makedirs(services)
        if self.with_service:
            # The equation's window needs a display even when the office has none.
            server_display = self.display or self._start_xvfb()
            server_env = "XDG_CONFIG_HOME=%s QT_QPA_PLATFORM=xcb DISPLAY=%s" % (self.config, server_display)
            with open(os.path.join(services, "com.tamrel.Molvex2.service"), "w") as f:
                f.write("[D-BUS Service]\nName=com.tamrel.Molvex2\nExec=/usr/bin/env %s %s -Embedding\n"
                        % (server_env, self.molvex2))
        conf = os.path.join(self.tmp, "bus.conf")
        with open(conf, "w") as f:
            f.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"\n'
                    ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                    "<busconfig><type>session</type><listen>unix:tmpdir=%s</listen>"
                    "<servicedir>%s</servicedir><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                    "<allow own=\"*\"/></policy></busconfig>\n" % (self.tmp, services))
        self.bus = subprocess.Popen(["dbus-daemon", "--config-file=" + conf, "--nofork", "--print-address=1"],
                                    stdout=subprocess.PIPE, stderr=open(os.path.join(self.tmp, "bus.log"), "w"), text=True)
        self.address = self.bus.stdout.readline().strip()
        profile = "file://" + os.path.join(self.tmp, "profile")
        bundled = self.bundled or os.path.join(self.tmp, "bundled")
        shared = os.path.join(self.tmp, "shared")
        os.makedirs(bundled, exist_ok=True)
        os.makedirs(shared)
        args = [SOFFICE, "-env:UserInstallation=" + profile, "-env:BUNDLED_EXTENSIONS=" + uno.systemPathToFileUrl(bundled),
                "-env:UNO_SHARED_PACKAGES_CACHE=" + uno.systemPathToFileUrl(shared),
                "--norestore", "--nologo", "--nodefault",
                "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe]
        if not self.display:
            args.insert(1, "--headless")
        self.args = args
        # The office's own messages go to a file kept beside the test's output.
        self.log = open(os.path.join(self.tmp, "soffice.log"), "w")
        self._connect()
        self.install_extension()
        return self

    def _connect(self):
        self.soffice = subprocess.Popen(self.args, env=self.env(), stdout=self.log, stderr=subprocess.STDOUT)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + 120
        while True:
            try:
                self.ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
                break
            except NoConnectException:
                if time.monotonic() > deadline or self.soffice.poll() is not None:
                    raise RuntimeError("soffice did not start")
                time.sleep(0.3)
        self.smgr = self.ctx.ServiceManager
        self.desktop = self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop", self.ctx)
        self.dispatcher = self.smgr.createInstanceWithContext("com.sun.star.frame.DispatchHelper", self.ctx)

    def restart(self):
        """The same office again, on the same profile: what a user does after
        adding an extension."""
        self._quit()
        self._connect()

    def install_extension(self):
        # What unopkg add does, through the running office: unopkg refuses to put a
        # user extension into a profile when run as root, as CI runs.
        manager = self.ctx.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
        env = _Approve()
        try:
            manager.addExtension(uno.systemPathToFileUrl(self.oxt), (), "user", None, env)
        except Exception as err:
            raise RuntimeError("the extension was not added: %s %s" % (err, env.problems)) from None

    def _start_xvfb(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        return ":" + number

    def new(self, kind, hidden=True):
        return self.desktop.loadComponentFromURL("private:factory/" + kind, "_blank", 0, props(Hidden=hidden))

    def load(self, url, hidden=True):
        return self.desktop.loadComponentFromURL(url, "_blank", 0, props(Hidden=hidden))

    def command(self, doc, name):
        """Runs one of the extension's commands; the failure's sentence, or ''."""
        frame = doc.getCurrentController().getFrame()
        result = self.dispatcher.executeDispatch(frame, "vnd.tamrel.molvex2:" + name, "", 0, ())
        return getattr(result, "Result", None) or ""

    def _quit(self):
        if self.soffice and self.soffice.poll() is None:
            try:
                self.desktop.terminate()
            except Exception:
                pass
            try:
                self.soffice.wait(20)
            except subprocess.TimeoutExpired:
                self.soffice.kill()
                self.soffice.wait()

    def stop(self):
        try:
            self._quit()
        finally:
            for p in (self.bus, self.xvfb):
                if p:
                    p.terminate()
                    p.wait()
            shutil.rmtree(self.tmp, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
