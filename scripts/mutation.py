#!/usr/bin/env python3
"""Mutation testing of the native test suite: how many small faults put into
the product's core folders and the streaming decoders the tests catch.

A measuring tool, not part of the test command. It lists every place where
one of these mutations applies:

  comparison   == and != swapped; < and >=, > and <= swapped
  logic        && and || swapped; a leading ! dropped
  boolean      return true and return false swapped
  constant     an integer literal changed by one (up or down)
  call         a statement that is only a call dropped

then samples COUNT of them with SEED, applies each in turn to a scratch copy
of the tree, rebuilds its `linux` tree and runs the native tests. A mutant
is killed when a test fails (or runs out of time), survives when every test
passes, and does not count when it does not compile. The score is killed of
compiled; the survivors are listed so that each can be judged.

    scripts/mutation.py [--seed N] [--count N] [--scratch DIR] [--jobs N] [--matrix]
                        [--folders src/capture,peers/kelpra,...]

With --matrix every test runs against every mutant (no stop at the first
failure), and the report also lists, for each test, the mutants it kills
and how many of them no other test kills: a test that kills none alone is
one whose faults the rest of the suite already catches, in this sample.

The report goes to stdout and to build/mutation/report-SEED-COUNT.txt.
"""
import argparse
import hashlib
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
MUTATED_FOLDERS = ["src/" + folder for folder in
                   ["app", "camera", "capture", "capturewindow", "context", "dialogs", "dslink",
                    "localisation", "settings", "thumbnails", "platform/streaming"]]

COMPARISONS = {" == ": " != ", " != ": " == ", " < ": " >= ", " >= ": " < ",
               " > ": " <= ", " <= ": " > "}
LOGIC = {" && ": " || ", " || ": " && "}
CALL_STATEMENT = re.compile(r"^\s*(\(void\)\s*)?[A-Za-z_][\w:]*(\s*(\.|->)\s*[A-Za-z_]\w*)*\s*\(.*\);\s*$")
NOT_A_CALL = re.compile(r"^\s*(return|if|while|for|switch|case|delete|throw|using|typedef)\b")
INTEGER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
STRING_OR_CHAR = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'')


class Mutant:
    def __init__(self, path, line, start, end, replacement, kind):
        self.path, self.line, self.start, self.end = path, line, start, end
        self.replacement, self.kind = replacement, kind

    def describe(self, original_line):
        before = original_line.strip()
        after = (original_line[:self.start] + self.replacement + original_line[self.end:]).strip()
        return f"{self.path}:{self.line + 1} [{self.kind}] {before}  ->  {after or '(dropped)'}"


def code_part(line):
    """The line with string and character literals blanked and any // comment cut."""
    blanked = STRING_OR_CHAR.sub(lambda m: " " * len(m.group(0)), line)
    cut = blanked.find("//")
    return blanked if cut < 0 else blanked[:cut] + " " * (len(blanked) - cut)


def mutants_of(path, lines):
    found = []
    in_block_comment = False
    for number, line in enumerate(lines):
        stripped = line.strip()
        if in_block_comment:
            if "*/" in stripped:
                in_block_comment = False
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith(("#", "//", "static_assert", "template")):
            continue
        code = code_part(line)
        for table, kind in ((COMPARISONS, "comparison"), (LOGIC, "logic")):
            for operator, replacement in table.items():
                for match in re.finditer(re.escape(operator), code):
                    found.append(Mutant(path, number, match.start(), match.end(), replacement, kind))
        for match in re.finditer(r"(?<=[(\s])!(?=[\w(])", code):
            found.append(Mutant(path, number, match.start(), match.end(), "", "logic"))
        for match in re.finditer(r"\breturn (true|false);", code):
            value = "false" if match.group(1) == "true" else "true"
            found.append(Mutant(path, number, match.start(), match.end(), f"return {value};", "boolean"))
        if not re.search(r"\[\s*\d+\s*\]|\bcase\b|enum|=\s*\d+,", code):
            for match in INTEGER.finditer(code):
                value = int(match.group(1))
                for changed in (value + 1, value - 1):
                    if changed >= 0:
                        found.append(Mutant(path, number, match.start(), match.end(), str(changed),
                                            "constant"))
        if CALL_STATEMENT.match(code) and not NOT_A_CALL.match(code) and code.count("(") == code.count(")"):
            indent = len(line) - len(line.lstrip())
            found.append(Mutant(path, number, indent, len(line.rstrip("\n")), ";", "call"))
    return found


