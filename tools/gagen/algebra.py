"""Exact definitions of Korimbel's four algebras and their blade products.

Everything here is exact (fractions), so the coefficients written into the
generated kernels are known to be -1, 0 or +1 rather than rounded guesses.
"""
from fractions import Fraction
from functools import lru_cache
from itertools import combinations


def bit_count(x):
    return bin(x).count("1")


def canonical_sign(indices):
    """Sign of the permutation that sorts a list of distinct vector indices."""
    sign = 1
    lst = list(indices)
    for i in range(len(lst)):
        for j in range(i + 1, len(lst)):
            if lst[i] > lst[j]:
                sign = -sign
    return sign


def reorder_sign(a_bits, b_bits):
    """(-1)^n, n the number of pairs (p in A, q in B) with p > q."""
    n = 0
    a = a_bits >> 1
    while a:
        n += bit_count(a & b_bits)
        a >>= 1
    return -1 if n & 1 else 1


class Algebra:
    """One algebra: vectors, metric, blade order and orientation.

    Multivectors inside the generator are dicts {canonical bitmap: Fraction},
    where the blade of a bitmap is the outer product of its vectors in
    ascending index order.
    """

    def __init__(self, name, vectors, metric, blade_names):
        self.name = name
        self.impl = name + "i"
        self.vectors = vectors
        self.dim = len(vectors)
        self.nb_coor = 1 << self.dim
        self.metric = [[Fraction(x) for x in row] for row in metric]
        self.euclid = [[Fraction(1 if i == j else 0) for j in range(self.dim)]
                       for i in range(self.dim)]
        self.names = blade_names
        assert len(blade_names) == self.nb_coor
        self.bitmap = []
        self.sign = []
        for nm in blade_names:
            if nm == "1":
                self.bitmap.append(0)
                self.sign.append(1)
                continue
            idx = [vectors.index(v) for v in nm.split("^")]
            bm = 0
            for i in idx:
                assert not bm & (1 << i), nm
                bm |= 1 << i
            self.bitmap.append(bm)
            self.sign.append(canonical_sign(idx))
        self.index_of = {bm: k for k, bm in enumerate(self.bitmap)}
        assert len(self.index_of) == self.nb_coor
        self.grade = [bit_count(bm) for bm in self.bitmap]
        for k in range(1, self.nb_coor):
            assert self.grade[k] >= self.grade[k - 1], "blades must be grouped by grade"
        self.grade_size = [sum(1 for g in self.grade if g == gg) for gg in range(self.dim + 1)]
        self.grade_offset = [sum(self.grade_size[:g]) for g in range(self.dim + 1)]
        self._cache = {}

    # --- exact blade products -------------------------------------------------

    def _vec_times_blade(self, v, blade_bits, metric):
        """v B = v _| B + v ^ B for a basis vector v and a canonical blade B."""
        res = self._vec_lcont_blade(v, blade_bits, metric)
        if not blade_bits >> v & 1:
            below = bit_count(blade_bits & ((1 << v) - 1))
            s = -1 if below & 1 else 1
            bm = blade_bits | (1 << v)
            res[bm] = res.get(bm, 0) + s
        return {k: c for k, c in res.items() if c != 0}

    def _vec_times_mv(self, v, mv, metric):
        res = {}
        for bits, coef in mv.items():
            for k, c in self._vec_times_blade(v, bits, metric).items():
                res[k] = res.get(k, 0) + coef * c
        return {k: c for k, c in res.items() if c != 0}

    def _vec_lcont_blade(self, v, blade_bits, metric):
        """v _| B = sum over j of (-1)^j (v . b_j) B without b_j."""
        res = {}
        members = [i for i in range(self.dim) if blade_bits >> i & 1]
        for j, bj in enumerate(members):
            ip = metric[v][bj]
            if ip != 0:
                rest = blade_bits & ~(1 << bj)
                res[rest] = res.get(rest, 0) + (ip if j % 2 == 0 else -ip)
        return res

    def blade_gp(self, a_bits, b_bits, euclidean=False):
        """Geometric product of two canonical blades, by the recursion
        A X = a1 (A' X) - (a1 _| A') X with a1 the first vector of A."""
        key = (a_bits, b_bits, euclidean)
        if key in self._cache:
            return self._cache[key]
        metric = self.euclid if euclidean else self.metric
        if a_bits == 0:
            res = {b_bits: Fraction(1)}
        else:
            a1 = (a_bits & -a_bits).bit_length() - 1
            rest = a_bits & ~(1 << a1)
            inner = self.blade_gp(rest, b_bits, euclidean)
            res = self._vec_times_mv(a1, inner, metric)
            for r_bits, coef in self._vec_lcont_blade(a1, rest, metric).items():
                for k, c in self.blade_gp(r_bits, b_bits, euclidean).items():
                    res[k] = res.get(k, 0) - coef * c
            res = {k: c for k, c in res.items() if c != 0}
        self._cache[key] = res
        return res

    def coord_gp(self, i, j, euclidean=False):
        """Product of stored blades i and j as {coordinate index: coefficient}."""
        s = self.sign[i] * self.sign[j]
        out = {}
        for bm, c in self.blade_gp(self.bitmap[i], self.bitmap[j], euclidean).items():
            k = self.index_of[bm]
            out[k] = c * s * self.sign[k]
        return out

    # --- an independent route through an orthonormal basis (self-check) ---------

    def check_against_orthonormal(self, change, signature):
        """Recompute every blade product through an orthonormal basis f.

        change[i] = {f index: coefficient} expresses basis vector i in f.
        signature[f] is the square of f.  The inverse change is solved here.
        """
        n = self.dim
        mat = [[Fraction(change[i].get(j, 0)) for j in range(n)] for i in range(n)]
        inv = invert(mat)

        def wedge_expand(bits, rows):
            mv = {0: Fraction(1)}
            for i in range(n):
                if not bits >> i & 1:
                    continue
                nxt = {}
                for b, c in mv.items():
                    for j in range(n):
                        t = rows[i][j]
                        if t == 0 or b >> j & 1:
                            continue
                        s = c * t * reorder_sign(b, 1 << j)
                        nxt[b | 1 << j] = nxt.get(b | 1 << j, 0) + s
                mv = {k: v for k, v in nxt.items() if v != 0}
            return mv

        to_f = [wedge_expand(bm, mat) for bm in range(self.nb_coor)]
        inv_rows = [[inv[j][i] for i in range(n)] for j in range(n)]  # f_j in e basis
        to_e = [wedge_expand(bm, inv_rows) for bm in range(self.nb_coor)]
        for a in range(self.nb_coor):
            for b in range(self.nb_coor):
                fprod = {}
                for fa, ca in to_f[a].items():
                    for fb, cb in to_f[b].items():
                        s = reorder_sign(fa, fb)
                        for k in range(n):
                            if fa >> k & 1 and fb >> k & 1:
                                s *= signature[k]
                        key = fa ^ fb
                        fprod[key] = fprod.get(key, 0) + ca * cb * s
                eprod = {}
                for fbm, c in fprod.items():
                    if c == 0:
                        continue
                    for ebm, d in to_e[fbm].items():
                        eprod[ebm] = eprod.get(ebm, 0) + c * d
                eprod = {k: v for k, v in eprod.items() if v != 0}
                if eprod != self.blade_gp(a, b):
                    raise AssertionError("%s: blade product %d*%d differs: %r vs %r"
                                         % (self.name, a, b, eprod, self.blade_gp(a, b)))


