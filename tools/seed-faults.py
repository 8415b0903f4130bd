#!/usr/bin/env python3
"""Seeds single faults into the portable code and counts those the native suites catch.

Each fault is one small, compilable change to one line of a portable source
file (src/<module>/<name>.cpp, not the *_win / *_posix twins and not the
generated tables): a comparison turned around, a "+ 1" or "- 1" dropped, a
condition negated, a statement removed, a constant changed. The tool works on
a private copy of the tracked files (build/fault-seeding/tree), so the
checkout is never touched. For each fault it rebuilds the suites that can
reach the file (its module's and those of every module built on it), runs
them, the module's own first, and stops at the first failing one. A fault that
makes a suite fail, crash or hang is caught; one that leaves every suite green
survived.

  tools/seed-faults.py --count 300 --seed 2026       # draw a sample and run it
  tools/seed-faults.py --sample build/fault-seeding/sample.txt   # the same sample again
  tools/seed-faults.py --count 300 --seed 2026 --resume   # go on after an interrupted run

The drawn sample (only faults that compile) is written to
build/fault-seeding/sample.txt; the outcome of every fault to
build/fault-seeding/results.txt, and a summary to standard output.
"""
import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "fault-seeding"
TREE = WORK / "tree"
BUILD = WORK / "build"
SKIPPED_FILES = ("game_table_data.cpp", "lower_case_data.cpp")


@dataclass
class Fault:
    path: str       # relative to the tree
    line: int       # 1-based
    kind: str
    before: str     # the whole original line
    after: str      # the whole changed line

    def describe(self):
        return f"{self.path}:{self.line} {self.kind}: {self.before.strip()}  =>  {self.after.strip()}"

    def encode(self):
        return "\t".join([self.path, str(self.line), self.kind, self.before, self.after])

    @staticmethod
    def decode(text):
        path, line, kind, before, after = text.rstrip("\n").split("\t")
        return Fault(path, int(line), kind, before, after)


# ---- finding candidate changes -------------------------------------------------

def module_dependencies():
    """module -> the modules it builds on, from the korvo_module lines of CMakeLists.txt."""
    deps = {}
    for line in (ROOT / "CMakeLists.txt").read_text().splitlines():
        m = re.match(r"\s*korvo_module\((\w+)(?:\s+DEPS\s+([\w\s]+))?\)", line)
        if m:
            deps[m.group(1)] = (m.group(2) or "").split()
    return deps


def masked(line):
    """The line with the insides of string and character literals and any
    trailing comment blanked out, so that patterns only match code."""
    out = list(line)
    i, quote = 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out[i] = " "
                if i + 1 < len(line):
                    out[i + 1] = " "
                i += 2
                continue
            if c == quote:
                quote = None
            else:
                out[i] = " "
        elif c in "\"'":
            # a digit separator (1'000) is not a character literal
            if c == "'" and i > 0 and line[i - 1].isalnum():
                i += 1
                continue
            quote = c
        elif line.startswith("//", i):
            return "".join(out[:i])
        i += 1
    return "".join(out)


RELATIONAL = [(" < ", " >= "), (" <= ", " > "), (" > ", " <= "), (" >= ", " < "),
              (" == ", " != "), (" != ", " == ")]