def all_mutants(folders):
    found = []
    for folder in folders:
        for path in sorted((ROOT / folder).glob("*.cpp")):
            relative = path.relative_to(ROOT).as_posix()
            found.extend(mutants_of(relative, path.read_text(encoding="utf-8").splitlines(True)))
    return found


def stable_sample(candidates, seed, count):
    """COUNT mutants chosen by a hash of SEED and what each mutant is (its
    file, the text of its line, the change), not by its position in the
    list: an edit elsewhere in the tree leaves the choice of the others as
    it was, so that runs before and after a change of the tests put the same
    mutants to them wherever the product's lines are the same."""
    seen = {}
    keyed = []
    for mutant in candidates:
        text = (ROOT / mutant.path).read_text(encoding="utf-8").splitlines()[mutant.line]
        identity = (mutant.path, text.strip(), mutant.kind, mutant.start - (len(text) - len(text.lstrip())),
                    mutant.replacement)
        seen[identity] = seen.get(identity, 0) + 1
        digest = hashlib.sha256(f"{seed}|{identity}|{seen[identity]}".encode()).hexdigest()
        keyed.append((digest, mutant))
    keyed.sort(key=lambda pair: pair[0])
    return [mutant for _, mutant in keyed[:count]]


def run(command, cwd, timeout=None, env=None):
    try:
        result = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                timeout=timeout, env=env)
        return result.returncode, result.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, "timed out"


def prepare_scratch(scratch, env, jobs):
    """A copy of the tree without its build outputs, built once."""
    ignore = shutil.ignore_patterns("build", ".git", "__pycache__")
    # Copies get the time they are made, not the original's: a build left
    # from a mutant interrupted last time is then older than every source.
    if scratch.exists():
        for part in ("src", "tests", "fuzz", "peers", "resources", "cmake"):
            shutil.rmtree(scratch / part, ignore_errors=True)
            shutil.copytree(ROOT / part, scratch / part, ignore=ignore, copy_function=shutil.copy)
    else:
        shutil.copytree(ROOT, scratch, ignore=ignore, copy_function=shutil.copy)
    code, output = run(["cmake", "--preset", "linux"], scratch, env=env)
    if code != 0:
        sys.exit("mutation: configuring the scratch tree failed:\n" + output)
    code, output = run(["cmake", "--build", "--preset", "linux", f"-j{jobs}"], scratch, env=env)
    if code != 0:
        sys.exit("mutation: building the scratch tree failed:\n" + output[-4000:])


FAILED_TEST = re.compile(r"^\s*\d+ - (\S+) \(")


def run_tests(scratch, env, jobs, every=False):
    # A test that hangs fails on its own time limit; the run as a whole has
    # none, so that a busy machine never passes for a caught mutant. Running
    # every test, a mutant that hangs many of them would wait out each one's
    # limit: there the limit is shorter, still many times the slowest test.
    stop = [] if every else ["--stop-on-failure"]
    limit = "60" if every else "300"
    return run(["ctest", "--preset", "linux", f"-j{jobs}", *stop, "--timeout", limit], scratch,
               env=env)


def failed_tests(output):
    """The names ctest lists under "The following tests FAILED"."""
    listed = output.split("The following tests FAILED:", 1)
    if len(listed) < 2:
        return set()
    return {match.group(1) for match in map(FAILED_TEST.match, listed[1].splitlines()) if match}


