#!/usr/bin/env python3
"""Plays two engines that speak the dots engines' common protocol against
each other on one field, to the last free node, and writes the transcript of
what was sent and answered. Each move is asked of the engine whose turn it is
(gen_move_with_time) and then played on both.

Usage: scripts/points_selfplay.py [--size W H] [--time MS] [--seed N]
       [--transcript FILE] COMMAND1 [COMMAND2]
(one command plays both sides; the default engine is our own in protocol mode)
"""
import argparse
import shlex
import subprocess
import sys


class Engine:
    def __init__(self, command, log, label):
        self.process = subprocess.Popen(shlex.split(command), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, bufsize=1)
        self.log, self.label, self.next_id = log, label, 1

    def ask(self, command):
        line = f"{self.next_id} {command}"
        self.next_id += 1
        self.process.stdin.write(line + "\n")
        answer = self.process.stdout.readline().rstrip("\n")
        self.log.write(f"{self.label} < {line}\n{self.label} > {answer}\n")
        words = answer.split()
        if len(words) < 3 or words[0] != "=" or words[1] != line.split()[0]:
            return None
        return words[3:]

    def close(self):
        self.ask("quit")
        self.process.wait(timeout=5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--size", nargs=2, type=int, default=[39, 32])
    parser.add_argument("--time", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--transcript", default="-")
    parser.add_argument("commands", nargs="*", default=["build/tools/engine_driver/solvar-engine --protocol points"])
    options = parser.parse_args()
    log = sys.stdout if options.transcript == "-" else open(options.transcript, "w")
    commands = options.commands if len(options.commands) == 2 else options.commands * 2
    engines = [Engine(commands[0], log, "A")]
    engines.append(engines[0] if commands[1] == commands[0] and len(options.commands) < 2 else
                   Engine(commands[1], log, "B"))
    width, height = options.size
    for engine in {id(e): e for e in engines}.values():
        if engine.ask(f"init {width} {height} {options.seed}") is None:
            sys.exit("init refused")
    moves = 0
    colour = 0
    while True:
        answer = engines[colour].ask(f"gen_move_with_time {colour} {options.time}")
        if answer is None:
            break
        x, y, _ = answer
        for engine in {id(e): e for e in engines}.values():
            if engine.ask(f"play {x} {y} {colour}") is None:
                sys.exit(f"play {x} {y} {colour} refused")
        moves += 1
        colour = 1 - colour
    for engine in {id(e): e for e in engines}.values():
        engine.close()
    print(f"{moves} moves played on {width} x {height}; no free node left" if moves else "no move played",
          file=sys.stderr)
    return 0 if moves else 1


if __name__ == "__main__":
    sys.exit(main())