def matching_paren(text, open_at):
    depth = 0
    for i in range(open_at, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def candidates_of_line(path, number, line):
    code = masked(line)
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or stripped.startswith("*") or stripped.startswith("/*"):
        return []
    found = []

    def change(kind, start, end, replacement):
        after = line[:start] + replacement + line[end:]
        if after != line:
            found.append(Fault(path, number, kind, line, after))

    for old, new in RELATIONAL:
        for m in re.finditer(re.escape(old), code):
            change("comparison turned around", m.start(), m.end(), new)
    for m in re.finditer(r" ([+-]) 1\b(?![.\w'])", code):
        change("+ 1 / - 1 dropped", m.start(), m.end(), "")
    for m in re.finditer(r"\b(if|while) \(", code):
        open_at = m.end() - 1
        close_at = matching_paren(code, open_at)
        if close_at > 0:
            inner = line[open_at + 1:close_at]
            if not inner.startswith("auto ") and ";" not in inner and "constexpr" not in code[:open_at]:
                change("condition negated", open_at + 1, close_at, f"!({inner})")
    if (re.match(r"\s*[\w:.\->\[\]()*]+(\(.*\)| = .*| \+= .*| -= .*|\+\+|--);\s*$", code)
            and not re.match(r"\s*(return|break|continue|case|default|using|typedef|goto)\b", code)
            and not re.match(r"\s*[\w:<>,]+\s+[\w*&]+\s*(=|\(|;)", code)):  # a declaration
        indent = line[:len(line) - len(line.lstrip())]
        found.append(Fault(path, number, "statement removed", line, indent + ";"))
    for m in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", code):
        value = int(m.group(1))
        change("constant changed", m.start(), m.end(), str(value + 1 if value != 1 else 0))
    for m in re.finditer(r"\b(true|false)\b", code):
        change("constant changed", m.start(), m.end(), "false" if m.group(1) == "true" else "true")
    return found


def portable_files():
    for path in sorted((ROOT / "src").glob("*/*.cpp")):
        name = path.name
        if name.endswith(("_win.cpp", "_posix.cpp")) or name in SKIPPED_FILES:
            continue
        yield path.relative_to(ROOT).as_posix()


def all_candidates():
    by_module = {}
    for rel in portable_files():
        module = rel.split("/")[1]
        lines = (ROOT / rel).read_text(encoding="utf-8").split("\n")
        for i, line in enumerate(lines, 1):
            by_module.setdefault(module, []).extend(candidates_of_line(rel, i, line))
    return by_module


# ---- the private tree and its build ----------------------------------------------

def run(cmd, cwd=None, timeout=None, quiet=True):
    return subprocess.run(cmd, cwd=cwd, timeout=timeout, text=True,
                          stdout=subprocess.PIPE if quiet else None,
                          stderr=subprocess.STDOUT if quiet else None)


def prepare_tree(jobs):
    files = run(["git", "ls-files"], cwd=ROOT).stdout.split("\n")
    # A file the checkout no longer has must go from the copy too: tests are
    # globbed, and a deleted test left behind would still be built and counted.
    tracked = {rel for rel in files if rel}
    if TREE.exists():
        for path in sorted(TREE.rglob("*"), reverse=True):
            rel = path.relative_to(TREE).as_posix()
            if path.is_file() and rel not in tracked:
                path.unlink()
    for rel in files:
        if not rel:
            continue
        source, target = ROOT / rel, TREE / rel
        if not source.is_file():
            continue
        if target.exists() and target.read_bytes() == source.read_bytes():
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        # A fresh time, not the checkout's: a run broken off in the middle of
        # a fault leaves that fault's object file newer than the restored source.
        shutil.copyfile(source, target)
    env = dict(os.environ, CCACHE_BASEDIR=str(TREE))
    configure = run(["cmake", "-S", str(TREE), "-B", str(BUILD), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                     "-DKORVO_SANITIZE=OFF"], timeout=600)
    if configure.returncode != 0:
        sys.exit("seed-faults: cmake failed:\n" + configure.stdout)
    print("Building the unchanged suites ...", flush=True)
    build = subprocess.run(["cmake", "--build", str(BUILD), "-j", str(jobs)], env=env, text=True,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if build.returncode != 0:
        sys.exit("seed-faults: the unchanged tree does not build:\n" + build.stdout[-4000:])


def suites_for(module, deps):
    """Test executables that can reach a file of `module`: its own suite first,
    then those of every module that builds on it."""
    users = [m for m in deps if module in transitive(m, deps)]
    ordered = [module] + sorted(users)
    return [f"test_{m}" for m in ordered if (BUILD / f"test_{m}").exists()]


def transitive(module, deps, seen=None):
    seen = set() if seen is None else seen
    for d in deps.get(module, []):
        if d not in seen:
            seen.add(d)
            transitive(d, deps, seen)
    return seen


def build_suites(suites, jobs):
    env = dict(os.environ, CCACHE_BASEDIR=str(TREE))
    result = subprocess.run(["cmake", "--build", str(BUILD), "-j", str(jobs), "--target", *suites], env=env,
                            text=True, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return result.returncode == 0


def suites_pass(suites, timeout):
    env = dict(os.environ, GTEST_BRIEF="1")
    for suite in suites:
        try:
            r = subprocess.run([str(BUILD / suite)], cwd=BUILD, env=env, timeout=timeout, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            return False, f"{suite} (hang)"
        if r.returncode != 0:
            return False, suite
    return True, ""


def apply(fault, text):
    lines = text.split("\n")
    if lines[fault.line - 1] != fault.before:
        return None
    lines[fault.line - 1] = fault.after
    return "\n".join(lines)


# ---- drawing a sample ----------------------------------------------------------

def draw(by_module, count, seed):
    """A spread over every module, in proportion to its candidates, at least 6 each."""
    rng = random.Random(seed)
    total = sum(len(v) for v in by_module.values())
    plan = {}
    for module, faults in sorted(by_module.items()):
        plan[module] = min(len(faults), max(6, round(count * len(faults) / total)))
    queues = {}
    for module, faults in sorted(by_module.items()):
        queue = list(faults)
        rng.shuffle(queue)
        queues[module] = queue
    return plan, queues


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=300, help="faults to draw (default 300)")
    parser.add_argument("--seed", type=int, default=2026, help="seed of the draw (default 2026)")
    parser.add_argument("--sample", help="run the faults of this sample file instead of drawing")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--timeout", type=int, default=300, help="seconds a suite may run before it counts as hung")
    parser.add_argument("--results", default=str(WORK / "results.txt"))
    parser.add_argument("--limit", type=int, default=0, help="stop after this many faults (a quick try of the tool)")
    parser.add_argument("--resume", action="store_true",
                        help="take the outcomes already in the results file instead of running those faults again")
    args = parser.parse_args()

    WORK.mkdir(parents=True, exist_ok=True)
    prepare_tree(args.jobs)
    deps = module_dependencies()
    baseline_ok = {}

    def module_of(fault):
        return fault.path.split("/")[1]

    # An interrupted run goes on where it stopped: the draw is the same for the
    # same seed and code, so earlier outcomes are taken over by description.
    earlier = {}
    if args.resume and Path(args.results).exists():
        for line in Path(args.results).read_text(encoding="utf-8").splitlines():
            word, by, described = line.split("\t", 2)
            earlier[described] = (word == "caught", by)

    def try_fault(fault):
        """None when the change does not compile, else (caught, by)."""
        if fault.describe() in earlier:
            return earlier[fault.describe()]
        path = TREE / fault.path
        original = path.read_text(encoding="utf-8")
        changed = apply(fault, original)
        if changed is None:
            return None
        suites = suites_for(module_of(fault), deps)
        try:
            path.write_text(changed, encoding="utf-8")
            # One suite at a time, the module's own first: most faults are
            # caught there, and the suites above need not be linked for them.
            for suite in suites:
                if not build_suites([suite], args.jobs):
                    return None
                passed, by = suites_pass([suite], args.timeout)
                if not passed:
                    return (True, by)
            return (False, "")
        finally:
            path.write_text(original, encoding="utf-8")

    # The unchanged suites must pass, or nothing can be counted.
    for module in deps:
        suites = [s for s in suites_for(module, deps)[:1]]
        if suites and suites[0] not in baseline_ok:
            ok, by = suites_pass(suites, args.timeout)
            baseline_ok[suites[0]] = ok
            if not ok:
                sys.exit(f"seed-faults: {by} fails without any fault; fix it first")

    outcomes = []
    started = time.time()
    results = open(args.results, "w", encoding="utf-8")

    def record(fault, caught, by):
        outcomes.append((fault, caught))
        word = "caught" if caught else "SURVIVED"
        results.write(f"{word}\t{by}\t{fault.describe()}\n")
        results.flush()
        print(f"[{len(outcomes)}] {word:8} {fault.describe()}" + (f"  ({by})" if caught else ""), flush=True)
        if args.limit and len(outcomes) >= args.limit:
            raise StopIteration

    try:
        run_faults(args, try_fault, record)
    except StopIteration:
        pass
    results.close()
    summarise(outcomes, started, args.results, module_of)


def run_faults(args, try_fault, record):
    if args.sample:
        sample = [Fault.decode(l) for l in Path(args.sample).read_text(encoding="utf-8").splitlines() if l.strip()]
        for fault in sample:
            outcome = try_fault(fault)
            if outcome is None:
                print(f"skipped (no longer applies or compiles): {fault.describe()}", flush=True)
                continue
            record(fault, *outcome)
    else:
        plan, queues = draw(all_candidates(), args.count, args.seed)
        sample_file = open(WORK / "sample.txt", "w", encoding="utf-8")
        for module in sorted(plan):
            wanted, queue = plan[module], queues[module]
            taken = 0
            while taken < wanted and queue:
                fault = queue.pop()
                outcome = try_fault(fault)
                if outcome is None:
                    continue  # does not compile: draw another of the same module
                sample_file.write(fault.encode() + "\n")
                sample_file.flush()
                record(fault, *outcome)
                taken += 1
        sample_file.close()


def summarise(outcomes, started, results_path, module_of):
    caught = sum(1 for _, c in outcomes if c)
    print()
    print(f"{caught} of {len(outcomes)} seeded faults caught ({100.0 * caught / max(1, len(outcomes)):.1f} %), "
          f"{len(outcomes) - caught} survived, in {time.time() - started:.0f} s")
    per_module = {}
    for fault, c in outcomes:
        m = module_of(fault)
        per_module.setdefault(m, [0, 0])
        per_module[m][0] += c
        per_module[m][1] += 1
    for m, (c, n) in sorted(per_module.items()):
        print(f"  {m:10} {c:3} of {n:3}")
    print(f"Every outcome: {results_path}")


if __name__ == "__main__":
    main()
