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
  tools/seed-faults.py --count 100                  # a fresh seed, drawn and printed

Without --seed a new seed is drawn; it heads the results file and the summary,
so a measurement on a sample nobody tuned the tests to can be named and run
again.

The pixel shaders' texts (the R"hlsl(...)hlsl" strings) are not C++: the
native build only checks that they compile, so they are seeded with the Win32
layer, where a Direct3D device runs them.

With --windows the same kinds of change go into the Win32 layer (the
src/<module>/*_win.cpp files and the shader texts) instead. The copy is cross-built with MinGW-w64
(build/fault-seeding/build-windows) and each fault is judged by the Windows
tests (korvo_win_tests.exe under Wine, on a virtual display of its own) that
run its line: which tests run which lines is measured once per state of the
sources, with a coverage build of the same copy, one test at a time
(build/fault-seeding/windows-reach.json). A fault on a line no test runs
survives without a run; one that a reaching test fails, crashes or hangs on
is caught. A line that only a korvo.exe started by a test runs may be missing
from that map (a process ended from outside writes no coverage), so a line
no test is seen to run is still tried with the tests that start korvo.exe.
A line without code of its own (a control id, a size, the second line of a
statement) is judged by the tests that run any line of its file.

The drawn sample (only faults that compile) is written to
build/fault-seeding/sample.txt (windows-sample.txt with --windows); the
outcome of every fault to build/fault-seeding/results.txt
(windows-results.txt), and a summary to standard output.
"""
import argparse
import hashlib
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "fault-seeding"
TREE = WORK / "tree"
BUILD = WORK / "build"
WIN_BUILD = WORK / "build-windows"
WIN_COVERAGE = WORK / "build-windows-coverage"
WIN_REACH = WORK / "windows-reach.json"
WIN_TESTS = "korvo_win_tests.exe"
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
    # A change to a reserve() only changes how often a container grows: no
    # test could tell, so such a fault would only count as a survivor.
    if ".reserve(" in code:
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


def windows_files():
    for path in sorted((ROOT / "src").glob("*/*_win.cpp")):
        yield path.relative_to(ROOT).as_posix()


def shader_lines(lines):
    """Numbers of the lines inside R"hlsl(...)hlsl" texts: pixel shaders, which
    only a Direct3D device runs (the native build only checks that they compile)."""
    inside, found = False, set()
    for i, line in enumerate(lines, 1):
        if inside:
            if ')hlsl"' in line:
                inside = False
            else:
                found.add(i)
        elif 'R"hlsl(' in line and ')hlsl"' not in line:
            inside = True
    return found


def all_candidates(files, shaders):
    """Faults of the C++ lines of `files`; with `shaders` those of the shader texts instead."""
    by_module = {}
    for rel in files:
        module = rel.split("/")[1]
        lines = (ROOT / rel).read_text(encoding="utf-8").split("\n")
        in_shader = shader_lines(lines)
        for i, line in enumerate(lines, 1):
            if (i in in_shader) == shaders:
                by_module.setdefault(module, []).extend(candidates_of_line(rel, i, line))
    return by_module


# ---- the private tree and its build ----------------------------------------------

def run(cmd, cwd=None, timeout=None, quiet=True):
    return subprocess.run(cmd, cwd=cwd, timeout=timeout, text=True,
                          stdout=subprocess.PIPE if quiet else None,
                          stderr=subprocess.STDOUT if quiet else None)


def copy_tree():
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


def configure_and_build(build, options, jobs, targets=()):
    configure = run(["cmake", "-S", str(TREE), "-B", str(build), "-G", "Ninja", *options], timeout=600)
    if configure.returncode != 0:
        sys.exit("seed-faults: cmake failed:\n" + configure.stdout)
    print(f"Building the unchanged tree in {build.relative_to(ROOT)} ...", flush=True)
    if not build_targets(build, list(targets), jobs, show_failure=True):
        sys.exit("seed-faults: the unchanged tree does not build")


def build_targets(build, targets, jobs, show_failure=False):
    env = dict(os.environ, CCACHE_BASEDIR=str(TREE))
    command = ["cmake", "--build", str(build), "-j", str(jobs)]
    if targets:
        command += ["--target", *targets]
    result = subprocess.run(command, env=env, text=True, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if result.returncode != 0 and show_failure:
        print(result.stdout[-4000:])
    return result.returncode == 0


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


def suites_pass(suites, timeout):
    env = dict(os.environ, GTEST_BRIEF="1")
    for suite in suites:
        try:
            # A session of its own: a fault that signals the suite's own process
            # group (a process id of 0) must end the suite, not this tool.
            r = subprocess.run([str(BUILD / suite)], cwd=BUILD, env=env, timeout=timeout, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
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


def module_of(fault):
    return fault.path.split("/")[1]


class NativeJudge:
    """The native suites that can reach the fault's module, its own first."""
    sample_name, results_name = "sample.txt", "results.txt"

    def __init__(self, args):
        self.args = args
        self.deps = module_dependencies()

    def candidates(self):
        return all_candidates(portable_files(), shaders=False)

    def prepare(self):
        configure_and_build(BUILD, ["-DCMAKE_BUILD_TYPE=Debug", "-DKORVO_SANITIZE=OFF"], self.args.jobs)
        # The unchanged suites must pass, or nothing can be counted.
        checked = set()
        for module in self.deps:
            for suite in suites_for(module, self.deps)[:1]:
                if suite in checked:
                    continue
                checked.add(suite)
                ok, by = suites_pass([suite], self.args.timeout)
                if not ok:
                    sys.exit(f"seed-faults: {by} fails without any fault; fix it first")

    def judge(self, fault):
        # One suite at a time, the module's own first: most faults are
        # caught there, and the suites above need not be linked for them.
        for suite in suites_for(module_of(fault), self.deps):
            if not build_targets(BUILD, [suite], self.args.jobs):
                return None
            passed, by = suites_pass([suite], self.args.timeout)
            if not passed:
                return (True, by)
        return (False, "")

    def finish(self):
        pass


class WindowsJudge:
    """korvo.exe and korvo_win_tests.exe cross-built, the reaching tests under Wine."""
    sample_name, results_name = "windows-sample.txt", "windows-results.txt"
    toolchain = ["-DCMAKE_BUILD_TYPE=Release", f"-DCMAKE_TOOLCHAIN_FILE={TREE}/cmake/mingw-w64-x86_64.cmake"]
    targets = ["korvo", "korvo_win_tests", "fakemame"]

    def __init__(self, args):
        self.args = args
        self.display = None
        self.env = dict(os.environ, WINEPREFIX=str(WORK / "wineprefix"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", WINEARCH="win64")
        self.env.pop("KORVO_WIN_BUILD", None)  # no screenshots from seeded builds
        self.reach = {}

    def candidates(self):
        by_module = all_candidates(windows_files(), shaders=False)
        for module, faults in all_candidates(portable_files(), shaders=True).items():
            by_module.setdefault(module, []).extend(faults)
        return by_module

    def prepare(self):
        self.start_display()
        self.wine(["wineboot", "--init"], timeout=600)
        self.wine(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"])
        configure_and_build(WIN_BUILD, self.toolchain, self.args.jobs, self.targets)
        self.reach = self.measure_reach()
        ok, by = self.tests_pass(sorted({t for lines in self.reach["lines"].values()
                                         for tests in lines.values() for t in tests}))
        if not ok:
            sys.exit(f"seed-faults: {by} fails under Wine without any fault; fix it first")

    def judge(self, fault):
        if not build_targets(WIN_BUILD, self.targets, self.args.jobs):
            return None
        if fault.path.endswith("_win.cpp"):
            lines = self.reach["lines"].get(fault.path, {})
            tests = lines.get(str(fault.line))
            if not tests and fault.line not in self.reach["code"].get(fault.path, []):
                # No code of its own (a control id, a size, a statement's second line): what uses it runs
                # wherever the file's code runs.
                tests = sorted({t for ts in lines.values() for t in ts})
        else:  # a shader text: the tests that run its module's Win32 code
            tests = sorted({t for path, lines in self.reach["lines"].items()
                            if path.startswith(f"src/{module_of(fault)}/") for ts in lines.values() for t in ts})
        if not tests:
            tests = self.reach["start_korvo"]  # a line only a started korvo.exe may run
        if not tests:
            return (False, "no test runs the line")
        passed, by = self.tests_pass(tests)
        return (not passed, by)

    def finish(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.display:
            self.display.kill()

    # -- Wine and its display --
    def start_display(self):
        read_end, write_end = os.pipe()
        self.display = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                         "-nolisten", "tcp"], pass_fds=(write_end,),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            sys.exit("seed-faults: Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def wine(self, command, timeout=120, cwd=None):
        # The output goes to a file, not a pipe: what a run leaves behind (the debugger Wine starts over a crash, a
        # MAME still being asked) would hold a pipe open, and a run that ended would wait out its whole timeout.
        with tempfile.TemporaryFile("w+", encoding="utf-8", errors="replace") as output:
            process = subprocess.Popen(command, env=self.env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=output,
                                       stderr=subprocess.STDOUT)
            try:
                process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                return None
            output.seek(0)
            return subprocess.CompletedProcess(command, process.returncode, output.read())

    def tests_pass(self, tests, build=WIN_BUILD):
        """Runs the tests in one process that stops at the first failure."""
        result = self.wine(["wine", str(build / WIN_TESTS), "--gtest_fail_fast",
                            "--gtest_filter=" + ":".join(tests)], timeout=self.args.timeout, cwd=build)
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if result is None:
            return False, "korvo_win_tests (hang)"
        if result.returncode != 0:
            failed = re.findall(r"^\[  FAILED  \] (\S+) \(", result.stdout, re.M)
            return False, "korvo_win_tests " + (failed[0] if failed else f"(exit {result.returncode})")
        return True, ""

    # -- which tests run which lines --
    def sources_digest(self):
        digest = hashlib.sha256(b"lines run and lines of code")
        for rel in sorted(run(["git", "ls-files", "src", "tests/win", "tools/fakemame"], cwd=ROOT).stdout.split()):
            digest.update(rel.encode())
            digest.update((TREE / rel).read_bytes())
        return digest.hexdigest()

    def measure_reach(self):
        digest = self.sources_digest()
        if WIN_REACH.exists():
            kept = json.loads(WIN_REACH.read_text())
            if kept.get("digest") == digest:
                return kept
        # Unoptimised, so that each executed line counts as its own.
        options = [o for o in self.toolchain if "BUILD_TYPE" not in o]
        configure_and_build(WIN_COVERAGE, options + ["-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=--coverage -O0",
                                                     "-DCMAKE_C_FLAGS=--coverage -O0",
                                                     # the toolchain's static linking kept
                                                     "-DCMAKE_EXE_LINKER_FLAGS=--coverage -static -static-libgcc "
                                                     "-static-libstdc++"],
                            self.args.jobs, self.targets)
        listing = self.wine(["wine", str(WIN_COVERAGE / WIN_TESTS), "--gtest_list_tests"], cwd=WIN_COVERAGE)
        tests, suite = [], ""
        for line in listing.stdout.splitlines():
            if not line.startswith(" ") and line.strip().endswith("."):
                suite = line.strip()
            elif line.startswith("  ") and line.strip():
                tests.append(suite + line.split("#")[0].strip())
        if not tests:
            sys.exit("seed-faults: the coverage build's korvo_win_tests.exe lists no tests under Wine:\n"
                     + (listing.stdout[-2000:] if listing else "(no answer)"))
        reach = {"digest": digest, "lines": {}, "start_korvo": []}
        code = {}
        for n, test in enumerate(tests, 1):
            for old in WIN_COVERAGE.rglob("*.gcda"):
                old.unlink()
            print(f"Measuring which lines {test} runs ({n} of {len(tests)}) ...", flush=True)
            self.wine(["wine", str(WIN_COVERAGE / WIN_TESTS), "--gtest_filter=" + test], timeout=self.args.timeout,
                      cwd=WIN_COVERAGE)
            subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            ran = self.lines_run(code)
            for path, lines in ran.items():
                for line in lines:
                    reach["lines"].setdefault(path, {}).setdefault(str(line), []).append(test)
            if "src/app/main_win.cpp" in ran:
                reach["start_korvo"].append(test)
        reach["code"] = {path: sorted(lines) for path, lines in code.items()}
        WIN_REACH.write_text(json.dumps(reach))
        return reach

    def lines_run(self, code):
        """Source file (relative to the tree) -> the lines the last run executed; `code` gathers every file's lines
        that hold code at all."""
        out = {}
        for gcda in WIN_COVERAGE.rglob("*_win.cpp.gcda"):
            result = subprocess.run(["x86_64-w64-mingw32-gcov", "--json-format", "--stdout", str(gcda)],
                                    cwd=gcda.parent, text=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            for chunk in result.stdout.splitlines():
                try:
                    data = json.loads(chunk)
                except ValueError:
                    continue
                for entry in data.get("files", []):
                    name = Path(entry["file"])
                    try:
                        # gcov names the sources as the compiler was given them: relative to the build folder
                        rel = (name if name.is_absolute() else (WIN_COVERAGE / name)).resolve().relative_to(TREE)
                    except ValueError:
                        continue
                    code.setdefault(rel.as_posix(), set()).update(l["line_number"] for l in entry.get("lines", []))
                    run_lines = {l["line_number"] for l in entry.get("lines", []) if l.get("count", 0) > 0}
                    if run_lines:
                        out.setdefault(rel.as_posix(), set()).update(run_lines)
        return out


# ---- drawing a sample ----------------------------------------------------------

def draw(by_module, count, seed, least):
    """A spread over every module, in proportion to its candidates, at least `least` each."""
    rng = random.Random(seed)
    total = sum(len(v) for v in by_module.values())
    plan = {}
    for module, faults in sorted(by_module.items()):
        plan[module] = min(len(faults), max(least, round(count * len(faults) / total)))
    queues = {}
    for module, faults in sorted(by_module.items()):
        queue = list(faults)
        rng.shuffle(queue)
        queues[module] = queue
    return plan, queues


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=300, help="faults to draw (default 300)")
    parser.add_argument("--seed", type=int, help="seed of the draw (default: a new one, printed)")
    parser.add_argument("--sample", help="run the faults of this sample file instead of drawing")
    parser.add_argument("--windows", action="store_true", help="seed the Win32 layer and judge under Wine")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--timeout", type=int, default=300, help="seconds a suite may run before it counts as hung")
    parser.add_argument("--results", help="where the outcomes go (default build/fault-seeding/[windows-]results.txt)")
    parser.add_argument("--modules", help="draw only from these modules (comma-separated): a look at a few, "
                        "not a measurement")
    parser.add_argument("--limit", type=int, default=0, help="stop after this many faults (a quick try of the tool)")
    parser.add_argument("--resume", action="store_true",
                        help="take the outcomes already in the results file instead of running those faults again")
    args = parser.parse_args()
    if args.seed is None and not args.sample:
        if args.resume:
            sys.exit("seed-faults: --resume needs the --seed of the run it goes on with")
        args.seed = random.SystemRandom().randrange(1, 1_000_000)

    WORK.mkdir(parents=True, exist_ok=True)
    judge = (WindowsJudge if args.windows else NativeJudge)(args)
    results_path = Path(args.results or WORK / judge.results_name)
    copy_tree()
    judge.prepare()

    # An interrupted run goes on where it stopped: the draw is the same for the
    # same seed and code, so earlier outcomes are taken over by description.
    earlier = {}
    if args.resume and results_path.exists():
        for line in results_path.read_text(encoding="utf-8").splitlines():
            if line.startswith("#"):
                continue
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
        try:
            path.write_text(changed, encoding="utf-8")
            return judge.judge(fault)
        finally:
            path.write_text(original, encoding="utf-8")

    outcomes = []
    started = time.time()
    results = open(results_path, "w", encoding="utf-8")
    heading = f"# sample {args.sample}" if args.sample else f"# seed {args.seed}, {args.count} faults"
    results.write(heading + (" of the Win32 layer\n" if args.windows else "\n"))

    def record(fault, caught, by):
        outcomes.append((fault, caught))
        word = "caught" if caught else "SURVIVED"
        results.write(f"{word}\t{by}\t{fault.describe()}\n")
        results.flush()
        print(f"[{len(outcomes)}] {word:8} {fault.describe()}" + (f"  ({by})" if by else ""), flush=True)
        if args.limit and len(outcomes) >= args.limit:
            raise StopIteration

    try:
        run_faults(args, judge, try_fault, record)
    except StopIteration:
        pass
    finally:
        judge.finish()
    results.close()
    print(heading[2:])
    summarise(outcomes, started, results_path)


def run_faults(args, judge, try_fault, record):
    if args.sample:
        sample = [Fault.decode(l) for l in Path(args.sample).read_text(encoding="utf-8").splitlines() if l.strip()]
        for fault in sample:
            outcome = try_fault(fault)
            if outcome is None:
                print(f"skipped (no longer applies or compiles): {fault.describe()}", flush=True)
                continue
            record(fault, *outcome)
    else:
        candidates = judge.candidates()
        if args.modules:
            wanted = set(args.modules.split(","))
            candidates = {m: f for m, f in candidates.items() if m in wanted}
        plan, queues = draw(candidates, args.count, args.seed, 3 if args.windows else 6)
        sample_file = open(WORK / judge.sample_name, "w", encoding="utf-8")
        # One module after the other, a fault each in turn: a run cut short
        # (--limit, or stopped) still speaks for every module.
        taken = {module: 0 for module in plan}
        while any(taken[m] < plan[m] and queues[m] for m in plan):
            for module in sorted(plan):
                queue = queues[module]
                while taken[module] < plan[module] and queue:
                    fault = queue.pop()
                    outcome = try_fault(fault)
                    if outcome is None:
                        continue  # does not compile: draw another of the same module
                    sample_file.write(fault.encode() + "\n")
                    sample_file.flush()
                    record(fault, *outcome)
                    taken[module] += 1
                    break
        sample_file.close()


def summarise(outcomes, started, results_path):
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
        print(f"  {m:11} {c:3} of {n:3}")
    print(f"Every outcome: {results_path}")


if __name__ == "__main__":
    main()
