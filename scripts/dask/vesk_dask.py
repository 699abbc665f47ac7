#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Counts a corpus with vesk-count on a Dask cluster.

    vesk_dask.py (--scheduler tcp://HOST:PORT | --local N) [--vesk-count PATH] [vesk-count options] FILE|FOLDER...

Each file is one task: `vesk-count --emit` on a worker, whole files only, so that encodings, text checks and
comment state are exactly those of a count on one machine. The partial counts are merged on the workers as a
tree of `vesk-count --merge --emit`, and the last part is listed here by `vesk-count --merge` with the
listing options. The listing goes to standard output; the exit status is vesk-count's.

The files must lie at the same paths on every worker (a shared file system), and vesk-count at PATH.
"""

import fnmatch
import logging
import os
import stat
import subprocess
import sys
import tempfile

# How many values each vesk-count option takes; flags take none.
VALUES = {
    "-o": 1, "--output": 1, "-p": 1, "--params": 1, "--common-words": 1, "--export": 1, "--export-format": 1,
    "--encoding": 1, "--order": 1, "--format": 1, "--allow": 1, "--min-length": 1, "--min-frequency": 1,
    "--max-length": 1, "--ignore": 1, "--comments": 2, "--comments2": 2, "--include": 1, "--exclude": 1,
}
FLAGS = {"--commas", "--case-significant", "--keep-final-s", "--keep-repetitions", "--keep-roman",
         "--keep-no-vowel", "--stats"}
# The options that shape words go to every count; a parameter file goes everywhere, as the merge takes the
# parts' word shaping over its own.
SHAPING = {"--case-significant", "--keep-final-s", "--allow", "--comments", "--comments2", "--encoding"}
BOTH = {"-p", "--params"}
FAN_IN = 8


class UsageError(Exception):
    pass


def parse(argv):
    """The job's settings, the options for the counts, the options for the listing and the inputs."""
    job = {"scheduler": None, "local": None, "vesk_count": "vesk-count"}
    shaping, listing, inputs, include, exclude = [], [], [], [], []
    i, ended = 0, False
    while i < len(argv):
        arg = argv[i]
        i += 1
        if ended or not arg.startswith("-") or arg == "-":
            if arg == "-":
                raise UsageError("standard input cannot be counted on a cluster: name files or folders")
            inputs.append(arg)
            continue
        if arg == "--":
            ended = True
            continue
        name, inline = (arg.split("=", 1) + [None])[:2] if arg.startswith("--") else (arg, None)
        if name in ("--scheduler", "--local", "--vesk-count"):
            if inline is None:
                if i >= len(argv):
                    raise UsageError(f"option '{name}' needs a value")
                inline, i = argv[i], i + 1
            job[name[2:].replace("-", "_")] = inline
            continue
        if name in FLAGS:
            values = []
        elif name in VALUES:
            count = VALUES[name]
            if inline is not None and count == 1:
                values = [inline]
            else:
                if i + count > len(argv):
                    raise UsageError(f"option '{name}' needs {count} value(s)")
                values, i = argv[i:i + count], i + count
        else:
            raise UsageError(f"option '{name}' is not one a cluster count takes")
        if name == "--include":
            include += values
        elif name == "--exclude":
            exclude += values
        else:
            words = [name] + values
            if name in SHAPING or name in BOTH:
                shaping += words
            if name not in SHAPING:
                listing += words
    if (job["scheduler"] is None) == (job["local"] is None):
        raise UsageError("give one of --scheduler tcp://HOST:PORT and --local N")
    if job["local"] is not None and not job["local"].isdigit():
        raise UsageError("--local takes a number of worker processes")
    if not inputs:
        raise UsageError("no file or folder to count")
    return job, shaping, listing, inputs, include, exclude


def corpus_files(inputs, include, exclude):
    """The files of the corpus in vesk-count's order: the arguments in turn, a folder's regular files below
    it in byte order of their paths, hidden names skipped, links to folders not followed."""
    def taken(name):
        return ((not include or any(fnmatch.fnmatchcase(name, p) for p in include))
                and not any(fnmatch.fnmatchcase(name, p) for p in exclude))

    files = []
    for argument in inputs:
        if not os.path.isdir(argument):
            files.append(argument)
            continue
        # A folder that cannot be read is a file vesk-count names as skipped, as a run over the corpus does.
        found = []
        for folder, dirs, names in os.walk(argument, followlinks=False, onerror=lambda e: found.append(e.filename)):
            dirs[:] = [d for d in dirs if not d.startswith(".") and not os.path.islink(os.path.join(folder, d))]
            for name in names:
                path = os.path.join(folder, name)
                try:
                    regular = stat.S_ISREG(os.stat(path).st_mode)
                except OSError:
                    regular = False
                if not name.startswith(".") and regular and taken(name):
                    found.append(path)
        files += sorted(found, key=os.fsencode)
    return files


def run_count(args, stdin=None):
    """Runs vesk-count; its partial count, or an error with what it said."""
    done = subprocess.run(args, input=stdin, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if done.returncode not in (0, 3):
        raise RuntimeError(f"{' '.join(args)} exited with {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout


def emit_file(vesk_count, shaping, index, path):
    return run_count([vesk_count] + shaping + ["--emit", "-", "--corpus-index", str(index), "--", path])


def merge_parts(vesk_count, *parts):
    with tempfile.TemporaryDirectory(prefix="vesk-dask-") as folder:
        names = []
        for i, part in enumerate(parts):
            names.append(os.path.join(folder, f"{i}.part"))
            with open(names[-1], "wb") as f:
                f.write(part)
        return run_count([vesk_count, "--merge", "--emit", "-"] + names)


def count_on_cluster(client, vesk_count, shaping, files):
    """The partial count of the whole corpus, reduced as a tree on the workers."""
    level = [client.submit(emit_file, vesk_count, shaping, i, path, pure=False) for i, path in enumerate(files)]
    while len(level) > 1:
        level = [client.submit(merge_parts, vesk_count, *level[i:i + FAN_IN], pure=False)
                 for i in range(0, len(level), FAN_IN)]
    return level[0].result()


def main(argv):
    try:
        job, shaping, listing, inputs, include, exclude = parse(argv)
    except UsageError as e:
        print(f"vesk_dask: {e}", file=sys.stderr)
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    files = corpus_files(inputs, include, exclude)
    vesk_count = os.path.abspath(job["vesk_count"]) if os.sep in job["vesk_count"] else job["vesk_count"]
    from distributed import Client, LocalCluster

    # Standard error is vesk-count's: the cluster's notices about slow shutdowns (a worker closed late under
    # load) would mix with it; failures still come through as errors of the tasks.
    logging.getLogger("distributed").setLevel(logging.ERROR)
    logging.getLogger("asyncio").setLevel(logging.CRITICAL)

    if job["local"] is not None:
        cluster = LocalCluster(n_workers=int(job["local"]), threads_per_worker=1, processes=True,
                               host="127.0.0.1", dashboard_address=None)
        client = Client(cluster)
    else:
        cluster, client = None, Client(job["scheduler"])
    try:
        part = count_on_cluster(client, vesk_count, shaping, files) if files else None
    except RuntimeError as e:
        print(f"vesk_dask: {e}", file=sys.stderr)
        return 1
    finally:
        client.close()
        if cluster is not None:
            cluster.close()
    if part is None:
        print("vesk_dask: no file to count", file=sys.stderr)
        return 1
    sys.stdout.flush()
    return subprocess.run([vesk_count, "--merge"] + listing + ["-"], input=part).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
