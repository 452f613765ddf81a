#!/usr/bin/env python3
"""Random command streams through the headless console.

Each session is 30 to 40 typed lines, made from a seed: assignments,
expressions, calls, if, switch, loops, functions, batches, dynamic
statements and suspensions, with some lines damaged token by token (a
bracket changed, a ";" dropped, a token doubled) so that the parser reports
errors and recovers. Every session runs in its own console_driver under a
time limit; a session that outlasts it is a finding.

The generator writes every loop so that it counts to a small bound: a
counter of its own, set and stepped by the loop alone, or "for (;;)" with a
break at the end of its body. For each finding the debugger names the
loops being executed and where their keyword stands; the tool reads their
text on the line as typed and says what it lost of that counting (a step
"i1 = i1 1", a condition "< 5", a break turned into ";"): such a loop
really never ends. A finding outside any loop, in loops whose text still
counts, or with a syntax error reported inside a loop that runs, is a
fault to trace; the tool then ends with status 1.

Loop positions need a driver with debug information:

    cmake -S . -B build-dbg -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build-dbg --target console_driver
    tools/consolestreams.py build-dbg/tests/console_driver --sessions 3000 --seed 1000 --keep hangs/
"""
import argparse
import concurrent.futures
import os
import random
import re
import subprocess
import sys
import tempfile

# A session longer than this is a finding.
SESSION_LIMIT_S = 10
# Lines per session.
MIN_LINES, MAX_LINES = 30, 40
# Share of lines that are damaged.
DAMAGE_RATE = 0.3
# Nesting of statements inside statements, and of operands inside operands.
MAX_STMT_DEPTH, MAX_EXPR_DEPTH = 3, 3
# Loop bounds stay small: a few passes nested three deep is quick.
MAX_LOOP_COUNT = 6

VARIABLES = ["a", "b", "c", "p", "q", "v", "x", "y", "z", "m", "n", "arr[1]", "arr[2]", "::g"]
ATOMS = ["0", "1", "2", "0.5", "3", "-1", "e1", "e2", "e3", "e0", "no", "ni", "go", "gi", "pi", "campos", "camori"]
BINARY = ["+", "-", "*", "^", ".", "/", "==", "<", ">", "<=", ">=", "!=", "&&", "||"]
CALLS1 = ["sqrt", "abs", "norm", "grade", "inverse", "dual", "reverse", "scalar", "sin", "cos", "exp", "versor",
          "blade", "normalize", "negate", "print", "label", "hide", "show", "red", "wireframe", "stipple", "factor"]
CALLS2 = ["gp", "op", "lcont", "hip", "meet", "join", "pow", "print", "label", "add", "equal", "less"]
MODELS = ["e3ga", "p3ga", "c3ga", "i2ga"]
# what damage puts in or swaps
PUNCTUATION = ["(", ")", "[", "]", "{", "}", ";", ",", "=", ":", "+", "if", "while", "for", "else", "break"]


