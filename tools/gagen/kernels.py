"""Straight-line coordinate kernels of one algebra, as C-linkage C++ source."""
from products import product_terms, count_terms, pair_terms, rule_of, EXPECTED_TERMS
from tables import dual_map


def sum_expr(terms, aname, bname):
    """'x += ...' right-hand side and operator for a list of (ia, ib, sign)."""
    neg_first = terms[0][2] < 0
    parts = []
    for n, (ia, ib, s) in enumerate(terms):
        if neg_first:
            s = -s
        prod = "%s[%d] * %s[%d]" % (aname, ia, bname, ib)
        if n == 0:
            parts.append(prod)
        else:
            parts.append(("+ " if s > 0 else "- ") + prod)
    return ("-=" if neg_first else "+="), " ".join(parts)


def small_kernels(alg):
    p = alg.impl
    gs = alg.grade_size
    G = alg.dim + 1
    out = []
    out.append("""
void %(p)s_null(double *dest, int length) { ga::clearCoordinates(dest, length); }
void %(p)s_copy(double *dest, const double *src, int length) { ga::copyCoordinates(dest, src, length); }
void %(p)s_negate(double *dest, const double *src, int length) { ga::negateCoordinates(dest, src, length); }
double %(p)s_norm_a(const double *a, int nb) { return ga::sumOfSquares(a, nb); }
void %(p)s_addSameGradeUsage(double *c, const double *a, const double *b, int length) { ga::addCoordinates(c, a, b, length); }
void %(p)s_subSameGradeUsage(double *c, const double *a, const double *b, int length) { ga::subCoordinates(c, a, b, length); }
void %(p)s_opt_zero_result(const double *, const double *, double *) {}

""" % {"p": p})
    # sums over grade-part tables; element-wise loops so a result part may alias an operand part
    for name, op, missing_a in (("add", "+", "b[g][i]"), ("sub", "-", "-b[g][i]")):
        out.append("void %s_%s(const double **a, const double **b, double **c)\n{\n" % (p, name))
        out.append("\tstatic const int gs[%d] = {%s};\n" % (G, ", ".join(map(str, gs))))
        out.append("\tfor (int g = 0; g < %d; g++) {\n" % G)
        out.append("\t\tdouble *r = c[g];\n\t\tif (r == 0) continue;\n")
        out.append("\t\tif (a[g] == 0) for (int i = 0; i < gs[g]; i++) r[i] = %s;\n" % missing_a)
        out.append("\t\telse if (b[g] == 0) for (int i = 0; i < gs[g]; i++) r[i] = a[g][i];\n")
        out.append("\t\telse for (int i = 0; i < gs[g]; i++) r[i] = a[g][i] %s b[g][i];\n" % op)
        out.append("\t}\n}\n\n")
    signs = {
        "reverse": lambda g: (g * (g - 1) // 2) % 2,
        "cliffordConjugate": lambda g: (g * (g + 1) // 2) % 2,
        "involution": lambda g: g % 2,
    }
    for name, negated in signs.items():
        out.append("void %s_%s(double **a)\n{\n" % (p, name))
        for g in range(G):
            if negated(g):
                out.append("\tif (a[%d]) for (int i = 0; i < %d; i++) a[%d][i] = -a[%d][i];\n"
                           % (g, gs[g], g, g))
        out.append("}\n\n")
    return "".join(out)


def om_kernels(alg):
    out = []
    for n in sorted(set(alg.grade_size)):
        out.append("void %s_opt_om_%02Xx%02X(const double *a, const double *b, double *c)\n{\n"
                   % (alg.impl, n, n))
        for i in range(n):
            out.append("\tc[%d] = %s;\n" % (i, " + ".join("a[%d] * b[%d]" % (i * n + j, j)
                                                         for j in range(n))))
        out.append("}\n\n")
    return "".join(out)


def dual_kernels(alg):
    """One signed permutation per grade: grade g of a goes to grade dim - g of c."""
    dm = dual_map(alg)
    out = []
    for g in range(alg.dim + 1):
        out.append("void %s_fastDual_g%d(const double *a, double *c)\n{\n" % (alg.impl, g))
        o_in, o_out = alg.grade_offset[g], alg.grade_offset[alg.dim - g]
        for i in range(alg.grade_size[g]):
            t, s = dm[o_in + i]
            out.append("\tc[%d] = %sa[%d];\n" % (t - o_out, "" if s > 0 else "-", i))
        out.append("}\n\n")
    return "".join(out)


# Algebras with at most this many coordinates clear the whole array inside
# the general kernel: a few stores, after which the compiler knows that each
# sum starts from 0.0 and reads nothing back.  Larger algebras clear only the
# grades the pair of grade usages can produce, before the kernel adds.
SELF_CLEARING_COORDINATES = 8


def self_clearing(alg):
    return alg.nb_coor <= SELF_CLEARING_COORDINATES


def general_entry(alg, name):
    """The general kernel that the dispatch tables name for product name."""
    return "%s_%s_%s" % (alg.impl, "general" if self_clearing(alg) else "generalAdd", name)


def general_kernel(alg, name):
    """One whole product into a full coordinate array (e3ga, p3ga, c3ga): the
    general kernel, or for the larger algebras the one that adds into the
    array and the general kernel that clears it first."""
    pairs = product_terms(alg, name)
    n_terms = count_terms(pairs)
    expected = EXPECTED_TERMS[alg.name][name]
    assert n_terms == expected, "%s %s: %d terms, expected %d" % (alg.name, name, n_terms, expected)
    if self_clearing(alg):
        out = ["void %s_general_%s(const double **a, const double **b, double *c)\n{\n"
               % (alg.impl, name), "\t%s_null(c, %d);\n" % (alg.impl, alg.nb_coor)]
    else:
        out = ["void %s_generalAdd_%s(const double **a, const double **b, double *c)\n{\n"
               % (alg.impl, name)]
    by_a = {}
    for ga, gb, terms in pairs:
        by_a.setdefault(ga, []).append((gb, terms))
    for ga in sorted(by_a):
        out.append("\tif (a[%d] != 0) {\n\t\tconst double *x = a[%d];\n" % (ga, ga))
        for gb, terms in by_a[ga]:
            out.append("\t\tif (b[%d] != 0) {\n\t\t\tconst double *y = b[%d];\n" % (gb, gb))
            for k in sorted(terms):
                op, expr = sum_expr(terms[k], "x", "y")
                out.append("\t\t\tc[%d] %s %s;\n" % (k, op, expr))
            out.append("\t\t}\n")
        out.append("\t}\n")
    out.append("}\n\n")
    if not self_clearing(alg):
        out.append(clearing_kernel(alg, name))
    return "".join(out)


def clearing_kernel(alg, name):
    """The general kernel that overwrites the whole array: clear, then add."""
    return ("void %(p)s_general_%(n)s(const double **a, const double **b, double *c)\n{\n"
            "\t%(p)s_null(c, %(N)d);\n\t%(p)s_generalAdd_%(n)s(a, b, c);\n}\n\n"
            % {"p": alg.impl, "n": name, "N": alg.nb_coor})


# --- i2ga: one kernel per (result grade, grade of a, grade of b, metric) -------------

def pp_triples(n):
    for aa in range(n + 1):
        for bb in range(n + 1):
            lo, hi = abs(aa - bb), min(aa + bb, 2 * n - aa - bb)
            for rr in range(lo, hi + 1, 2):
                yield rr, aa, bb


def pp_name(alg, rr, aa, bb, m):
    return "%s_pp_%02d_%02d_%02d_m%d" % (alg.impl, rr, aa, bb, m)


def pp_kernels(alg):
    out = []
    total = {0: 0, 1: 0}
    triples = list(pp_triples(alg.dim))
    assert len(triples) == 84
    for m in (0, 1):
        for rr, aa, bb in triples:
            terms = pair_terms(alg, aa, bb, m == 1, [rr])
            off = alg.grade_offset[rr]
            assert len(terms) == alg.grade_size[rr], "every output receives a term"
            out.append("void %s(const double *a, const double *b, double *c)\n{\n"
                       % pp_name(alg, rr, aa, bb, m))
            for k in sorted(terms):
                total[m] += len(terms[k])
                op, expr = sum_expr(terms[k], "a", "b")
                out.append("\tc[%d] %s %s;\n" % (k - off, op, expr))
            out.append("}\n\n")
    assert total == {0: 4096, 1: 4096}, total
    return "".join(out), triples


def pp_driver(alg, name, triples):
    euclidean, rule = rule_of(name)
    m = 1 if euclidean else 0
    n = alg.dim
    calls = {}
    n_terms = 0
    for rr, aa, bb in triples:
        kept = rule(aa, bb, n)
        if kept is not None and rr not in kept:
            continue
        calls.setdefault(aa, {}).setdefault(bb, []).append(rr)
        n_terms += sum(len(t) for t in pair_terms(alg, aa, bb, euclidean, [rr]).values())
    assert n_terms == EXPECTED_TERMS[alg.name][name], (name, n_terms)
    out = ["void %s_generalAdd_%s(const double **a, const double **b, double *c)\n{\n"
           % (alg.impl, name)]
    for aa in sorted(calls):
        out.append("\tif (a[%d] != 0) {\n" % aa)
        for bb in sorted(calls[aa]):
            out.append("\t\tif (b[%d] != 0) {\n" % bb)
            for rr in sorted(calls[aa][bb]):
                out.append("\t\t\t%s(a[%d], b[%d], c + %d);\n"
                           % (pp_name(alg, rr, aa, bb, m), aa, bb, alg.grade_offset[rr]))
            out.append("\t\t}\n")
        out.append("\t}\n")
    out.append("}\n\n")
    out.append(clearing_kernel(alg, name))
    return "".join(out)
