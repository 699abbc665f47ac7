#!/usr/bin/env python3
"""Writes a text of a million distinct words, letters only, so that every peer counts the same words.

    bench/make-distinct.py [OUTPUT] [COUNT]     (default /tmp/vesk-corpora/distinct_1m.txt, 1000000)

Each word is a different number written in base 26 with the letters a-z, so no two are alike; a fixed
prefix letter keeps them clear of the short words that the word rules treat specially, and no word ends
in "s", so dropping a final "s" changes none of them. Ten words to a line.
"""
import random
import sys


def word(n: int) -> str:
    letters = []
    while True:
        letters.append(chr(ord("a") + n % 26))
        n //= 26
        if n == 0:
            break
    return "q" + "".join(letters) + "e"


def main() -> None:
    output = sys.argv[1] if len(sys.argv) > 1 else "/tmp/vesk-corpora/distinct_1m.txt"
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    numbers = list(range(count))
    random.Random(1).shuffle(numbers)
    with open(output, "w", encoding="ascii", newline="\n") as out:
        for start in range(0, count, 10):
            out.write(" ".join(word(n) for n in numbers[start:start + 10]) + "\n")


if __name__ == "__main__":
    main()