def invert(mat):
    n = len(mat)
    m = [row[:] + [Fraction(1 if i == j else 0) for j in range(n)] for i, row in enumerate(mat)]
    for col in range(n):
        piv = next(r for r in range(col, n) if m[r][col] != 0)
        m[col], m[piv] = m[piv], m[col]
        p = m[col][col]
        m[col] = [x / p for x in m[col]]
        for r in range(n):
            if r != col and m[r][col] != 0:
                f = m[r][col]
                m[r] = [x - f * y for x, y in zip(m[r], m[col])]
    return [row[n:] for row in m]


def names_by_bitmap(vectors):
    """Blade names grouped by grade, ascending bitmap within a grade."""
    n = len(vectors)
    out = ["1"]
    for g in range(1, n + 1):
        bms = sorted(sum(1 << i for i in c) for c in combinations(range(n), g))
        for bm in bms:
            out.append("^".join(vectors[i] for i in range(n) if bm >> i & 1))
    return out


def diag(*d):
    return [[d[i] if i == j else 0 for j in range(len(d))] for i in range(len(d))]


def null_pairs(n, pairs):
    """Metric with e.e = 1 except for null pairs (o, i): o.i = i.o = -1, o.o = i.i = 0."""
    m = diag(*([1] * n))
    for o, i in pairs:
        m[o][o] = m[i][i] = 0
        m[o][i] = m[i][o] = -1
    return m


E3GA = Algebra("e3ga", ["e1", "e2", "e3"], diag(1, 1, 1),
               ["1", "e1", "e2", "e3", "e2^e3", "e3^e1", "e1^e2", "e1^e2^e3"])

P3GA = Algebra("p3ga", ["e1", "e2", "e3", "e0"], diag(1, 1, 1, 1),
               ["1", "e1", "e2", "e3", "e0", "e2^e3", "e3^e1", "e1^e2", "e1^e0", "e2^e0",
                "e3^e0", "e2^e3^e0", "e3^e1^e0", "e1^e2^e0", "e1^e2^e3", "e1^e2^e3^e0"])

_C3 = ["e1", "e2", "e3", "no", "ni"]
C3GA = Algebra("c3ga", _C3, null_pairs(5, [(3, 4)]), names_by_bitmap(_C3))

_I2 = ["e1", "e2", "no", "ni", "go", "gi"]
I2GA = Algebra("i2ga", _I2, null_pairs(6, [(2, 3), (4, 5)]), names_by_bitmap(_I2))

ALGEBRAS = [E3GA, P3GA, C3GA, I2GA]

# Orthonormal bases used to check the null metrics: f = ni/2 -+ no (squares +1, -1).
H = Fraction(1, 2)
ORTHONORMAL = {
    "e3ga": ([{0: 1}, {1: 1}, {2: 1}], [1, 1, 1]),
    "p3ga": ([{0: 1}, {1: 1}, {2: 1}, {3: 1}], [1, 1, 1, 1]),
    # no = (f4 - f3)/2, ni = f4 + f3 (f3 squares to +1, f4 to -1; zero-based indices)
    "c3ga": ([{0: 1}, {1: 1}, {2: 1}, {3: -H, 4: H}, {3: 1, 4: 1}], [1, 1, 1, 1, -1]),
    "i2ga": ([{0: 1}, {1: 1}, {2: -H, 3: H}, {2: 1, 3: 1}, {4: -H, 5: H}, {4: 1, 5: 1}],
             [1, 1, 1, -1, 1, -1]),
}
