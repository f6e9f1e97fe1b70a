#!/usr/bin/env python3
"""Samples mutations of the C++ sources and tells how many of them some test notices.

Each run picks a random line of the .cpp files in the given folders, changes it in one way (a statement
dropped, a comparison operator flipped, a truth value flipped), rebuilds only the test programs that link
the changed file, runs them and records "killed" (some test failed, crashed or hung) or "survived" (every
test passed). The file is restored after every run, also on Ctrl-C. A change that does not compile is not
counted and another line is drawn; lines that only place or size widgets are never picked (see
COSMETIC). See docs/testing.md.
"""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Statements that only place or size a widget: changing them moves things by a few pixels, which no test
# of behaviour should pin down. Lines calling one of these are not sampled.
COSMETIC = re.compile(
    r"\b(setContentsMargins|setSpacing|setHorizontalSpacing|setVerticalSpacing|addSpacing|addStretch|"
    r"setStretch|setColumnStretch|setRowStretch|setColumnMinimumWidth|setRowMinimumHeight|"
    r"setMinimumWidth|setMinimumHeight|setMinimumSize|setMaximumWidth|setMaximumHeight|setMaximumSize|"
    r"setFixedWidth|setFixedHeight|setFixedSize|setSizePolicy|resize|adjustSize|setIndent|setMargin|"
    r"setFrameShape|setFrameShadow|setDrawBase|setExpanding|setAlignment)\s*\("
)

COMPARISON_FLIPS = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
COMPARISON = re.compile(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)")
TRUTH = re.compile(r"\b(true|false)\b")
IF_CONDITION = re.compile(r"^(\s*(?:\}\s*else\s+)?if\s*\()")

BACKUP_SUFFIX = ".mutation-original"


def blank_literals(line):
    """The line with the insides of string and character literals and any // comment replaced by blanks,
    so that operators are looked for in code only; the columns stay where they were."""
    out = []
    quote = None
    i = 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\" and i + 1 < len(line):
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
                out.append(c)
            else:
                out.append(" ")
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def balanced(text):
    return text.count("(") == text.count(")") and text.count("[") == text.count("]")


def statement_span(code, i):
    """The lines i..j of a whole statement that starts on line i and ends with ';' on line j (at most six
    lines, braces only when they close on the same lines), or None."""
    first = code[i].strip()
    if not first or first.startswith(("#", "}", "{", "case ", "default", "public", "private", "protected",
                                      "using ", "namespace", "template", "else", "return")):
        return None
    # Only where a statement can begin: after a finished statement, a block's start or a label.
    k = i - 1
    while k >= 0 and not code[k].strip():
        k -= 1
    if k < 0 or not code[k].rstrip().endswith((";", "{", "}", ":")):
        return None
    text = ""
    for j in range(i, min(i + 6, len(code))):
        text += code[j]
        stripped = code[j].rstrip()
        if stripped.endswith(";") and balanced(text) and text.count("{") == text.count("}"):
            # A declaration of a function or a type is no statement.
            if re.match(r"\s*(struct|class|enum|static_assert|constexpr|const\s+\w+\s+\w+\s*=\s*\{)", text):
                return None
            return (i, j)
        if stripped.endswith("{") and "[" not in text and "=" not in text:
            return None
    return None


def mutations_of(code, i):
    """Every mutation of line i as (kind, first line, last line, replacement lines)."""
    line = code[i]
    if not line.strip() or line.lstrip().startswith(("//", "#", "*", "/*")) or COSMETIC.search(line):
        return []
    found = []
    span = statement_span(code, i)
    if span:
        a, b = span
        indent = line[: len(line) - len(line.lstrip())]
        found.append(("drop statement", a, b, [indent + ";\n"] + ["\n"] * (b - a)))
    for m in COMPARISON.finditer(line):
        flipped = line[: m.start()] + COMPARISON_FLIPS[m.group(1)] + line[m.end():]
        found.append((f"flip {m.group(1)}", i, i, [flipped]))
    for m in TRUTH.finditer(line):
        other = "false" if m.group(1) == "true" else "true"
        found.append((f"flip {m.group(1)}", i, i, [line[: m.start()] + other + line[m.end():]]))
    head = IF_CONDITION.match(line)
    if head and line.rstrip().endswith((")", "{")):
        body = line[head.end():]
        close = body.rfind(")")
        condition = body[:close]
        if balanced(condition) and condition.strip():
            negated = head.group(1) + "!(" + condition + ")" + body[close:]
            found.append(("negate condition", i, i, [negated]))
    return found


def source_files(folders):
    for folder in folders:
        yield from sorted((ROOT / folder).rglob("*.cpp"))


