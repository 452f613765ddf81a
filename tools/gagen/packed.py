"""Kernels on packed operands and the tables that pick them.

A packed kernel takes the two operands' coordinates as they are stored (grade
parts of a known grade usage, packed) and writes the product packed, keeping
only the grade parts with a coordinate other than 0.0, as the general path
does when it compresses.  Each output coordinate is one sum held in a
register, but its terms are added in the order in which the general kernel
adds them into its array, so both paths give the same bits.

The tables of a product: map_a and map_b turn each operand's grade usage
into a part of the dispatch index; resultUsage holds, per index, the usage
word of the grades the kernel can produce (the target is given room for
them), or -1 for the general path; func holds the kernel, or the general
kernel (kernels.general_entry).  The producible tables give, for any pair of
grade usages, the grades the general kernel writes, so that only those are
cleared and compressed.
"""
from products import pair_terms, rule_of, product_names
import kernels

# products with kernels for the common sparse pairs
SPARSE_PRODUCTS = ["gp", "op", "lcont", "scp"]

# the sparse pairs of operand kinds; full x full is there for every product
SPARSE_PAIRS = [("vector", "vector"), ("vector", "bivector"), ("bivector", "vector"),
                ("bivector", "bivector"), ("even", "vector"), ("vector", "even"),
                ("even", "even")]

# products with a kernel for every pair of single-grade operands: the
# interpretation and the drawing code combine blades of one grade each
SINGLE_GRADE_PRODUCTS = ["gp", "op", "lcont", "rcont", "scp", "gpem", "lcem", "scpem"]

# The products that classifying a value takes (see classification_pairs), by
# their Euclidean names; where the metric is orthonormal already the
# ordinary product stands in for each.
CLASSIFICATION_PRODUCTS = {"gpem": "gp", "scpem": "scp"}

# Products that take the classification's pairs too: the sandwiches of
# versors and the centres of rounds multiply the same shapes of values.
VERSOR_PRODUCTS = ["gp"]

# the product whose kernels with a scalar first operand scale a value
SCALING_PRODUCT = "op"

# Parts of a product that callers take alone, with kernels that compute only
# the grades of the part, for the classification's pairs: (name, the grades
# kept, the product by its Euclidean name).  The classification tests X^-1 e X
# for grades other than 1; the sandwiches of versors and the centres of
# rounds read the vector part alone.
PARTS = [("vector", lambda g: g == 1, "gp"), ("nonvector", lambda g: g != 1, "gpem")]


def part_products(alg):
    """(part, the product whose kernels it restricts) for each part."""
    names = product_names(alg)
    return [(part, part[2] if part[2] in names else CLASSIFICATION_PRODUCTS[part[2]]) for part in PARTS]


def part_pairs(alg):
    """The pairs with kernels of each part, once each."""
    return list(dict.fromkeys(classification_pairs(alg)))

# the dispatch index is (kind of a + 1) << KIND_SHIFT | (kind of b + 1); kind 0 is
# any other usage, and every index with a 0 half takes the general path
KIND_SHIFT = 4
TABLE_SIZE = 1 << (2 * KIND_SHIFT)


# A vector with a scalar part, even one of 0.0: what a sum started from a
# scalar keeps, as a console variable accumulating vectors from 0 does.
SCALAR_VECTOR = 0b11


def kinds(alg):
    """The grade usages with kernels of their own, in the order of their kind
    numbers: each single grade, each pair of grades g - 1 and g + 1 (the
    first of which is the even value of a rotor), a vector with a scalar
    part, and every grade."""
    n = alg.dim
    singles = [1 << g for g in range(n + 1)]
    neighbours = [1 << (g - 1) | 1 << (g + 1) for g in range(1, n)]
    out = singles + neighbours + [SCALAR_VECTOR, (1 << (n + 1)) - 1]
    assert len(out) < 1 << KIND_SHIFT and len(set(out)) == len(out)
    return out


def kind_usage(alg, kind):
    """The grade usage of a named kind."""
    return {"vector": 0b10, "bivector": 0b100, "even": 0b101,
            "full": (1 << (alg.dim + 1)) - 1}[kind]


