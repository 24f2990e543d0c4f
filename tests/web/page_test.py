#!/usr/bin/env python3
"""Plays the browser build in headless Chromium and checks what a player and the desktop programs would.

Usage: page_test.py WEB_BUILD NATIVE_BUILD REPOSITORY
Prints one line per test and ends with "N passed, N failed".
"""

import functools
import gzip
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import Browser  # noqa: E402

WEB, NATIVE, ROOT = (os.path.abspath(path) for path in sys.argv[1:4])
JOURNALS = os.path.join(ROOT, "tests", "integration", "journals")
GOLDEN = os.path.join(ROOT, "tests", "integration", "golden")
REGISTRY = ('REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n'
            '"Did Tutorial"=hex:01,00,00,00\n')
# The games kept with their stored rows, played by mouse and by keyboard alone.
KEPT_GAMES = ["screens", "keyboard"]
# Where the 640 x 480 frame stands on an 800 x 600 page: centred, at its own size.
FRAME_X, FRAME_Y = 80, 60


class Site:
    """The build's files, the journals and a settings file, served on 127.0.0.1."""

    def __init__(self, folder):
        for name in ("index.html", "glimmerdrop.js", "glimmerdrop.wasm", "glimmerdrop.vxz"):
            shutil.copy(os.path.join(WEB, name), folder)
        for name in KEPT_GAMES:
            with gzip.open(os.path.join(JOURNALS, name + ".journal.gz")) as journal:
                with open(os.path.join(folder, name + ".journal"), "wb") as out:
                    out.write(journal.read())
        with open(os.path.join(folder, "start.reg"), "w") as out:
            out.write(REGISTRY)
        handler = functools.partial(Quiet, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def stored_row(registry_text, name="HS:0"):
    """The bytes of one binary value as the hex the golden files hold, or None."""
    lines = registry_text.replace("\\\r\n", "").replace("\\\n", "").splitlines()
    for line in lines:
        line = line.strip()
        if line.startswith('"%s"=hex:' % name):
            return line.split("=hex:", 1)[1].replace(",", "").replace(" ", "").lower()
    return None


def golden_row(name):
    with open(os.path.join(GOLDEN, name + "-hs0.txt")) as golden:
        return golden.read().strip().lower()


def open_game(browser, site, query=""):
    """Loads the page, waits for its files and starts the game with a click on the cover."""
    start = time.monotonic()
    browser.navigate(site.url + "index.html" + query)
    ready = browser.wait_for("document.getElementById('message') && "
                             "document.getElementById('message').textContent === 'Click to play'",
                             timeout=60, interval=0.02)
    assert ready, "the page never offered to play: %r" % browser.evaluate(
        "document.getElementById('message') && document.getElementById('message').textContent")
    print("  page ready to play %.2f s after it was asked for" % (time.monotonic() - start), flush=True)
    browser.click(FRAME_X + 320, FRAME_Y + 240)


def frame(browser, folder, name):
    path = os.path.join(folder, name + ".png")
    with open(path, "wb") as out:
        out.write(browser.screenshot(FRAME_X, FRAME_Y, 640, 480))
    return path


def differing_pixels(first, second, area=None):
    """How many pixels of two pictures differ (in one area, WxH+X+Y, when given)."""
    crop = ["-crop", area, "+repage"] if area else []
    pictures = []
    for index, path in enumerate((first, second)):
        out = "%s.cmp%d.png" % (first, index)
        subprocess.run(["convert", path] + crop + ["-alpha", "off", out], check=True)
        pictures.append(out)
    result = subprocess.run(["compare", "-metric", "AE"] + pictures + ["null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def linux_start_frame(folder):
    """The start screen as the Linux program presents it on SDL's dummy driver."""
    run = os.path.join(folder, "linux")
    os.mkdir(run)
    with open(os.path.join(run, "registry.reg"), "w") as out:
        out.write(REGISTRY)
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy", SDL_VIDEO_DUMMY_SAVE_FRAMES="1",
               GLIMMERDROP_REGISTRY=os.path.join(run, "registry.reg"))
    game = subprocess.Popen([os.path.join(NATIVE, "glimmerdrop")], cwd=run, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(4)
    game.terminate()
    try:
        game.wait(timeout=20)
    except subprocess.TimeoutExpired:
        game.kill()
        game.wait()
    frames = sorted((name for name in os.listdir(run) if name.endswith(".bmp")),
                    key=lambda name: int("".join(ch for ch in name if ch.isdigit()) or 0))
    assert frames, "the Linux program presented no frame"
    return os.path.join(run, frames[-1])


def test_the_kept_journals_store_the_same_rows_as_the_desktop_programs(browser, site, folder):
    for name in KEPT_GAMES:
        open_game(browser, site, "?demo=%s.journal&registry=start.reg" % name)
        code = browser.wait_for("window.glimmerdropExitCode !== undefined ? String(window.glimmerdropExitCode) : ''",
                                timeout=240)
        assert code == "0", "%s: the game did not end cleanly: %r" % (name, code)
        row = stored_row(browser.evaluate("glimmerdropRegistry()"))
        assert row == golden_row(name), "%s: stored %s, the desktop programs store %s" % (name, row, golden_row(name))


def test_the_row_is_still_there_after_a_reload(browser, site, folder):
    browser.reload()
    open_game(browser, site)
    row = browser.wait_for("(function () { const text = glimmerdropRegistry(); "
                           "return text.indexOf('\"HS:0\"') >= 0 ? text : ''; })()", timeout=30)
    assert row, "the settings file came back without the row"
    assert stored_row(row) == golden_row(KEPT_GAMES[-1]), "after the reload: %s" % stored_row(row)


def test_the_start_screen_matches_the_linux_frame(browser, site, folder):
    expected = linux_start_frame(folder)
    open_game(browser, site, "?registry=start.reg")
    # The Linux program, never given a pointer, draws it at the frame's corner.
    clicked = time.monotonic()
    browser.move(FRAME_X, FRAME_Y)
    difference = None
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        difference = differing_pixels(frame(browser, folder, "start"), expected)
        if difference == 0:
            print("  the start screen matched %.2f s after the click" % (time.monotonic() - clicked), flush=True)
            return
        time.sleep(0.5)
    # The Options button's shine sweeps by now and then; a frame without it must match exactly.
    raise AssertionError("%d pixels differ from the Linux frame (kept in %s)" % (difference, folder))


def test_keys_and_clicks_move_a_candy_and_pause(browser, site, folder):
    open_game(browser, site, "?registry=start.reg")
    time.sleep(3)
    browser.press("Enter")
    time.sleep(2)
    board = "252x252+107+101"
    before = frame(browser, folder, "board-before")
    moved = False
    for key in ("ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown"):
        browser.press(key)
        time.sleep(1)
        if differing_pixels(frame(browser, folder, "board-after"), before, board) > 500:
            moved = True
            break
    assert moved, "no arrow key moved a candy"
    playing = frame(browser, folder, "playing")
    browser.click(FRAME_X + PAUSE_X, FRAME_Y + PAUSE_Y)
    time.sleep(1)
    assert differing_pixels(frame(browser, folder, "paused"), playing, board) > 20000, "the pause did not open"


# The pause button's middle in the frame.
PAUSE_X, PAUSE_Y = 480, 330

TESTS = [
    test_the_kept_journals_store_the_same_rows_as_the_desktop_programs,
    test_the_row_is_still_there_after_a_reload,
    test_the_start_screen_matches_the_linux_frame,
    test_keys_and_clicks_move_a_candy_and_pause,
]


def main():
    passed = failed = 0
    folder = tempfile.mkdtemp(prefix="glimmerdrop-web-")
    served = os.path.join(folder, "site")
    os.mkdir(served)
    site = Site(served)
    browser = Browser(os.path.join(folder, "profile"))
    try:
        for test in TESTS:
            start = time.monotonic()
            try:
                test(browser, site, folder)
                passed += 1
                print("PASS %s (%.1f s)" % (test.__name__, time.monotonic() - start), flush=True)
            except Exception:
                failed += 1
                print("FAIL %s (%.1f s)" % (test.__name__, time.monotonic() - start), flush=True)
                traceback.print_exc(file=sys.stdout)
    finally:
        browser.close()
        site.close()
    if failed == 0 and not os.environ.get("GLIMMERDROP_KEEP"):
        shutil.rmtree(folder, ignore_errors=True)
    else:
        print("pictures and the browser's profile kept in %s" % folder)
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
