#!/usr/bin/env python3
"""Walks the real game through its tutorial and every modal screen under an X server, saving a
picture of each, then puts them together for the README.

Usage (from the repository's top):
    xvfb-run -a -s '-screen 0 1280x1024x24' scripts/shoot-screens.py BUILD_DIR OUT_DIR

The game runs in OUT_DIR with a registry file of its own, so nothing reaches the user's settings.
Every picture is OUT_DIR/<name>.png as the window shows it (the game draws its own pointer, so the
pointer is in the picture where a player would see it). With --docs the two montages are written
to docs/screens-tutorial.png and docs/screens-dialogs.png.
"""
import importlib.util
import os
import random
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
SCORE_BOX = (462, 148, 160, 30)
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
        self.process = subprocess.Popen([os.path.join(os.path.abspath(build), "glimmerdrop")] + list(args),
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

    def shoot(self, name):
        path = os.path.join(self.work, name + ".png")
        subprocess.run(["import", "-window", self.window, path], check=True)
        print(path, flush=True)
        return path

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=20)


def tutorial(build, out):
    game = Game(build, os.path.join(out, "tutorial"), registry_text(0))
    game.move(600, 60)
    game.shoot("start")
    game.click(*START_BUTTON, settle=2.0)
    game.move(600, 60)
    # The hand fades in and out; wait for it to be well in sight.
    for _ in range(20):
        if game.brightness(105, 50, 40, 30) > 0.35:
            break
        time.sleep(0.1)
    game.shoot("tutorial-page-1")
    for step, (column, row) in enumerate(TUTORIAL_CELLS):
        game.cell(column, row, settle=0.25 if step in (3, 4) else 1.6)
        if step == 3:
            time.sleep(0.2)
            game.shoot("tutorial-crunch")
            time.sleep(1.4)
        if step in (0, 2):
            game.move(600, 60)
            game.shoot("tutorial-page-%d" % (step + 2))
    time.sleep(0.6)
    game.shoot("tutorial-last-crunch")
    time.sleep(6)
    game.move(600, 60)
    game.shoot("info-hint")
    game.close()


def dialogs(build, out):
    scores = [("Juno", 48200, 9), ("Oona", 31750, 7), ("Lark", 12400, 4), ("Tobin", 2600, 2), ("Mira", 0, 1)]
    game = Game(build, os.path.join(out, "dialogs"), registry_text(1, 6, scores))
    game.click(*START_BUTTON, settle=1.0)
    game.move(600, 60)
    game.shoot("info-red")
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
    # Only a result above zero enters the table: play until the score moves.
    spec = importlib.util.spec_from_file_location("journal_bot", os.path.join(os.path.dirname(__file__),
                                                                               "record-journal.py"))
    journal_bot = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(journal_bot)
    bot = journal_bot.Bot(game.window, random.Random(5))
    no_score = game.brightness(*SCORE_BOX)
    deadline = time.time() + 55
    while time.time() < deadline and game.brightness(*SCORE_BOX) == no_score and not game.game_over():
        cells = bot.board()
        if bot.blank_of(cells) is None:
            time.sleep(0.3)
            continue
        bot.play_one_move()
    game.move(*CONTINUE_BUTTON)
    # Level 6 gives a minute; the game-over notice opens when it runs out.
    deadline = time.time() + 90
    while time.time() < deadline and not game.game_over():
        time.sleep(0.1)
    time.sleep(0.3)
    game.shoot("gameover-waiting")
    time.sleep(2.2)
    game.move(CONTINUE_BUTTON[0] + 2, CONTINUE_BUTTON[1])
    game.shoot("gameover-continue")
    game.click(*CONTINUE_BUTTON, settle=0.8)
    game.type("ie")
    game.move(600, 60)
    game.shoot("enter-name")
    game.click(*NAME_OK_BUTTON, settle=1.0)
    game.shoot("highscores")
    game.click(*SCORES_CLEAR_BUTTON, settle=0.8)
    game.shoot("clear-all-confirm-2")
    game.key("Return", settle=0.8)
    game.key("Return", settle=0.8)
    game.move(600, 60)
    game.shoot("after-game-over")
    game.close()


def main():
    build, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    if "--dialogs" not in sys.argv:
        tutorial(build, out)
    dialogs(build, out)


if __name__ == "__main__":
    main()
