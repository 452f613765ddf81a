"""Which grades each bilinear product keeps, and the terms that result."""

# name, Euclidean metric?, rule (ga, gb, n) -> list of kept result grades
PRODUCTS = [
    ("gp", False, lambda ga, gb, n: None),  # None: every grade of the product
    ("op", False, lambda ga, gb, n: [ga + gb] if ga + gb <= n else []),
    ("lcont", False, lambda ga, gb, n: [gb - ga] if ga <= gb else []),
    ("rcont", False, lambda ga, gb, n: [ga - gb] if ga >= gb else []),
    ("scp", False, lambda ga, gb, n: [0] if ga == gb else []),
    ("hip", False, lambda ga, gb, n: [abs(ga - gb)] if ga >= 1 and gb >= 1 else []),
    ("mhip", False, lambda ga, gb, n: [abs(ga - gb)]),
    ("gpem", True, lambda ga, gb, n: None),
    ("lcem", True, lambda ga, gb, n: [gb - ga] if ga <= gb else []),
    ("scpem", True, lambda ga, gb, n: [0] if ga == gb else []),
]

# products every algebra has a kernel for; the Euclidean three only where the
# metric is not orthonormal already
PLAIN = ["gp", "op", "lcont", "rcont", "scp", "hip", "mhip"]
EUCLIDEAN = ["gpem", "lcem", "scpem"]


def product_names(alg):
    """The products with kernels of their own in algebra alg."""
    return PLAIN + EUCLIDEAN if alg.name in ("c3ga", "i2ga") else PLAIN

# term counts every generated product must reproduce exactly
EXPECTED_TERMS = {
    "e3ga": {"gp": 64, "op": 27, "lcont": 27, "rcont": 27, "scp": 8, "hip": 31, "mhip": 46},
    "p3ga": {"gp": 256, "op": 81, "lcont": 81, "rcont": 81, "scp": 16, "hip": 115, "mhip": 146},
    "c3ga": {"gp": 1024, "op": 243, "lcont": 243, "rcont": 243, "scp": 32, "hip": 391,
             "mhip": 454, "gpem": 1024, "lcem": 243, "scpem": 32},
    "i2ga": {"gp": 4096, "op": 729, "lcont": 729, "rcont": 729, "scp": 64, "hip": 1267,
             "mhip": 1394, "gpem": 4096, "lcem": 729, "scpem": 64},
}


def rule_of(name):
    for n, em, rule in PRODUCTS:
        if n == name:
            return em, rule
    raise KeyError(name)


def pair_terms(alg, ga, gb, euclidean, kept):
    """Terms of one pair of grade parts: {k (full index): [(i, j, sign)]}.

    i and j are indices within the operand grade parts, k is the index in the
    full coordinate array.  kept is None (all grades) or a list of grades.
    """
    out = {}
    oa, ob = alg.grade_offset[ga], alg.grade_offset[gb]
    for i in range(alg.grade_size[ga]):
        for j in range(alg.grade_size[gb]):
            for k, s in alg.coord_gp(oa + i, ob + j, euclidean).items():
                if kept is not None and alg.grade[k] not in kept:
                    continue
                assert s in (1, -1), "coefficient %s is not +-1" % s
                out.setdefault(k, []).append((i, j, int(s)))
    return out


def product_terms(alg, name):
    """All pairs of a product: list of (ga, gb, {k: terms})."""
    euclidean, rule = rule_of(name)
    pairs = []
    for ga in range(alg.dim + 1):
        for gb in range(alg.dim + 1):
            kept = rule(ga, gb, alg.dim)
            if kept == []:
                continue
            terms = pair_terms(alg, ga, gb, euclidean, kept)
            if terms:
                pairs.append((ga, gb, terms))
    return pairs


def count_terms(pairs):
    return sum(len(t) for _, _, terms in pairs for t in terms.values())
