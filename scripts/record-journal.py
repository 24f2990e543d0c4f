#!/usr/bin/env python3
"""Records a journal of the real game, played by a bot, under an X server.

Usage (from the repository's top):
    xvfb-run -a -s '-screen 0 1280x1024x24' scripts/record-journal.py BUILD_DIR OUT_DIR SECONDS [F12_AT]

The game runs in OUT_DIR with its own registry file (the defaults, tutorial already played) and
"-journal -trace", so OUT_DIR ends up holding journal.bin, trace.txt and the picture of the last
frame (end.png). The bot reads the board off the screen (ImageMagick's import), prefers moves that
complete a line or bring one closer, clicks cells or presses arrow keys with xdotool, and presses
Enter on every screen without a board. With F12_AT it presses F12 once that many seconds into play.
The recording ends with SIGTERM, which the game takes as a closed window.
"""
import os
import random
import subprocess
import sys
import time

BOARD_LEFT, BOARD_TOP, CELL = 107, 101, 42
START_BUTTON = (233, 408)
OUT_OF_THE_WAY = (600, 40)


def main():
    build, work, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
    shot_at = float(sys.argv[4]) if len(sys.argv) > 4 else -1.0
    os.makedirs(work, exist_ok=True)
    for name in os.listdir(work):
        os.remove(os.path.join(work, name))
    with open(os.path.join(work, "registry.reg"), "w") as registry:
        registry.write('REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n'
                       '"Did Tutorial"=hex:01,00,00,00\n')
    env = dict(os.environ, GLIMMERDROP_REGISTRY=os.path.join(work, "registry.reg"), HOME=work)
    game = subprocess.Popen([os.path.join(os.path.abspath(build), "glimmerdrop"), "-journal", "-trace"], cwd=work,
                            env=env, stdout=open(os.path.join(work, "output.txt"), "w"),
                            stderr=subprocess.STDOUT)
    time.sleep(5)
    window = subprocess.check_output(["xdotool", "search", "--name", "Glimmerdrop"]).split()[0].decode()
    bot = Bot(window, random.Random(11))
    bot.click(*START_BUTTON)
    time.sleep(1.6)
    start = time.time()
    shot_done = False
    while time.time() - start < seconds:
        if 0 <= shot_at < time.time() - start and not shot_done:
            bot.move(*OUT_OF_THE_WAY)
            time.sleep(0.3)
            bot.key("F12")
            shot_done = True
            time.sleep(0.4)
            continue
        bot.play_one_move()
    time.sleep(0.5)
    subprocess.run(["import", "-window", window, os.path.join(work, "end.png")], check=False)
    game.terminate()
    game.wait(timeout=20)
    with open(os.path.join(work, "trace.txt")) as trace:
        print(trace.read().splitlines()[-1])


class Bot:
    def __init__(self, window, rng):
        self.window = window
        self.rng = rng

    def xdo(self, *args):
        subprocess.run(["xdotool"] + list(args), check=False)

    def move(self, x, y):
        self.xdo("mousemove", "--window", self.window, str(x), str(y))

    def click(self, x, y):
        self.move(x, y)
        time.sleep(0.03)
        self.xdo("click", "1")

    def key(self, name):
        self.xdo("key", "--window", self.window, name)

    def grab(self):
        data = subprocess.check_output(["import", "-window", self.window, "ppm:-"])
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            begin = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[begin:pos])
        depth = 2 if int(fields[3]) > 255 else 1
        return data[pos + 1:], int(fields[1]), depth

    def board(self):
        # The game draws its own pointer: keep it off the board while looking.
        self.move(*OUT_OF_THE_WAY)
        time.sleep(0.05)
        pixels, width, depth = self.grab()
        cells = []
        for y in range(6):
            row = []
            for x in range(6):
                px, py = BOARD_LEFT + CELL * x + 21, BOARD_TOP + CELL * y + 26
                i = (py * width + px) * 3 * depth
                row.append((pixels[i] // 40, pixels[i + depth] // 40, pixels[i + 2 * depth] // 40))
            cells.append(row)
        return cells

    @staticmethod
    def blank_of(cells):
        counts = {}
        for row in cells:
            for c in row:
                counts[c] = counts.get(c, 0) + 1
        for y in range(6):
            for x in range(6):
                c = cells[y][x]
                # The empty cell shows the arena's dark purple.
                if counts[c] == 1 and c[0] <= 3 and c[1] <= 2 and c[2] <= 4:
                    return x, y
        return None

    @staticmethod
    def slide(cells, blank, target):
        cells = [row[:] for row in cells]
        (bx, by), (tx, ty) = blank, target
        if ty == by:
            step = 1 if tx > bx else -1
            for x in range(bx, tx, step):
                cells[by][x] = cells[by][x + step]
        else:
            step = 1 if ty > by else -1
            for y in range(by, ty, step):
                cells[y][bx] = cells[y + step][bx]
        cells[ty][tx] = None
        return cells

    @staticmethod
    def lines_of(cells):
        rows = [cells[y] for y in range(6)]
        columns = [[cells[y][x] for y in range(6)] for x in range(6)]
        return rows + columns

    def complete(self, cells):
        return sum(1 for line in self.lines_of(cells) if line[0] is not None and all(c == line[0] for c in line))

    def value(self, cells):
        total = 0
        for line in self.lines_of(cells):
            counts = {}
            for c in line:
                if c is not None:
                    counts[c] = counts.get(c, 0) + 1
            total += max(counts.values()) ** 2 if counts else 0
        return total

    @staticmethod
    def moves(blank):
        bx, by = blank
        return [(x, by) for x in range(6) if x != bx] + [(bx, y) for y in range(6) if y != by]

    def play_one_move(self):
        cells = self.board()
        blank = self.blank_of(cells)
        if blank is None:
            # An information screen, a panel or an animation: go on.
            self.key("Return")
            time.sleep(0.8)
            return
        cells[blank[1]][blank[0]] = None
        best, best_value = None, -1.0
        for first in self.moves(blank):
            after = self.slide(cells, blank, first)
            value = 100000 * self.complete(after)
            if value == 0:
                for second in self.moves(first):
                    then = self.slide(after, first, second)
                    value = max(value, 1000 * self.complete(then) or self.value(then))
            value += self.rng.random()
            if value > best_value:
                best, best_value = first, value
        x, y = best
        bx, by = blank
        keys = {(bx - 1, by): "Left", (bx + 1, by): "Right", (bx, by - 1): "Up", (bx, by + 1): "Down"}
        if self.rng.random() < 0.2 and best in keys:
            self.key(keys[best])
        else:
            self.click(BOARD_LEFT + CELL * x + self.rng.randrange(6, 36), BOARD_TOP + CELL * y + self.rng.randrange(6, 36))
        time.sleep(0.85 if best_value >= 100000 else 0.2)


if __name__ == "__main__":
    main()