def classification_pairs(alg):
    """The pairs that telling a blade or a rotor X from other values takes:
    X with itself (X times its inverse, either way round), X with a basis
    vector, and what that gives (one or both neighbouring grades) with X
    and with a vector."""
    n = alg.dim
    pairs = []
    for g in range(n + 1):
        x = 1 << g
        pairs += [(x, x), (x, 0b10)]
        below = 1 << (g - 1) if g > 0 else 0
        above = 1 << (g + 1) if g < n else 0
        pairs += [(t, x) for t in (below, above, below | above) if t]
        if below and above:
            pairs.append((below | above, 0b10))
    even = kind_usage(alg, "even")
    pairs += [(even, even), (even, 0b10)] + [(t, even) for t in (0b10, 0b1000, 0b1010) if t < 1 << (n + 1)]
    # a vector with a scalar part of 0.0, whose candidate inverse drops it
    sv = SCALAR_VECTOR
    pairs += [(sv, sv), (sv, 0b10), (0b10, sv)] + [(t, sv) for t in (0b1, 0b100, 0b101)]
    return pairs


# the producible tables split the first usage into its low bits and the rest,
# so that a table holds 2^SPLIT + 2^(G - SPLIT) rows instead of 2^G
PRODUCIBLE_SPLIT = 4

# how many output coordinates a kernel computes side by side: their sums are
# independent chains of additions, interleaved to hide the latency
INTERLEAVE = 4

# Operands with more coordinates than this (both together) are read again for
# each group of outputs: the compiler would otherwise hold every coordinate
# and every shared product for the whole kernel, and spill.  Shorter operands
# are read again for each grade, which lets products shared between the
# coordinates of a grade be computed once.
GROUP_BARRIER_OPERANDS = 32


def grades_of(gu, n):
    return [g for g in range(n + 1) if gu >> g & 1]


def packed_offsets(alg, gu):
    off, n = {}, 0
    for g in grades_of(gu, alg.dim):
        off[g] = n
        n += alg.grade_size[g]
    return off


def pair_contributions(alg, name, gua, gub, part=None):
    """{k: [(ga, gb, [(i, j, sign)])]}: the terms of output k, per pair of grade
    parts in the order of the general kernel (grade of a, then grade of b);
    with a part, only the outputs of its grades."""
    euclidean, rule = rule_of(name)
    out = {}
    for ga in grades_of(gua, alg.dim):
        for gb in grades_of(gub, alg.dim):
            kept = rule(ga, gb, alg.dim)
            if kept == []:
                continue
            terms = pair_terms(alg, ga, gb, euclidean, kept)
            for k in sorted(terms):
                if part is None or part[1](alg.grade[k]):
                    out.setdefault(k, []).append((ga, gb, terms[k]))
    return out


def producible(alg, name, gua, gub, part=None):
    return sum({1 << alg.grade[k] for k in pair_contributions(alg, name, gua, gub, part)})


def usage_word(alg, gu):
    return gu | sum(alg.grade_size[g] for g in grades_of(gu, alg.dim)) << (alg.dim + 1)


def sum_statements(alg, name, gua, gub, k, contributions):
    """Statements that leave output k in r<k>: 0.0, then each pair's sum added or
    subtracted as the general kernel does (c[k] += ... or c[k] -= ...)."""
    offa, offb = packed_offsets(alg, gua), packed_offsets(alg, gub)
    out = ["double r%d = 0.0;" % k]
    for ga, gb, terms in contributions:
        neg_first = terms[0][2] < 0
        parts = []
        for n, (i, j, s) in enumerate(terms):
            s = -s if neg_first else s
            prod = "%s * %s" % (operand("a", offa[ga] + i), operand("b", offb[gb] + j))
            parts.append(prod if n == 0 else ("+ " if s > 0 else "- ") + prod)
        out.append("r%d %s %s;" % (k, "-=" if neg_first else "+=", " ".join(parts)))
    return out


# Operand coordinates reached from one base pointer: with the base in the
# middle of a run of 32 doubles, every offset fits in a signed byte, which
# keeps the instructions of the long kernels short.
BASE_SPAN = 32