class Build:
    """What the build tree knows: the target that compiles a source file and the test programs linking
    it."""

    def __init__(self, build_dir):
        self.dir = build_dir
        self.objects = {}
        for obj_dir in build_dir.rglob("CMakeFiles/*.dir"):
            self.objects[obj_dir.name[: -len(".dir")]] = obj_dir
        self.tests = {name: d for name, d in self.objects.items() if name.endswith("_tests")}

        # Programs a test runs besides itself: add_dependencies(<test> <program>) in the tests' CMake files.
        self.runs = {}
        for lists in (ROOT / "tests").rglob("CMakeLists.txt"):
            for test, programs in re.findall(r"add_dependencies\((\w+)\s+([\w\s]+)\)", lists.read_text()):
                self.runs.setdefault(test, []).extend(programs.split())

    def targets_of(self, source):
        """The targets compiling `source`: their object folder lies in the build folder mirroring the
        source's folder and holds its object file."""
        rel = source.relative_to(ROOT)
        return [name for name, obj_dir in self.objects.items()
                if obj_dir.parent.parent == self.dir / rel.parent and (obj_dir / (rel.name + ".o")).exists()]

    def links(self, target, libs):
        link = self.objects[target] / "link.txt" if target in self.objects else None
        text = link.read_text() if link and link.exists() else ""
        return any(lib == target or re.search(rf"\blib{re.escape(lib)}\.(a|so)\b", text) for lib in libs)

    def tests_of(self, source):
        """The test programs that link a target compiling `source` or run a program that does, the source's
        own folder's first."""
        libs = self.targets_of(source)
        progs = [test for test in self.tests
                 if self.links(test, libs) or any(self.links(p, libs) for p in self.runs.get(test, []))]
        folder = source.parent.name
        return sorted(progs, key=lambda t: (not t.startswith(folder), t))

    def program(self, test):
        for candidate in (self.dir / "bin" / test, self.objects[test].parent.parent / test):
            if candidate.exists():
                return candidate
        raise FileNotFoundError(test)

    def rebuild(self, targets, log):
        cmd = ["cmake", "--build", str(self.dir), "-j2", "--target", *targets]
        return run_child(cmd, stdout=log, stderr=subprocess.STDOUT)[0] == 0

    def run(self, test, timeout):
        """(passed, what failed) of one test program, stopping at its first failing test."""
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        cwd = self.objects[test].parent.parent
        status, out = run_child([str(self.program(test)), "--gtest_fail_fast", "--gtest_brief=1"], cwd=cwd,
                                env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        if status is None:
            return False, f"{test}: timed out after {timeout} s"
        if status == 0:
            return True, ""
        failed = re.findall(r"\[  FAILED  \] (\S+)", out)
        if failed:
            return False, f"{test}: {failed[0]}"
        return False, f"{test}: exit status {status}"


CHILD = None


def run_child(cmd, timeout=None, **kwargs):
    """(exit status or None on time-out, output) of a command in a process group of its own, which an
    interruption of the tool ends too."""
    global CHILD
    CHILD = subprocess.Popen(cmd, start_new_session=True, text=True, errors="replace", **kwargs)
    try:
        out, _ = CHILD.communicate(timeout=timeout)
        return CHILD.returncode, out or ""
    except subprocess.TimeoutExpired:
        os.killpg(CHILD.pid, signal.SIGKILL)
        CHILD.communicate()
        return None, ""
    finally:
        CHILD = None


class Restorer:
    """Puts a mutated file back, also when the tool is interrupted; a backup beside the file survives a
    crash and is put back on the next start."""

    def __init__(self):
        self.path = None
        self.original = None
        signal.signal(signal.SIGINT, self.interrupted)
        signal.signal(signal.SIGTERM, self.interrupted)

    def mutate(self, path, text):
        self.original = path.read_text()
        self.path = path
        Path(str(path) + BACKUP_SUFFIX).write_text(self.original)
        path.write_text(text)

    def restore(self):
        if self.path:
            self.path.write_text(self.original)
            Path(str(self.path) + BACKUP_SUFFIX).unlink(missing_ok=True)
            self.path = None

    def interrupted(self, signum, frame):
        if CHILD:
            os.killpg(CHILD.pid, signal.SIGTERM)
        self.restore()
        sys.exit(130)


def restore_leftovers(folders):
    for folder in folders:
        for backup in (ROOT / folder).rglob("*" + BACKUP_SUFFIX):
            original = Path(str(backup)[: -len(BACKUP_SUFFIX)])
            original.write_text(backup.read_text())
            backup.unlink()
            print(f"restored {original.relative_to(ROOT)} from an interrupted run")


def candidates(folders):
    """Every (file, line index) with at least one mutation."""
    sites = []
    for path in source_files(folders):
        code = path.read_text().splitlines(keepends=True)
        for i in range(len(code)):
            if mutations_of(code, i):
                sites.append((path, i))
    return sites


def replayed_sites(log_file):
    """The mutations of an earlier log, found again by their line's text (line numbers may have moved)."""
    for entry in map(json.loads, Path(log_file).read_text().splitlines()):
        if entry["outcome"] in ("killed", "survived"):
            yield entry


def find_line(code, line_no, text):
    if 0 <= line_no - 1 < len(code) and code[line_no - 1].rstrip("\n") == text:
        return line_no - 1
    near = [i for i, line in enumerate(code) if line.rstrip("\n") == text]
    return min(near, key=lambda i: abs(i - (line_no - 1))) if near else None


def try_mutation(args, build, restorer, path, index, kind, start, end, replacement, build_log):
    code = path.read_text().splitlines(keepends=True)
    original = "".join(code[start:end + 1])
    mutated = code[:start] + replacement + code[end + 1:]
    tests = build.tests_of(path)
    entry = {"file": str(path.relative_to(ROOT)), "line": index + 1, "text": code[index].rstrip("\n"),
             "kind": kind, "original": original.rstrip("\n"), "mutant": "".join(replacement).rstrip("\n"),
             "tests": tests}
    if not tests:
        entry["outcome"] = "untested"
        return entry
    began = time.monotonic()
    restorer.mutate(path, "".join(mutated))
    try:
        # One program at a time, the own folder's first: most changes are noticed there, and the others
        # need not be linked then.
        entry["outcome"] = "survived"
        for n, test in enumerate(tests):
            if not build.rebuild([test], build_log):
                entry["outcome"] = "does not compile" if n == 0 else "build failed"
                break
            passed, what = build.run(test, args.timeout)
            if not passed:
                entry["outcome"] = "killed"
                entry["killed by"] = what
                break
    finally:
        restorer.restore()
        entry["seconds"] = round(time.monotonic() - began)
    return entry


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folders", nargs="+", help="source folders, e.g. src/pages src/editors")
    parser.add_argument("-n", type=int, default=30, help="mutations to count (default 30)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    parser.add_argument("--build", default="build", help="the configured build folder (default build)")
    parser.add_argument("--log", default="build/mutation-sample.jsonl", help="one JSON line per mutation")
    parser.add_argument("--timeout", type=int, default=600, help="seconds per test program (default 600)")
    parser.add_argument("--replay", help="run the counted mutations of an earlier log again")
    parser.add_argument("--list", action="store_true", help="only count the lines that can be mutated")
    args = parser.parse_args()

    restore_leftovers(args.folders)
    if args.list:
        sites = candidates(args.folders)
        per_folder = {}
        for path, _ in sites:
            folder = str(path.parent.relative_to(ROOT))
            per_folder[folder] = per_folder.get(folder, 0) + 1
        for folder, count in sorted(per_folder.items()):
            print(f"{folder}: {count} lines")
        return 0

    build = Build(ROOT / args.build)
    restorer = Restorer()
    log_path = ROOT / args.log
    log_path.parent.mkdir(parents=True, exist_ok=True)
    build_log = open(log_path.with_suffix(".build.log"), "w")
    counted = {"killed": 0, "survived": 0}

    def record(entry, log):
        log.write(json.dumps(entry, ensure_ascii=False) + "\n")
        log.flush()
        if entry["outcome"] in counted:
            counted[entry["outcome"]] += 1
        note = f" ({entry['killed by']})" if "killed by" in entry else ""
        print(f"{entry['outcome']:>16}  {entry['file']}:{entry['line']}  {entry['kind']}{note}", flush=True)

    replays = list(replayed_sites(args.replay)) if args.replay else []
    with open(log_path, "w") as log:
        if args.replay:
            for old in replays:
                path = ROOT / old["file"]
                code = path.read_text().splitlines(keepends=True)
                index = find_line(code, old["line"], old["text"])
                found = [m for m in mutations_of(code, index) if m[0] == old["kind"] and
                         "".join(m[3]).rstrip("\n") == old["mutant"]] if index is not None else []
                if not found:
                    print(f"{'gone':>16}  {old['file']}:{old['line']}  {old['kind']}")
                    continue
                record(try_mutation(args, build, restorer, path, index, *found[0], build_log), log)
        else:
            rng = random.Random(args.seed)
            sites = candidates(args.folders)
            rng.shuffle(sites)
            for path, index in sites:
                if sum(counted.values()) >= args.n:
                    break
                code = path.read_text().splitlines(keepends=True)
                mutation = rng.choice(mutations_of(code, index))
                record(try_mutation(args, build, restorer, path, index, *mutation, build_log), log)

    total = sum(counted.values())
    if total:
        print(f"killed {counted['killed']} of {total} ({100 * counted['killed'] // total} %)")
    # Leave the build tree as the sources are.
    print("rebuilding the restored programs ...", flush=True)
    every_test = sorted({t for e in map(json.loads, log_path.read_text().splitlines()) for t in e["tests"]})
    if every_test:
        build.rebuild(every_test, build_log)
    return 0


if __name__ == "__main__":
    sys.exit(main())