class Generator:
    def __init__(self, rng):
        self.r = rng
        self.functions = []  # (name, number of arguments)
        self.batches = []

    def expr(self, depth=0):
        r = self.r
        choice = r.random()
        if depth >= MAX_EXPR_DEPTH or choice < 0.35:
            return [r.choice(ATOMS + VARIABLES)]
        if choice < 0.65:
            return self.expr(depth + 1) + [r.choice(BINARY)] + self.expr(depth + 1)
        if choice < 0.72:
            return ["-"] + self.expr(depth + 1)
        if choice < 0.8:
            return ["("] + self.expr(depth + 1) + [")"]
        if choice < 0.85:
            return ["(", r.choice(MODELS), ")"] + self.expr(depth + 1)
        if choice < 0.93 or not self.functions:
            if r.random() < 0.6:
                return [r.choice(CALLS1), "("] + self.expr(depth + 1) + [")"]
            return [r.choice(CALLS2), "("] + self.expr(depth + 1) + [","] + self.expr(depth + 1) + [")"]
        name, nargs = r.choice(self.functions)
        args = []
        for i in range(nargs):
            args += ([","] if i else []) + self.expr(depth + 1)
        return [name, "("] + args + [")"]

    def end(self):
        return [self.r.choice([";", ",", ";"])]

    def simple(self):
        r = self.r
        if r.random() < 0.7:
            return [r.choice(VARIABLES), "="] + self.expr() + self.end()
        return self.expr() + self.end()

    def block(self, depth, loop):
        body = []
        for _ in range(self.r.randint(1, 3)):
            body += self.stmt(depth + 1, loop)
        return ["{"] + body + ["}"]

    def stmt(self, depth=0, loop=False):
        """One statement; loop tells whether break and continue may end it."""
        r = self.r
        choice = r.random()
        if depth >= MAX_STMT_DEPTH or choice < 0.45:
            return self.simple()
        if choice < 0.55:
            s = ["if", "("] + self.expr() + [")"] + self.block(depth, loop)
            return s + (["else"] + self.block(depth, loop) if r.random() < 0.4 else [])
        if choice < 0.65:
            # the counter of each depth is written by its own loop alone
            i = "i%d" % depth
            return ["for", "(", i, "=", "0", ";", i, "<", str(r.randint(0, MAX_LOOP_COUNT)), ";", i, "=", i, "+",
                    "1", ")"] + self.block(depth, True)
        if choice < 0.72:
            # the count goes up first, so that a continue cannot skip it
            w = "w%d" % depth
            body = self.block(depth, True)
            return [w, "=", "0", ";", "while", "(", w, "<", str(r.randint(0, MAX_LOOP_COUNT)), ")", "{", w, "=", w,
                    "+", "1", ";"] + body[1:]
        if choice < 0.77:
            s = ["for", "(", ";", ";", ")", "{"] + self.simple() + ["break", ";", "}"]
            return s
        if choice < 0.82:
            cases = []
            for k in range(r.randint(1, 3)):
                cases += ["case", str(k), ":"] + self.simple() + (["break", ";"] if r.random() < 0.6 else [])
            if r.random() < 0.5:
                cases += ["default", ":"] + self.simple()
            return ["switch", "("] + self.expr() + [")", "{"] + cases + ["}"]
        if choice < 0.88 and loop:
            return [r.choice(["break", "continue"]), ";"]
        if choice < 0.92:
            return ["{"] + self.simple() + self.simple() + ["}"]
        return self.simple()

    def definition(self):
        # bodies call no user function: chains of calls would grow exponentially
        known, self.functions = self.functions, []
        try:
            return self.definitionOf(known)
        finally:
            self.functions = known + self.functions

    def definitionOf(self, known):
        r = self.r
        kind = r.random()
        if kind < 0.5:
            name = "f%d" % len(known)
            nargs = r.randint(0, 2)
            args = ["u", "t"][:nargs]
            params = []
            for i, a in enumerate(args):
                params += ([","] if i else []) + ([r.choice(MODELS)] if r.random() < 0.3 else []) + [a]
            # a function may call itself, with a depth that runs out
            body = ["if", "(", "scalar", "(", "::depth", ")", ">", "0", ")", "{", "::depth", "=", "::depth", "-", "1",
                    ";"] + [name, "("] + sum((([","] if i else []) + ["1"] for i in range(nargs)), []) + [")", ";",
                                                                                                       "}"]
            body = (body if r.random() < 0.3 else []) + ["return"] + self.expr() + [";"]
            self.functions.append((name, nargs))
            return ["function", name, "("] + params + [")", "{"] + body + ["}"]
        if kind < 0.7:
            name = "b%d" % len(known)
            self.batches.append(name)
            self.functions.append((name, 0))
            return ["batch", name, "(", ")", "{"] + self.simple() + self.simple() + ["}"]
        if kind < 0.85:
            return ["dynamic", "{"] + (["d%d" % r.randint(0, 2), ":"] if r.random() < 0.5 else []) + self.simple() + [
                "}"]
        return ["cld", "(", ")", ";"]

    def line(self):
        """One typed line: its tokens."""
        r = self.r
        choice = r.random()
        if choice < 0.05:
            return []  # an empty command resumes what was suspended
        if choice < 0.12:
            return self.stmt() + ["suspend", ";"] + self.stmt()
        if choice < 0.24:
            return self.definition()
        if choice < 0.27:
            return r.choice([["default_model", "(", r.choice(MODELS), ")"], ["default_model", "(", ")"],
                             ["inner_product", "(", r.choice(["hip", "mhip", "lcont"]), ")"],
                             ["::depth", "=", str(r.randint(0, 5)), ";"], ["clf", "(", ")", ";"],
                             ["add_const", "(", "K", "=", "e1", ")", ";"], ["remove_const", "(", "K", ")", ";"],
                             ["variable", "va", ";"]])
        tokens = []
        for _ in range(r.randint(1, 3)):
            tokens += self.stmt()
        return tokens

    def damage(self, tokens):
        r = self.r
        tokens = list(tokens)
        for _ in range(r.randint(1, 2)):
            if not tokens:
                break
            at = r.randrange(len(tokens))
            kind = r.random()
            if kind < 0.35:
                del tokens[at]
            elif kind < 0.7:
                tokens[at] = r.choice(PUNCTUATION)
            elif kind < 0.85:
                tokens.insert(at, r.choice(PUNCTUATION))
            else:
                tokens.insert(at, tokens[at])
        return tokens

    def session(self):
        """The lines of one session: (text, damaged)."""
        lines = []
        for _ in range(self.r.randint(MIN_LINES, MAX_LINES)):
            tokens = self.line()
            damaged = bool(tokens) and self.r.random() < DAMAGE_RATE
            if damaged:
                tokens = self.damage(tokens)
            lines.append((" ".join(tokens), damaged))
        return lines


