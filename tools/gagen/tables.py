"""Basis tables of an algebra: sizes, names, bitmaps, construction table,
left-multiplication expansion table, dual permutation."""
from fractions import Fraction


def mv_size(alg):
    return [sum(alg.grade_size[g] for g in range(alg.dim + 1) if bm >> g & 1)
            for bm in range(1 << (alg.dim + 1))]


def omct(alg):
    """Per blade: (first factor, second factor, sign), blade = sign * first ^ second."""
    rows = []
    for k in range(alg.nb_coor):
        g = alg.grade[k]
        if g == 0:
            rows.append((-1, -1, 0))
            continue
        if g == 1:
            rows.append((k, -1, 1))
            continue
        bm = alg.bitmap[k]
        first = next(f for f in range(alg.grade_offset[g - 1], alg.grade_offset[g])
                     if alg.bitmap[f] & ~bm == 0)
        rest = bm & ~alg.bitmap[first]
        second = alg.index_of[rest]
        prod = {t: c for t, c in alg.coord_gp(first, second).items() if alg.grade[t] == g}
        assert list(prod.keys()) == [k]  # outer product of disjoint blades
        rows.append((first, second, int(prod[k])))
    return rows


def pseudoscalar_inverse(alg):
    """Coordinate of Ii = I / (I I) on the top blade."""
    top = alg.nb_coor - 1
    sq = alg.coord_gp(top, top)
    assert list(sq.keys()) == [0]
    return Fraction(1) / sq[0]


def dual_map(alg):
    """For each blade index k: (target index, sign) of blade_k * Ii."""
    top = alg.nb_coor - 1
    ii = pseudoscalar_inverse(alg)
    out = []
    for k in range(alg.nb_coor):
        prod = alg.coord_gp(k, top)
        assert len(prod) == 1
        (t, s), = prod.items()
        s = s * ii
        assert s in (1, -1)
        out.append((t, int(s)))
    return out


def vector_images(alg):
    """For basis vector i and blade index j, at i * nb_coor + j: the blade
    index k of blade_j times vector i under the Euclidean metric, times two,
    plus one when the product is -blade_k (orthonormal vectors turn a blade
    into a single blade)."""
    out = []
    for i in range(alg.dim):
        for j in range(alg.nb_coor):
            prod = alg.coord_gp(j, alg.grade_offset[1] + i, True)
            assert len(prod) == 1
            (k, s), = prod.items()
            assert s in (1, -1)
            out.append(2 * k + (1 if s < 0 else 0))
    return out


def expansion_table(alg):
    """Codes of the matrix of left multiplication, grouped per coordinate."""
    n = alg.nb_coor
    neg, add = n * n, 2 * n * n
    groups = []
    written = set()
    for j in range(n):
        entries = {}
        for c in range(n):
            for r, s in alg.coord_gp(j, c).items():
                entries[r * n + c] = int(s)
        codes = []
        for idx in sorted(entries):
            code = idx + (neg if entries[idx] < 0 else 0)
            if idx in written:
                code += add
            codes.append(code)
        written.update(entries)
        groups.append(codes)
    group0 = [idx for idx in range(n * n) if idx not in written]
    table = []
    for g in [group0] + groups:
        table.extend(g)
        table.append(-1)
    return table
