#!/usr/bin/env python3
"""Checks the shape of the build: the targets depend on each other without a cycle, and no file
includes a header of a folder whose library its target does not link (directly or through the
libraries it links). Reads the build's own description (CMake's file API reply, which
scripts/build.sh asks for).

    check-structure.py BUILD_DIR SOURCE_DIR [--summary]

--summary also prints each library with its folder, its line count and what it may use."""

import glob
import json
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def load_targets(build_dir):
    reply = os.path.join(build_dir, ".cmake", "api", "v1", "reply")
    indexes = sorted(glob.glob(os.path.join(reply, "index-*.json")))
    if not indexes:
        sys.exit("no description of the build in %s: configure it with scripts/build.sh "
                 "(or configure it once more)" % build_dir)
    index = json.load(open(indexes[-1]))
    model = json.load(open(os.path.join(reply, index["reply"]["codemodel-v2"]["jsonFile"])))
    targets = {}
    for entry in model["configurations"][0]["targets"]:
        target = json.load(open(os.path.join(reply, entry["jsonFile"])))
        targets[target["id"]] = target
    return targets


def find_cycle(targets):
    """A list of target names forming a cycle, or None."""
    state = {}
    stack = []

    def visit(tid):
        state[tid] = "open"
        stack.append(tid)
        for dep in targets[tid].get("dependencies", []):
            did = dep["id"]
            if did not in targets:
                continue
            if state.get(did) == "open":
                return [targets[t]["name"] for t in stack[stack.index(did):]] + \
                    [targets[did]["name"]]
            if did not in state:
                found = visit(did)
                if found:
                    return found
        stack.pop()
        state[tid] = "done"
        return None

    for tid in targets:
        if tid not in state:
            found = visit(tid)
            if found:
                return found
    return None


def closure(targets, tid):
    seen = set()
    todo = [tid]
    while todo:
        for dep in targets[todo.pop()].get("dependencies", []):
            if dep["id"] in targets and dep["id"] not in seen:
                seen.add(dep["id"])
                todo.append(dep["id"])
    return seen


def main():
    build_dir, source_dir = sys.argv[1], sys.argv[2]
    targets = load_targets(build_dir)

    problems = []
    cycle = find_cycle(targets)
    if cycle:
        problems.append("the targets depend on each other in a cycle: " + " -> ".join(cycle))

    # The library that owns each folder of the program.
    libraries = {t["paths"]["source"]: tid for tid, t in targets.items()
                 if t["type"] == "STATIC_LIBRARY" and t["name"].startswith("tickwell_")
                 and not t["paths"]["source"].startswith(("tests", "bench"))}

    def check(path, tid):
        text = open(os.path.join(source_dir, path), encoding="utf-8").read()
        allowed = closure(targets, tid) | {tid}
        for included in INCLUDE.findall(text):
            folder = os.path.dirname(included)
            owner = libraries.get(folder)
            if owner is not None and owner not in allowed:
                problems.append("%s (%s) includes %s, but does not link %s" % (
                    path, targets[tid]["name"], included, targets[owner]["name"]))

    for tid, target in targets.items():
        for source in target.get("sources", []):
            if source["path"].endswith((".c", ".cpp", ".h")) and \
                    not os.path.isabs(source["path"]):
                check(source["path"], tid)
    # A library's headers count as its own files.
    for folder, tid in libraries.items():
        for header in glob.glob(os.path.join(source_dir, folder, "**", "*.h"), recursive=True):
            check(os.path.relpath(header, source_dir), tid)

    if "--summary" in sys.argv:
        for folder, tid in sorted(libraries.items()):
            files = [f for f in glob.glob(os.path.join(source_dir, folder, "**", "*"),
                                          recursive=True) if f.endswith((".c", ".cpp", ".h"))]
            lines = sum(sum(1 for _ in open(f, encoding="utf-8")) for f in files)
            uses = sorted(targets[d]["name"] for d in closure(targets, tid)
                          if targets[d]["type"] == "STATIC_LIBRARY"
                          and targets[d]["paths"]["source"] in libraries)
            print("%-20s %-10s %6d lines  uses: %s" % (
                targets[tid]["name"], folder + "/", lines, ", ".join(uses) or "-"))

    for problem in problems:
        print("structure: " + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
