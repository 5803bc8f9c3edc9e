"""The page served from a local folder and opened in headless Chromium through
chromium-driver, for the browser test, the benchmark and the screenshots."""
import functools
import http.server
import os
import shutil
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


class Server:
    """Serves `folder` on a free port of localhost until stopped."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def browser(width=1280, height=800, dark=False):
    options = webdriver.ChromeOptions()
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--no-first-run", "--disable-extensions", "--window-size=%d,%d" % (width, height),
                "--force-device-scale-factor=1", "--lang=en-US"):
        options.add_argument(arg)
    if dark:
        options.add_argument("--force-dark-mode")
        options.add_argument("--blink-settings=preferredColorScheme=0")
    binary = shutil.which("chromium") or "/usr/bin/chromium"
    options.binary_location = binary
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver_path = shutil.which("chromedriver") or "/usr/bin/chromedriver"
    driver = webdriver.Chrome(service=Service(driver_path), options=options)
    driver.set_script_timeout(30)
    # The viewport itself at the asked size (a headless window is at least 500 wide).
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
    return driver


def site_folder():
    return os.environ.get("MOLVEX_WEB_SITE") or os.path.join(os.environ["MOLVEX_BINARY_DIR"], "site")


def chromium_version():
    import subprocess
    return subprocess.run([shutil.which("chromium") or "/usr/bin/chromium", "--version"], capture_output=True,
                          text=True).stdout.strip()
