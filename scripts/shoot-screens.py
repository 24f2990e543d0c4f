#!/usr/bin/env python3
"""Walks the real game through its tutorial and every modal screen under an X server, saving a
picture of each, then puts them together for the README.

Usage (from the repository's top):
    xvfb-run -a -s '-screen 0 1280x1024x24' scripts/shoot-screens.py BUILD_DIR OUT_DIR [--docs]

The game runs in OUT_DIR with a registry file of its own, so nothing reaches the user's settings.
Every picture is OUT_DIR/<name>.png as the window shows it (the game draws its own pointer, so the
pointer is in the picture where a player would see it); after-*.png show the frame once a screen
has closed, to catch what stays behind. With --docs the two montages are written to
docs/screens-tutorial.png and docs/screens-dialogs.png.
"""
import os
import subprocess
import sys
import time

BOARD_LEFT, BOARD_TOP, CELL = 107, 101, 42
START_BUTTON = (233, 408)
PAUSE_BUTTON = (470, 325)
OPTIONS_BUTTON = (500, 357)
HIGHSCORE_BUTTON = (490, 385)
RESTART_BUTTON = (500, 427)
DIALOG_LEFT, DIALOG_TOP = 23, 17
CONTINUE_BUTTON = (DIALOG_LEFT + 101 + 60, DIALOG_TOP + 293 + 20)
NAME_OK_BUTTON = (DIALOG_LEFT + 179 + 40, DIALOG_TOP + 366 + 15)
SCORES_OK_BUTTON = (DIALOG_LEFT + 290 + 40, DIALOG_TOP + 378 + 12)
SCORES_CLEAR_BUTTON = (DIALOG_LEFT + 60 + 40, DIALOG_TOP + 378 + 12)
TUTORIAL_CELLS = [(1, 0), (2, 0), (3, 0), (3, 1), (0, 1)]
KEY = "[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]"


def registry_text(did_tutorial, start_level=None, scores=()):
    lines = ["REGEDIT4", "", KEY, '"Did Tutorial"=hex:%02x,00,00,00' % did_tutorial]
    if start_level is not None:
        lines.append('"Start Level"=hex:%02x,00,00,00' % start_level)
    for row, (name, score, level) in enumerate(scores):
        data = (257).to_bytes(4, "little") + name.encode().ljust(32, b"\0")
        data += score.to_bytes(4, "little") + level.to_bytes(4, "little")
        lines.append('"HS:%d"=hex:%s' % (row, ",".join("%02x" % b for b in data)))
    return "\n".join(lines) + "\n"


class Game:
    def __init__(self, build, work, registry, args=()):
        self.work = work
        os.makedirs(work, exist_ok=True)
        self.registry = os.path.join(work, "registry.reg")
        with open(self.registry, "w") as out:
            out.write(registry)
        env = dict(os.environ, GLIMMERDROP_REGISTRY=self.registry, HOME=work)
        self.process = subprocess.Popen([os.path.join(os.path.abspath(build), "glimmerdrop"), "-trace"] + list(args),
                                        cwd=work, env=env, stdout=open(os.path.join(work, "output.txt"), "a"),
                                        stderr=subprocess.STDOUT)
        for _ in range(100):
            time.sleep(0.2)
            found = subprocess.run(["xdotool", "search", "--name", "Glimmerdrop"], capture_output=True, text=True)
            if found.stdout.split():
                self.window = found.stdout.split()[0]
                break
        else:
            raise SystemExit("the game's window did not appear")
        time.sleep(2.5)

    def xdo(self, *args):
        subprocess.run(["xdotool"] + list(args), check=False)

    def move(self, x, y):
        self.xdo("mousemove", "--window", self.window, str(x), str(y))
        time.sleep(0.15)

    def click(self, x, y, settle=0.6):
        self.move(x, y)
        self.xdo("click", "1")
        time.sleep(settle)

    def cell(self, column, row, settle=0.6):
        self.click(BOARD_LEFT + CELL * column + 21, BOARD_TOP + CELL * row + 21, settle)

    def key(self, name, settle=0.5):
        self.xdo("key", "--window", self.window, name)
        time.sleep(settle)

    def type(self, text):
        self.xdo("type", "--window", self.window, "--delay", "60", text)
        time.sleep(0.4)

    def brightness(self, x, y, width, height):
        """Mean brightness (0 to 1) of a part of the window: the arena is dark, the screens are light."""
        mean = subprocess.run(["import", "-window", self.window, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                               "-colorspace", "gray", "-format", "%[fx:mean]", "info:"],
                              capture_output=True, text=True).stdout
        return float(mean or 0)

    def game_over(self):
        # The notice covers the arena's dark left edge with its light card.
        return self.brightness(40, 300, 30, 40) > 0.7

    def shoot_clearest(self, name, region, tries=6):
        """The caret blinks and the hand pulses: of a few pictures keep the one where the region
        is brightest."""
        best = -1.0
        for _ in range(tries):
            value = self.brightness(*region)
            if value > best:
                best = value
                path = self.shoot(name)
            time.sleep(0.17)
        return path

    def shoot(self, name):
        path = os.path.join(self.work, name + ".png")
        subprocess.run(["import", "-window", self.window, path], check=True)
        print(path, flush=True)
        return path

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=20)


