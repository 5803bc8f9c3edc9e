"""The page in headless Chromium: typing with key events, the picture and status
following, options remembered, the share link, the clipboard, hostile equations and
the console. Run by ctest with MOLVEX_WEB_SITE naming the staged page."""
import json
import os
import sys
import unittest
import urllib.parse

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import webpage  # noqa: E402

# Each would change the title if any part of it ran as script.
HOSTILE = [
    "<img src=x onerror=\"document.title='pwned'\">",
    "]]><script>document.title='pwned'</script>",
    "\"<svg onload=\"document.title='pwned'\">\" => X",
    "<a href=\"javascript:document.title='pwned'\">x</a>",
    "\"]]></text><script>document.title='pwned'</script><text>\"",
    "{<iframe srcdoc=x>,<style>*{}</style>}",
]


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = webpage.site_folder()
        cls.server = webpage.Server(cls.site)
        cls.driver = webpage.browser()
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": cls.server.url.rstrip("/"),
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()

    def setUp(self):
        self.driver.get(self.server.url + "index.html")
        self.driver.execute_script("localStorage.clear()")
        self.open("")

    def tearDown(self):
        errors = [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [], "console errors")

    # ---- helpers

    def open(self, fragment):
        self.driver.get("about:blank")
        self.driver.get(self.server.url + "index.html" + fragment)
        self.watch()

    def watch(self):
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script("return !!window.molvex2Ready"))
        self.driver.execute_async_script("molvex2Ready.then(() => arguments[0]())")
        # Anything the policy refuses is recorded, so a test can say nothing tried to run.
        self.driver.execute_script(
            "window.violations = [];"
            "document.addEventListener('securitypolicyviolation', e => violations.push(e.violatedDirective));")
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready === 'true'"))

    def entry(self):
        return self.driver.find_element(By.ID, "entry")

    def type_equation(self, text):
        box = self.entry()
        box.click()
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.BACKSPACE)
        for line_number, line in enumerate(text.split("\n")):
            if line_number:
                box.send_keys(Keys.RETURN)
            box.send_keys(line)

    def status(self):
        return self.driver.find_element(By.ID, "status").text

    def picture(self):
        return self.driver.execute_script(
            "const s = document.querySelector('#picture svg');"
            "return s ? {width: s.getAttribute('width'), text: s.textContent, markup: s.outerHTML} : null")

    def clipboard(self):
        return self.driver.execute_async_script("""
            const done = arguments[0];
            navigator.clipboard.read().then(async items => {
              const out = {};
              for (const item of items)
                for (const type of item.types) {
                  const blob = await item.getType(type);
                  out[type] = type.startsWith('image/png') ? blob.size : await blob.text();
                }
              done(out);
            }, e => done({error: String(e)}));""")

    # ---- tests

    def test_typing_updates_picture_and_status(self):
        self.type_equation("2H2 + O2 => H2O")
        WebDriverWait(self.driver, 5).until(lambda d: "Not balanced" in self.status())
        self.assertIn("H 4 → 2", self.status())
        first = self.picture()
        self.assertIsNotNone(first, self.status())
        self.entry().send_keys(Keys.BACKSPACE, Keys.BACKSPACE, Keys.BACKSPACE, "2H2O")
        WebDriverWait(self.driver, 5).until(lambda d: self.status() == "Balanced")
        second = self.picture()
        self.assertNotEqual(first["markup"], second["markup"])
        self.assertGreater(int(second["width"]), int(first["width"]))
        # A second line by Return; the status names lines once there are several.
        self.entry().send_keys(Keys.RETURN, "co")
        WebDriverWait(self.driver, 5).until(lambda d: "Line 2:" in self.status())
        self.assertIn("is read as C O", self.status())
        label = self.driver.find_element(By.ID, "picture").get_attribute("aria-label")
        self.assertIn("2 H 2 plus O 2 yields 2 H 2 O", label)

    def test_twenty_lines_at_most(self):
        self.type_equation("\n".join(["H2O"] * 20))
        self.entry().send_keys(Keys.RETURN, "x")  # a 21st line is refused
        self.assertEqual(self.entry().get_attribute("value"), "\n".join(["H2O"] * 19 + ["H2Ox"]))
        self.assertIn("at most 20 lines", self.driver.find_element(By.ID, "notice").text)
        self.assertIsNotNone(self.picture())
        # Pasted text can have more: no picture then, rather than the previous one.
        self.driver.execute_script("const e = document.getElementById('entry');"
                                   "e.value = 'H2O\\n'.repeat(21); e.dispatchEvent(new Event('input'))")
        self.assertIn("at most 20 lines", self.status())
        self.assertIsNone(self.picture())

    def test_share_link_restores_equation_and_options(self):
        self.type_equation("N2 + 3H2 <=> 2NH3")
        select = self.driver.find_element(By.NAME, "EquilibriumArrow")
        self.driver.find_element(By.ID, "options-panel").click()
        select.send_keys(Keys.END)  # the last style, chosen with the keyboard
        WebDriverWait(self.driver, 5).until(lambda d: '"EquilibriumArrow":3' in urllib.parse.unquote(d.current_url))
        link = self.driver.current_url
        self.driver.execute_script("localStorage.clear()")
        self.open(link[link.index("#"):])
        self.assertEqual(self.entry().get_attribute("value"), "N2 + 3H2 <=> 2NH3")
        self.assertEqual(self.driver.find_element(By.NAME, "EquilibriumArrow").get_attribute("value"), "3")
        self.assertIsNotNone(self.picture())

    def test_options_are_remembered(self):
        self.driver.find_element(By.ID, "options-panel").click()
        italic = self.driver.find_element(By.NAME, "ItalicPhase")
        self.assertTrue(italic.is_selected())
        italic.send_keys(Keys.SPACE)
        self.assertFalse(italic.is_selected())
        self.type_equation("NaCl(s)")
        self.driver.get(self.server.url + "index.html")
        self.watch()
        self.driver.find_element(By.ID, "options-panel").click()
        self.assertFalse(self.driver.find_element(By.NAME, "ItalicPhase").is_selected())

    def test_clipboard_receives_every_form(self):
        self.type_equation("SO42-(aq) + Ba2+(aq) => BaSO4(s)")
        self.driver.find_element(By.ID, "copy-picture").click()
        WebDriverWait(self.driver, 10).until(lambda d: "Copied the picture" in d.find_element(By.ID, "notice").text)
        got = self.clipboard()
        self.assertNotIn("error", got)
        self.assertGreater(got["image/png"], 100)
        self.assertIn("<svg", got["image/svg+xml"])
        self.assertIn('alt="S O 4, 2 minus aqueous', got["text/html"])
        self.assertEqual(got["text/plain"], "SO₄²⁻(aq) + Ba²⁺(aq) → BaSO₄(s)")
        self.assertIn("<math", got["web application/mathml+xml"])
        for button, expected in (("copy-text", "SO₄²⁻(aq) + Ba²⁺(aq) → BaSO₄(s)"),
                                 ("copy-mhchem", "\\ce{SO4^{2-}(aq) + Ba^{2+}(aq) -> BaSO4(s)}")):
            self.driver.find_element(By.ID, button).click()
            WebDriverWait(self.driver, 5).until(
                lambda d: d.execute_async_script("navigator.clipboard.readText().then(arguments[0])") == expected)
        self.driver.find_element(By.ID, "copy-mathml").click()
        WebDriverWait(self.driver, 5).until(
            lambda d: d.execute_async_script("navigator.clipboard.readText().then(arguments[0])").startswith("<math"))

    def test_hostile_equations_run_nothing(self):
        title = self.driver.title
        for text in HOSTILE:
            with self.subTest(typed=text):
                self.type_equation(text)
                self.check_inert(text, title)
            with self.subTest(linked=text):
                fragment = "#" + urllib.parse.urlencode({"eq": text, "opt": json.dumps({"family": "<b>x</b>"})})
                self.open(fragment)
                self.assertEqual(self.entry().get_attribute("value"), text)
                self.check_inert(text, title)

    def check_inert(self, text, title):
        self.assertEqual(self.driver.title, title)
        found = self.driver.execute_script(
            "return [...document.querySelectorAll('#picture *, #status *')]"
            ".filter(e => !['svg','g','path','line','polyline','polygon','rect','text','tspan','title','desc','p']"
            ".includes(e.localName) || [...e.attributes].some(a => a.name.startsWith('on') || /href/.test(a.name)))"
            ".map(e => e.outerHTML)")
        self.assertEqual(found, [])
        self.assertEqual(self.driver.execute_script("return violations"), [])

    def test_keyboard_alone_reaches_every_control(self):
        # From the entry box, Tab walks through the buttons; Return on one acts.
        self.entry().click()
        seen = []
        for _ in range(12):
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            seen.append(self.driver.switch_to.active_element.get_attribute("id"))
        for control in ("copy-picture", "copy-text", "download-svg", "png-scale", "share", "zoom"):
            self.assertIn(control, seen)
        while self.driver.switch_to.active_element.get_attribute("id") != "copy-text":
            self.driver.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
        self.driver.switch_to.active_element.send_keys(Keys.RETURN)
        WebDriverWait(self.driver, 5).until(lambda d: "Copied as text" in d.find_element(By.ID, "notice").text)

    def test_dark_mode(self):
        colours = "return [getComputedStyle(document.body).backgroundColor," \
                  " getComputedStyle(document.getElementById('picture')).backgroundColor]"
        light = self.driver.execute_script(colours)
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                    {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
        try:
            dark = self.driver.execute_script(colours)
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.assertNotEqual(light[0], dark[0])
        # The picture stays black on its light panel, as it is exported.
        self.assertEqual(light[1], "rgb(255, 255, 255)")
        self.assertEqual(dark[1], "rgb(255, 255, 255)")

    def test_from_a_file_url(self):
        self.driver.get("file://" + os.path.join(self.site, "index.html"))
        self.watch()
        self.assertEqual(self.status(), "Balanced")
        self.assertIsNotNone(self.picture())


if __name__ == "__main__":
    unittest.main(verbosity=2)