SYNTAX_ERROR = re.compile(r"^line (\d+):(\d+): ")

# Asks the debugger for the loops being executed, innermost first, with the
# line and column of their keyword (needs a driver built with debug
# information; without it only the kinds of statement are known).
GDB_LOOPS = """
f = gdb.newest_frame()
while f is not None:
    name = f.name() or ""
    if name.endswith("Stmt::execute"):
        where = ""
        if name in ("consoleForStmt::execute", "consoleWhileStmt::execute"):
            try:
                this = f.read_var("this").dereference()
                where = " %d %d" % (int(this["m_line"]), int(this["m_column"]))
            except Exception:
                pass
        print("STMT " + name.split("::")[0] + where)
    f = f.older()
"""


def loop_text(line, column):
    """The text of the loop whose keyword stands at column (from 1) of line:
    keyword, header and body, as far as brackets say; None when no loop
    keyword stands there."""
    rest = line[column - 1:]
    if not (rest.startswith("for ") or rest.startswith("while ")):
        return None
    depth, i, header_done = 0, 0, False
    tokens = rest.split(" ")
    for i, t in enumerate(tokens):
        if t in ("(", "{", "["):
            depth += 1
        elif t in (")", "}", "]"):
            depth -= 1
            if depth == 0 and (header_done or t == "}"):
                break
            if depth == 0:
                header_done = True
                # a body without braces ends at its terminator
                if i + 1 < len(tokens) and tokens[i + 1] != "{":
                    for j in range(i + 1, len(tokens)):
                        if tokens[j] in (";", ","):
                            return " ".join(tokens[:j + 1])
                    return " ".join(tokens)
    return " ".join(tokens[:i + 1])


def counts_to_its_end(text):
    """Whether a loop's text counts to its bound the way the generator
    writes loops: a counter of its own, set and stepped by the loop alone,
    or "for (;;)" with a break at the end of its body."""
    m = re.match(r"for \( (i\d) = 0 ; \1 < \d+ ; \1 = \1 \+ 1 \) \{ (.*) \}$", text)
    if m:
        return m.group(1) not in m.group(2).split(" ")
    m = re.match(r"while \( (w\d) < \d+ \) \{ \1 = \1 \+ 1 ; (.*) \}$", text)
    if m:
        return m.group(1) not in m.group(2).split(" ")
    return re.match(r"for \( ; ; \) \{ [^{}]* [;,] break ; \}$", text) is not None