def tutorial(game):
    game.move(600, 60)
    game.shoot("start")
    game.click(*START_BUTTON, settle=2.0)
    game.move(600, 60)
    game.shoot_clearest("tutorial-page-1", (105, 50, 40, 30), tries=11)
    for step, (column, row) in enumerate(TUTORIAL_CELLS):
        game.cell(column, row, settle=0.25 if step in (3, 4) else 1.6)
        if step == 3:
            time.sleep(0.2)
            game.shoot("tutorial-crunch")
            time.sleep(1.4)
        if step in (0, 2):
            game.move(600, 60)
            hand_x = BOARD_LEFT + CELL * TUTORIAL_CELLS[step + 1][0] - 49
            game.shoot_clearest("tutorial-page-%d" % (step + 2), (hand_x + 5, 50, 40, 30), tries=11)
    time.sleep(0.6)
    game.shoot("tutorial-last-crunch")
    time.sleep(6)
    game.move(600, 60)
    game.shoot("info-hint")


def dialogs(game):
    """From the information picture before level 2, with the tutorial's score, to the end of
    that game. Each screen closed is photographed again, to see that nothing of it stays."""
    game.click(*START_BUTTON, settle=2.5)
    game.click(*PAUSE_BUTTON, settle=0.8)
    game.shoot("pause")
    game.click(*PAUSE_BUTTON, settle=0.8)
    game.shoot("after-pause")
    game.click(*RESTART_BUTTON, settle=0.8)
    game.shoot("restart-confirm")
    game.key("Return", settle=0.8)
    game.shoot("after-restart-confirm")
    game.click(*OPTIONS_BUTTON, settle=0.8)
    game.shoot("options")
    game.key("Return", settle=0.8)
    game.shoot("after-options")
    game.click(*HIGHSCORE_BUTTON, settle=0.8)
    game.shoot("highscores-before")
    game.click(*SCORES_CLEAR_BUTTON, settle=0.8)
    game.shoot("clear-all-confirm")
    game.key("Return", settle=0.8)
    game.shoot("after-clear-all-cancel")
    game.key("Return", settle=0.8)
    game.shoot("after-highscores")
    # The game's debug keys (control+G, M, control+G, then "-" for ten seconds less) run the
    # level's clock down.
    game.move(*CONTINUE_BUTTON)
    for name in ("ctrl+g", "m", "ctrl+g"):
        game.key(name, settle=0.1)
    deadline = time.time() + 60
    while not game.game_over():
        if time.time() > deadline:
            game.shoot("no-game-over")
            raise SystemExit("the clock did not run out")
        for _ in range(5):
            game.key("minus", settle=0.02)
        time.sleep(0.2)
    time.sleep(0.3)
    game.shoot("gameover-waiting")
    time.sleep(2.2)
    game.move(CONTINUE_BUTTON[0] + 2, CONTINUE_BUTTON[1])
    game.shoot("gameover-continue")
    game.click(*CONTINUE_BUTTON, settle=0.8)
    game.type("ie")
    game.move(600, 60)
    game.shoot_clearest("enter-name", (48, 284, 146, 24))
    game.click(*NAME_OK_BUTTON, settle=1.0)
    game.shoot("highscores")
    game.click(*SCORES_CLEAR_BUTTON, settle=0.8)
    game.shoot("clear-all-confirm-2")
    game.key("Return", settle=0.8)
    game.key("Return", settle=0.8)
    game.move(600, 60)
    game.shoot("after-game-over")


TUTORIAL_MONTAGE = [("start", "The start screen"), ("tutorial-page-1", "Tutorial: page 1, the hand"),
                    ("tutorial-page-2", "Tutorial: page 2"),
                    ("tutorial-crunch", "Tutorial: a row crunches, page 5"),
                    ("tutorial-last-crunch", "Tutorial: the level clears, page 6"),
                    ("info-hint", "Information picture before level 2")]
DIALOGS_MONTAGE = [("pause", "Paused by the player"), ("restart-confirm", "Restart confirmation"),
                   ("options", "Options"), ("gameover-waiting", "Game over: continue not yet on"),
                   ("gameover-continue", "Game over: continue on (2 s)"),
                   ("enter-name", "Name entry: login name, typed, caret"),
                   ("highscores", "High scores with the new row"),
                   ("clear-all-confirm-2", "Clear-all confirmation over the table"),
                   ("after-game-over", "Back to the start screen")]


def montage(out, shots, target):
    args = ["montage"]
    for path, label in shots:
        args += ["-label", label, os.path.join(out, path + ".png")]
    args += ["-tile", "3x", "-geometry", "400x300+6+6", "-pointsize", "15", "-background", "#f4e8f4",
             os.path.join(out, "montage.png")]
    subprocess.run(args, check=True)
    subprocess.run(["convert", os.path.join(out, "montage.png"), "-dither", "FloydSteinberg", "-colors", "256",
                    "PNG8:" + target], check=True)
    print(target, os.path.getsize(target), "bytes", flush=True)


def main():
    build, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    scores = [("Juno", 48200, 9), ("Oona", 31750, 7), ("Lark", 12400, 4), ("Tobin", 2600, 2), ("Mira", 0, 1)]
    game = Game(build, out, registry_text(0, 1, scores))
    try:
        tutorial(game)
        dialogs(game)
    finally:
        game.close()
    if "--docs" in sys.argv:
        montage(out, TUTORIAL_MONTAGE, "docs/screens-tutorial.png")
        montage(out, DIALOGS_MONTAGE, "docs/screens-dialogs.png")


if __name__ == "__main__":
    main()