def operand(name, idx):
    """How a kernel reads coordinate idx of operand name."""
    if idx < BASE_SPAN // 2:
        return "%s[%d]" % (name, idx)
    return "%s%d[%d]" % (name, idx // BASE_SPAN, idx % BASE_SPAN - BASE_SPAN // 2)


def base_pointers(name, size):
    """Declarations of the base pointers operand() uses for an operand of size coordinates."""
    out = []
    for n in range((size + BASE_SPAN // 2 - 1) // BASE_SPAN):
        out.append("\tconst double *%s%d = %s + %d;\n\tKERNEL_OPAQUE(%s%d);\n"
                   % (name, n, name, n * BASE_SPAN + BASE_SPAN // 2, name, n))
    return out


def interleaved(chains):
    """Statements of independent chains, taken in turns."""
    out, i = [], 0
    while any(i < len(c) for c in chains):
        out.extend(c[i] for c in chains if i < len(c))
        i += 1
    return out


def kernel_name(alg, name, gua, gub, part=None):
    if not pair_contributions(alg, name, gua, gub, part):
        return alg.impl + "_packed_zero"  # one kernel for every pair whose product is 0
    label = name if part is None else name + "_" + part[0]
    return "%s_packed_%s_%02X_%02X" % (alg.impl, label, gua, gub)


KERNEL_ARGS = "const double *a, const double *b, double *__restrict c"


def packed_kernel(alg, name, gua, gub, suffix="", part=None):
    """One product (or the part of it) on packed operands of grade usages gua
    and gub into c, which shares no storage with them and has room for every
    producible part: the parts it keeps, packed; returns their usage word."""
    contributions = pair_contributions(alg, name, gua, gub, part)
    grades = sorted({alg.grade[k] for k in contributions})
    if not grades:
        return ""
    out = ["int %s%s(%s)\n{\n" % (kernel_name(alg, name, gua, gub, part), suffix, KERNEL_ARGS)]
    size_a, size_b = usage_word(alg, gua) >> (alg.dim + 1), usage_word(alg, gub) >> (alg.dim + 1)
    out.extend(base_pointers("a", size_a))
    out.extend(base_pointers("b", size_b))
    long_operands = size_a + size_b > GROUP_BARRIER_OPERANDS
    offset = {}
    n = 0
    for g in grades:
        offset[g] = n
        ks = list(range(alg.grade_offset[g], alg.grade_offset[g] + alg.grade_size[g]))
        for i in range(0, len(ks), INTERLEAVE):
            group = ks[i:i + INTERLEAVE]
            chains = [sum_statements(alg, name, gua, gub, k, contributions.get(k, [])) for k in group]
            out.extend("\t%s\n" % s for s in interleaved(chains))
            out.extend("\tc[%d] = r%d;\n" % (n + k - ks[0], k) for k in group)
            if long_operands:
                out.append("\tKERNEL_BARRIER();\n")
        if not long_operands:
            out.append("\tKERNEL_BARRIER();\n")
        # a part stays when a coordinate differs from 0.0; a NaN differs too
        out.append("\tunsigned long long m%d = %s;\n"
                   % (g, " | ".join("magnitudeBits(r%d)" % k for k in ks)))
        n += len(ks)
    # the common case: every part stays where it was written
    out.append("\tif (%s) return %d;\n" % (" && ".join("m%d" % g for g in grades),
                                             usage_word(alg, sum(1 << g for g in grades))))
    # else the kept parts move down over the dropped ones
    out.append("\tint n = 0, u = 0;\n")
    for g in grades:
        size = alg.grade_size[g]
        out.append("\tif (m%d) {\n" % g)
        if offset[g] > 0:
            out.append("\t\tfor (int i = 0; i < %d; i++) c[n + i] = c[%d + i];\n" % (size, offset[g]))
        out.append("\t\tu |= %d;\n\t\tn += %d;\n\t}\n" % (1 << g, size))
    out.append("\treturn u | n << %d;\n}\n\n" % (alg.dim + 1))
    return "".join(out)


def kernel_pairs(alg, name):
    """The (gua, gub) pairs that have kernels of their own for product name."""
    full = kind_usage(alg, "full")
    pairs = [(full, full)]
    if name in SPARSE_PRODUCTS:
        pairs += [(kind_usage(alg, x), kind_usage(alg, y)) for x, y in SPARSE_PAIRS]
    if name in SINGLE_GRADE_PRODUCTS:
        pairs += [(1 << x, 1 << y) for x in range(alg.dim + 1) for y in range(alg.dim + 1)]
    names = product_names(alg)
    if name in VERSOR_PRODUCTS or any(name == (em if em in names else stand_in)
                                      for em, stand_in in CLASSIFICATION_PRODUCTS.items()):
        pairs += classification_pairs(alg)
    if name == SCALING_PRODUCT:
        pairs += [(1, k) for k in kinds(alg)]
    # each pair once, in the order of first mention
    return list(dict.fromkeys(pairs))


def full_selector(alg, name):
    full = kind_usage(alg, "full")
    k = kernel_name(alg, name, full, full)
    return ("int %(k)s(%(args)s)\n{\n"
            "#ifdef KORIMBEL_AVX2_KERNELS\n"
            "\tif (ga::fullKernelVariant == ga::KV_AVX2) return %(k)s_avx2(a, b, c);\n"
            "#endif\n"
            "\treturn %(k)s_portable(a, b, c);\n}\n\n" % {"k": k, "args": KERNEL_ARGS})


# Definitions at the top of every kernel unit.  The barrier ends a group of
# output sums: the compiler then reloads operand coordinates after it rather
# than holding all of them at once, which spills.  The magnitude bits compare
# with 0.0 without a floating-point compare per coordinate.
MAGNITUDE_BITS = """#if defined(__GNUC__)
#define KERNEL_BARRIER() __asm__("" ::: "memory")
#define KERNEL_OPAQUE(p) __asm__("" : "+r"(p))
#else
#define KERNEL_BARRIER()
#define KERNEL_OPAQUE(p)
#endif

// The bits of x without its sign: 0 exactly when x == 0.0; a NaN has some.
static inline unsigned long long magnitudeBits(double x)
{
	unsigned long long u;
	__builtin_memcpy(&u, &x, sizeof u);
	return u << 1;
}

"""


def sparse_unit(alg, header):
    """The kernels of the sparse pairs and the dispatch tables."""
    out = [header, "#include \"%s_def.h\"\n\nextern \"C\" {\n\n" % alg.name]
    full = kind_usage(alg, "full")
    out.append(MAGNITUDE_BITS)
    out.append("int %s_packed_zero(const double *, const double *, double *) { return 0; }\n\n" % alg.impl)
    for name in product_names(alg):
        out.append("int %s(%s);\n" % (kernel_name(alg, name, full, full), KERNEL_ARGS))
    out.append("\n")
    for name in product_names(alg):
        for gua, gub in kernel_pairs(alg, name):
            if (gua, gub) != (full, full):
                out.append(packed_kernel(alg, name, gua, gub))
    for part, name in part_products(alg):
        for gua, gub in part_pairs(alg):
            out.append(packed_kernel(alg, name, gua, gub, part=part))
    for name in product_names(alg):
        out.append(dispatch_tables(alg, name))
    for part, name in part_products(alg):
        out.append(part_tables(alg, name, part))
    out.append("} // extern \"C\"\n")
    return "".join(out)


def full_unit(alg, header, suffix):
    """The full x full kernels under one suffix; the portable unit also holds
    the selectors that pick a variant."""
    out = [header]
    if suffix == "_portable":
        out.append("#include \"%s_def.h\"\n#include \"ga/kernelvariant.h\"\n\n" % alg.name)
    out.append(MAGNITUDE_BITS)
    out.append("extern \"C\" {\n\n")
    full = kind_usage(alg, "full")
    for name in product_names(alg):
        out.append(packed_kernel(alg, name, full, full, suffix))
        if suffix != "_portable":
            continue
        out.append("#ifdef KORIMBEL_AVX2_KERNELS\n"
                   "int %s_avx2(%s);\n#endif\n" % (kernel_name(alg, name, full, full), KERNEL_ARGS))
        out.append(full_selector(alg, name))
    out.append("} // extern \"C\"\n")
    return "".join(out)


def kind_index(alg, gu):
    k = kinds(alg)
    return k.index(gu) + 1 if gu in k else 0


def c_rows(values, per_line):
    vals = [str(v) for v in values]
    return ",\n\t".join(", ".join(vals[i:i + per_line]) for i in range(0, len(vals), per_line))


def dispatch_tables(alg, name):
    p = alg.impl
    M = 1 << (alg.dim + 1)
    map_a = [kind_index(alg, gu) << KIND_SHIFT for gu in range(M)]
    map_b = [kind_index(alg, gu) for gu in range(M)]
    usage = [-1] * TABLE_SIZE
    func = ["(%s_optFuncPtr)%s" % (p, kernels.general_entry(alg, name))] * TABLE_SIZE
    for gua, gub in kernel_pairs(alg, name):
        idx = kind_index(alg, gua) << KIND_SHIFT | kind_index(alg, gub)
        usage[idx] = usage_word(alg, producible(alg, name, gua, gub))
        func[idx] = "(%s_optFuncPtr)%s" % (p, kernel_name(alg, name, gua, gub))
    low, high = producible_tables(alg, name)
    return ("const int %(p)s_map_%(n)s_a[%(M)d] = {\n\t%(ma)s};\n"
            "const int %(p)s_map_%(n)s_b[%(M)d] = {\n\t%(mb)s};\n"
            "const int %(p)s_resultUsage_%(n)s[%(T)d] = {\n\t%(ru)s};\n"
            "const %(p)s_optFuncPtr %(p)s_func_%(n)s[%(T)d] = {\n\t%(fn)s};\n"
            "const unsigned char %(p)s_producible_%(n)s_low[%(L)d] = {\n\t%(lo)s};\n"
            "const unsigned char %(p)s_producible_%(n)s_high[%(H)d] = {\n\t%(hi)s};\n\n"
            % {"p": p, "n": name, "M": M, "T": TABLE_SIZE, "ma": c_rows(map_a, 32),
               "mb": c_rows(map_b, 32), "ru": c_rows(usage, 8), "fn": c_rows(func, 1),
               "L": len(low), "H": len(high), "lo": c_rows(low, 32), "hi": c_rows(high, 32)})


def part_tables(alg, name, part):
    """The tables of a part: per dispatch index of the product, the usage word
    of the grades its kernel can produce and the kernel; -1 and no kernel for
    pairs that compute the whole product and keep the part."""
    p = alg.impl
    usage = [-1] * TABLE_SIZE
    func = ["0"] * TABLE_SIZE
    for gua, gub in part_pairs(alg):
        idx = kind_index(alg, gua) << KIND_SHIFT | kind_index(alg, gub)
        usage[idx] = usage_word(alg, producible(alg, name, gua, gub, part))
        func[idx] = "(%s_optFuncPtr)%s" % (p, kernel_name(alg, name, gua, gub, part))
    return ("const int %(p)s_resultUsage_%(n)s[%(T)d] = {\n\t%(ru)s};\n"
            "const %(p)s_optFuncPtr %(p)s_func_%(n)s[%(T)d] = {\n\t%(fn)s};\n\n"
            % {"p": p, "n": name + "_" + part[0], "T": TABLE_SIZE, "ru": c_rows(usage, 8),
               "fn": c_rows(func, 1)})


def producible_rows(alg):
    """Rows of the low and the high producible table."""
    return 1 << PRODUCIBLE_SPLIT, max(1, (1 << (alg.dim + 1)) >> PRODUCIBLE_SPLIT)


def producible_tables(alg, name):
    """Row r of low: the grades producible from a usage of a with low bits r;
    row r of high: from a usage of a with the bits above SPLIT equal to r."""
    G = alg.dim + 1
    M = 1 << G
    per_grade = [[producible(alg, name, 1 << ga, 1 << gb) for gb in range(G)] for ga in range(G)]

    def row(gua):
        return [sum_or(per_grade[ga][gb] for ga in grades_of(gua, alg.dim)
                       for gb in grades_of(gub, alg.dim)) for gub in range(M)]
    low_rows, high_rows = producible_rows(alg)
    low = [x for r in range(low_rows) for x in row(r & (M - 1))]
    high = [x for r in range(high_rows) for x in row(r << PRODUCIBLE_SPLIT & (M - 1))]
    return low, high


def sum_or(values):
    r = 0
    for v in values:
        r |= v
    return r