def matrix_report(kills):
    """For each test the mutants it kills; those no other test kills count as its own."""
    killers = {}
    for mutant, tests in kills.items():
        for test in tests:
            killers.setdefault(test, []).append(mutant)
    lines = ["", "Kills per test (own = killed by no other test):"]
    for test in sorted(killers, key=lambda name: (-sum(len(kills[m]) == 1 for m in killers[name]), name)):
        own = [mutant for mutant in killers[test] if len(kills[mutant]) == 1]
        lines.append(f"  {test}: {len(killers[test])} killed, {len(own)} own")
        lines += [f"      own: {mutant}" for mutant in own]
    return lines


def main():
    # A stopped run still puts the mutated file back (the finally below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("mutation: stopped"))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, default=24)
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--scratch", type=pathlib.Path, default=ROOT / "build" / "mutation" / "tree")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--only", default="",
                        help="comma-separated positions in the sample to run again, e.g. 3,17")
    parser.add_argument("--folders", default=",".join(MUTATED_FOLDERS),
                        help="comma-separated folders to mutate, e.g. peers/kelpra")
    parser.add_argument("--matrix", action="store_true",
                        help="run every test against every mutant and report the kills per test")
    args = parser.parse_args()

    env = dict(os.environ, CCACHE_BASEDIR=str(args.scratch), CCACHE_NOHASHDIR="1")
    candidates = all_mutants(args.folders.split(","))
    sample = stable_sample(candidates, args.seed, args.count)
    positions = list(range(1, len(sample) + 1))
    if args.only:
        positions = [int(text) for text in args.only.split(",")]
    print(f"mutation: {len(candidates)} places, {len(sample)} sampled with seed {args.seed}", flush=True)

    args.scratch.parent.mkdir(parents=True, exist_ok=True)
    prepare_scratch(args.scratch, env, args.jobs)
    code, output = run_tests(args.scratch, env, args.jobs)
    if code != 0:
        sys.exit("mutation: the tests fail without any mutant:\n" + output[-4000:])

    killed, survived, not_compiled = [], [], []
    kills = {}
    for index in positions:
        mutant = sample[index - 1]
        path = args.scratch / mutant.path
        original = path.read_text(encoding="utf-8")
        lines = original.splitlines(True)
        line = lines[mutant.line]
        lines[mutant.line] = line[:mutant.start] + mutant.replacement + line[mutant.end:]
        description = mutant.describe(line)
        path.write_text("".join(lines), encoding="utf-8")
        try:
            code, _ = run(["cmake", "--build", "--preset", "linux", f"-j{args.jobs}"], args.scratch,
                          env=env)
            if code != 0:
                not_compiled.append(description)
                verdict = "does not compile"
            else:
                code, output = run_tests(args.scratch, env, args.jobs, every=args.matrix)
                if args.matrix and code != 0:
                    kills[description] = failed_tests(output) or {"(the run as a whole)"}
                if code == 0:
                    survived.append(description)
                    verdict = "SURVIVED"
                else:
                    killed.append(description)
                    verdict = "killed"
        finally:
            path.write_text(original, encoding="utf-8")
        print(f"[{index}/{len(sample)}] {verdict}: {description}", flush=True)
        if description in kills:
            print(f"    killed by: {' '.join(sorted(kills[description]))}", flush=True)

    compiled = len(killed) + len(survived)
    score = 100.0 * len(killed) / compiled if compiled else 0.0
    report = [f"seed {args.seed}, {len(positions)} mutants of {len(candidates)} places",
              f"killed {len(killed)} of {compiled} compiled ({score:.1f}%); "
              f"{len(not_compiled)} did not compile", "", "Survivors:"]
    report += [f"  {description}" for description in survived]
    if args.matrix:
        report += matrix_report(kills)
    text = "\n".join(report) + "\n"
    name = f"report-{args.seed}-{args.count}" + (f"-only-{len(positions)}" if args.only else "")
    name += "-matrix" if args.matrix else ""
    out = ROOT / "build" / "mutation" / f"{name}.txt"
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_text(text, encoding="utf-8")
    print("\n" + text + f"(also in {out.relative_to(ROOT)})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
