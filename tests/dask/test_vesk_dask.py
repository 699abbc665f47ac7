#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Dask job on a local cluster of two worker processes on the loopback address: its listing, statistics and
exit status against one run of vesk-count over the same corpus, byte for byte.

    test_vesk_dask.py VESK_COUNT VESK_DASK_SCRIPT
"""

import os
import subprocess
import sys
import tempfile


def make_corpus(root):
    files = {
        "a.txt": "The cat and THE dog.\nDon't stop the well-known cat\n",
        "b/c.c": "int main() { /* the hidden words */ return cat; } // more hidden\n",
        "b/d.html": "<p>The <b>Ünïcode</b> words &amp; the Straße</p>\n",
        "b/e.txt": "ünïcode the cat " * 50 + "\n",
        "b/.hidden.txt": "never counted\n",
        "f.bin": "binary\0file",
    }
    for i in range(12):
        files[f"many/{i:02d}.txt"] = f"word{i} the Cat number {i}\n" * (i + 1)
    for name, text in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


def main(vesk_count, script):
    from distributed import LocalCluster

    with tempfile.TemporaryDirectory(prefix="vesk-dask-test-") as root:
        corpus = os.path.join(root, "corpus")
        make_corpus(corpus)
        failures = 0
        with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                          dashboard_address=None) as cluster:
            for options in (["--stats"], ["--format", "1", "--order", "alphabetical", "--allow", "numerals"],
                            ["--case-significant", "--min-frequency", "2", "--exclude", "*.html", "--stats"]):
                one = subprocess.run([vesk_count] + options + [corpus], capture_output=True)
                job = subprocess.run([sys.executable, script, "--scheduler", cluster.scheduler_address,
                                      "--vesk-count", vesk_count] + options + [corpus], capture_output=True)
                for what in ("returncode", "stdout", "stderr"):
                    if getattr(one, what) != getattr(job, what):
                        failures += 1
                        print(f"{options}: {what} differs:\n{getattr(one, what)!r}\n{getattr(job, what)!r}")
                if one.returncode != 3 or not one.stdout:
                    failures += 1
                    print(f"{options}: expected a listing without the binary file, got {one.returncode}")
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
