"""Screenshots of the page as a user sees it, at a desktop's 1280 x 800 and a phone's
390 x 844, light and dark, with a three-line equation and the options open.

    MOLVEX_WEB_SITE=build/web/site /usr/bin/python3 tests/web/screenshots.py OUT_DIR
"""
import os
import sys
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import webpage  # noqa: E402

EQUATION = "SO42-(aq) + Ba2+(aq) => BaSO4(s)\nN2 + 3H2 <450`C,Fe> 2NH3\n2H2 + O2 => H2O"


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    server = webpage.Server(webpage.site_folder())
    try:
        for width, height in ((1280, 800), (390, 844)):
            for dark in (False, True):
                driver = webpage.browser(width, height, dark=dark)
                try:
                    driver.get(server.url + "index.html#" + urllib.parse.urlencode({"eq": EQUATION}))
                    driver.execute_async_script(
                        "molvex2Ready.then(() => document.fonts.ready).then(() => arguments[0]())")
                    driver.execute_script("document.getElementById('options-panel').open = true")
                    name = "page-%dx%d%s.png" % (width, height, "-dark" if dark else "")
                    driver.save_screenshot(os.path.join(out, name))
                    print(os.path.join(out, name))
                finally:
                    driver.quit()
    finally:
        server.stop()


if __name__ == "__main__":
    main()