def split_header(text):
    """The parts of a loop header between its parentheses, split at the
    semicolons outside brackets, and the body after it."""
    tokens = text.split(" ")[1:]
    depth, parts, part = 0, [], []
    for i, t in enumerate(tokens):
        if t in ("(", "[", "{"):
            depth += 1
            if depth == 1:
                continue
        elif t in (")", "]", "}"):
            depth -= 1
            if depth == 0:
                parts.append(" ".join(part))
                return parts, " ".join(tokens[i + 1:])
        if depth == 1 and t == ";":
            parts.append(" ".join(part))
            part = []
        else:
            part.append(t)
    return parts, ""


def what_changed(text):
    """How a loop's text differs from the counting the generator wrote: the
    part of it that was damaged, for a person to judge."""
    parts, body = split_header(text)
    if text.startswith("while"):
        m = re.match(r"w\d < \d+$", parts[0] if parts else "")
        if not m:
            return "while condition '%s'" % (parts[0] if parts else "")
        counter = parts[0].split(" ")[0]
        first = body[2:].split(" ; ")[0] if body.startswith("{ ") else body
        if first != "%s = %s + 1" % (counter, counter):
            return "while (%s) counts with '%s'" % (parts[0], first)
        return "while body writes %s" % counter
    if len(parts) == 3 and parts == ["", "", ""]:
        return "for (;;) with body '%s'" % body
    if len(parts) != 3:
        return "for header '%s'" % " ; ".join(parts)
    m = re.match(r"(i\d) = 0$", parts[0])
    counter = m.group(1) if m else None
    if not counter:
        return "for init '%s' (cond '%s', step '%s')" % tuple(parts)
    if not re.match(r"%s < \d+$" % counter, parts[1]):
        return "for condition '%s'" % parts[1]
    if parts[2] != "%s = %s + 1" % (counter, counter):
        return "for (%s) steps with '%s'" % (parts[1], parts[2])
    return "for body writes %s" % counter


