#!/usr/bin/env python3
"""Prints a regular expression matching the sources of the compile database that match
the given expression and changed since a commit, or include a header that did; empty
when none. Header dependencies come from Ninja's records of the last build.

    tidy-affected.py top build commit regex
"""
import json
import os
import re
import subprocess
import sys


def changed_files(top, commit):
    out = subprocess.run(["git", "-C", top, "diff", "--name-only", commit, "--"],
                         check=True, capture_output=True, text=True).stdout
    untracked = subprocess.run(["git", "-C", top, "ls-files", "--others", "--exclude-standard"],
                               check=True, capture_output=True, text=True).stdout
    return {os.path.realpath(os.path.join(top, name)) for name in (out + untracked).split()}


def dependencies(build):
    """Object file -> the files it was built from, as Ninja recorded them; None without them."""
    try:
        out = subprocess.run(["ninja", "-C", build, "-t", "deps"], check=True, capture_output=True,
                             text=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None
    deps, current = {}, None
    for line in out.splitlines():
        if line and not line[0].isspace():
            current = deps.setdefault(line.split(":", 1)[0], set())
        elif line.strip() and current is not None:
            current.add(os.path.realpath(os.path.join(build, line.strip())))
    return deps


def object_of(command):
    words = command.split()
    return words[words.index("-o") + 1] if "-o" in words else ""


def main():
    top, build, commit, wanted = sys.argv[1:5]
    wanted = re.compile(wanted)
    changed = changed_files(top, commit)
    deps = dependencies(build)
    with open(os.path.join(build, "compile_commands.json")) as f:
        database = json.load(f)
    picked = []
    for entry in database:
        source = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
        if not wanted.search(source):
            continue
        output = entry.get("output") or object_of(entry["command"])
        if deps is None or source in changed or changed & deps.get(output, set()):
            picked.append("^" + re.escape(source) + "$")
    print("|".join(sorted(set(picked))))


main()