def run_session(driver, seed, keep):
    lines = Generator(random.Random(seed)).session()
    text = "".join(l + "\n" for l, _ in lines)
    # line-buffered, so that what a killed session printed is all there
    proc = subprocess.Popen(["stdbuf", "-oL", driver, "--echo"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True, errors="replace")
    try:
        proc.communicate(text, timeout=SESSION_LIMIT_S)
        return seed, None
    except subprocess.TimeoutExpired:
        pass
    with tempfile.NamedTemporaryFile("w", suffix=".py") as script:
        script.write(GDB_LOOPS)
        script.flush()
        stack = subprocess.run(["gdb", "-p", str(proc.pid), "-batch", "-x", script.name], capture_output=True,
                               text=True, errors="replace", timeout=60).stdout
    proc.kill()
    out = proc.communicate()[0]
    running = re.findall(r"^STMT (\w+)", stack, re.M)
    loops = [(int(l), int(c)) for l, c in re.findall(r"^STMT console(?:For|While)Stmt (\d+) (\d+)", stack, re.M)]
    # the running line is the last one echoed (an echo may follow output
    # that lacks its line end, so it is searched for, in order)
    index, at = -1, 0
    for i, (l, _) in enumerate(lines):
        found = out.find(">> " + l + "\n" if l else ">>\n", at)
        if found < 0:
            break
        index, at = i, found + 1
    after = out[out.find("\n", at) + 1:] if index >= 0 else ""
    # the line printed most often while it ran: what the endless part does
    counts = {}
    for l in after[-100000:].splitlines():
        counts[l] = counts.get(l, 0) + 1
    # the running loops' texts: on the running line, or, when a command
    # without statements resumed a suspended one, on the newest line before
    # it that suspended and holds loops where the debugger says
    def holds_loops(i):
        return all(l == 1 and loop_text(lines[i][0], c) is not None for l, c in loops)

    source = index
    if index >= 0 and loops and not holds_loops(index):
        source = next((i for i in range(index - 1, -1, -1) if "suspend" in lines[i][0] and holds_loops(i)), index)
    texts = [loop_text(lines[source][0], c) if l == 1 else None for l, c in loops] if source >= 0 else []
    spans = [(c, c + len(t)) for (l, c), t in zip(loops, texts) if t is not None]
    errors = [int(c) for l, c in (m.groups() for m in map(SYNTAX_ERROR.match, after[:100000].splitlines()) if m)
              if l == "1"] if source == index else []
    finding = {
        "seed": seed,
        "line": index + 1,
        "source": source + 1,
        "text": lines[source][0] if source >= 0 else "",
        "damaged": lines[source][1] if source >= 0 else False,
        "syntaxError": bool(errors),
        "repeated": max(counts, key=counts.get) if counts else "",
        "inLoop": bool(loops) or "consoleWhileStmt" in running or "consoleForStmt" in running,
        "running": " < ".join(dict.fromkeys(running)),
        "loops": texts,
        # a loop that lost its counting, as typed, explains the hang
        "explained": any(t is not None and not counts_to_its_end(t) for t in texts),
        # the innermost such loop, and what its text lost
        "cause": next((what_changed(t) for t in texts if t is not None and not counts_to_its_end(t)), ""),
        # a syntax error reported inside the text of a loop that ran
        "errorInLoop": any(start <= c < end for start, end in spans for c in errors),
    }
    if keep:
        os.makedirs(keep, exist_ok=True)
        with open(os.path.join(keep, "session%d.txt" % seed), "w") as f:
            f.write(text)
    return seed, finding


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("driver")
    ap.add_argument("--sessions", type=int, default=100)
    ap.add_argument("--seed", type=int, default=1, help="seed of the first session; session k uses seed + k")
    ap.add_argument("--jobs", type=int, default=4)
    ap.add_argument("--keep", help="directory for the text of sessions that hung")
    ap.add_argument("--print", action="store_true", help="print the first session's lines and stop")
    args = ap.parse_args()
    if args.print:
        for l, damaged in Generator(random.Random(args.seed)).session():
            print(("! " if damaged else "  ") + l)
        return 0
    findings = []
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        for seed, f in pool.map(lambda s: run_session(args.driver, s, args.keep),
                                range(args.seed, args.seed + args.sessions)):
            if f:
                findings.append(f)
    for f in findings:
        print("seed %(seed)d line %(line)d (text of line %(source)d) damaged=%(damaged)s syntaxError=%(syntaxError)s "
              "inLoop=%(inLoop)s explained=%(explained)s errorInLoop=%(errorInLoop)s\n"
              "    cause: %(cause)s\n    repeated %(repeated)r\n    running %(running)s\n    line: %(text)s" % f)
        for t in f["loops"]:
            print("    loop: %s" % t)
    causes = {}
    for f in findings:
        # counters and bounds told apart by no more than their number count as one kind
        kind = re.sub(r"\b[iw]\d\b", "K", re.sub(r"< \d+", "< N", f["cause"])) or "none"
        causes[kind] = causes.get(kind, 0) + 1
    for kind, n in sorted(causes.items(), key=lambda kv: -kv[1]):
        print("%5d  %s" % (n, kind))
    undamaged = [f for f in findings if not f["damaged"]]
    outside = [f for f in findings if not f["inLoop"]]
    unexplained = [f for f in findings if f["inLoop"] and not f["explained"]]
    error_in_loop = [f for f in findings if f["errorInLoop"]]
    print("%d sessions, %d over %d s: %d outside any loop; %d in a loop that as typed does not count to its end; "
          "%d in loops that seem to count (look at them); %d on an undamaged line; %d on a line with a syntax error, "
          "%d of them inside a running loop" %
          (args.sessions, len(findings), SESSION_LIMIT_S, len(outside), len(findings) - len(outside) -
           len(unexplained), len(unexplained), len(undamaged), sum(f["syntaxError"] for f in findings),
           len(error_in_loop)))
    return 1 if outside or unexplained or error_in_loop or undamaged else 0


if __name__ == "__main__":
    sys.exit(main())
