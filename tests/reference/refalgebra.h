#pragma once
// A slow, independent reference for the four algebras, used only by tests.
//
// Every basis blade is a bitmap of basis vectors.  Products are taken in an
// orthonormal basis f with a diagonal signature, where the product of two
// blades is one blade with a sign:
//     F_A F_B = (-1)^n(A,B) * (product of the squares of the shared f) * F_(A xor B),
// n(A,B) counting the pairs (p in A, q in B) with p > q.  The null vectors of
// c3ga and i2ga are written exactly in that basis (o an origin, i its
// infinity; f_o = i/2 - o squares to +1, f_i = i/2 + o squares to -1):
//     o = (f_i - f_o) / 2,    i = f_o + f_i.
// A stored blade is the outer product of the vectors its name lists, in that
// order, so the order and orientation come from the algebra's blade names.
// All coefficients are dyadic rationals, so doubles hold them exactly.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "ga/gaproduct.h"

namespace ref {

typedef std::vector<double> coords;

inline int bitCount(unsigned x)
{
	int n = 0;
	for (; x; x &= x - 1) n++;
	return n;
}

// (-1)^n(A,B): the sign of bringing the vectors of A then B into ascending order.
inline double reorderSign(unsigned a, unsigned b)
{
	int swaps = 0;
	for (a >>= 1; a; a >>= 1) swaps += bitCount(a & b);
	return (swaps & 1) ? -1.0 : 1.0;
}

// Outer product of two multivectors held by blade bitmap (ascending vector order).
inline coords outerByBitmap(const coords &x, const coords &y)
{
	coords r(x.size(), 0.0);
	for (unsigned a = 0; a < x.size(); a++) {
		if (x[a] == 0.0) continue;
		for (unsigned b = 0; b < y.size(); b++)
			if (y[b] != 0.0 && (a & b) == 0) r[a | b] += reorderSign(a, b) * x[a] * y[b];
	}
	return r;
}

// The outer product of vectors, each given by its coordinates on the basis vectors.
inline coords wedgeOfVectors(const std::vector<coords> &vectors, int dim)
{
	coords r(size_t(1) << dim, 0.0);
	r[0] = 1.0;
	for (const coords &v : vectors) {
		coords asBlade(r.size(), 0.0);
		for (int k = 0; k < dim; k++) asBlade[size_t(1) << k] = v[k];
		r = outerByBitmap(r, asBlade);
	}
	return r;
}

// Basis vectors of an algebra and their metric through an orthonormal basis.
struct model {
	std::vector<std::string> vectorNames;
	std::vector<coords> toOrtho;   // row i: basis vector i on f
	std::vector<coords> fromOrtho; // row k: f_k on the basis vectors
	std::vector<double> signature; // f_k f_k, +1 or -1
	int dim() const { return (int)vectorNames.size(); }
};

inline model euclideanModel(const std::vector<std::string> &names)
{
	model m;
	m.vectorNames = names;
	int n = m.dim();
	for (int i = 0; i < n; i++) {
		coords unit(n, 0.0);
		unit[i] = 1.0;
		m.toOrtho.push_back(unit);
		m.fromOrtho.push_back(unit);
	}
	m.signature.assign(n, 1.0);
	return m;
}

// Each pair (o, i) of vector indices is an origin and its infinity with o.i = -1.
inline model nullPairModel(const std::vector<std::string> &names, const std::vector<std::pair<int, int>> &pairs)
{
	model m = euclideanModel(names);
	for (auto p : pairs) {
		int o = p.first, i = p.second;
		// o = (f_i - f_o) / 2, i = f_o + f_i
		m.toOrtho[o][o] = -0.5;
		m.toOrtho[o][i] = 0.5;
		m.toOrtho[i][o] = 1.0;
		m.toOrtho[i][i] = 1.0;
		// f_o = i/2 - o, f_i = i/2 + o
		m.fromOrtho[o][o] = -1.0;
		m.fromOrtho[o][i] = 0.5;
		m.fromOrtho[i][o] = 1.0;
		m.fromOrtho[i][i] = 0.5;
		m.signature[i] = -1.0;
	}
	return m;
}

// The basis vectors and metric of each algebra, by the algebra's name.
inline model modelOf(const std::string &algebra)
{
	if (algebra == "e3ga") return euclideanModel({"e1", "e2", "e3"});
	if (algebra == "p3ga") return euclideanModel({"e1", "e2", "e3", "e0"});
	if (algebra == "c3ga") return nullPairModel({"e1", "e2", "e3", "no", "ni"}, {{3, 4}});
	if (algebra == "i2ga") return nullPairModel({"e1", "e2", "no", "ni", "go", "gi"}, {{2, 3}, {4, 5}});
	std::abort();
}

// Metric index of the products: the algebra's own, or all vectors orthonormal.
enum { METRIC_OWN = 0, METRIC_EUCLIDEAN = 1 };

inline int metricOf(int product)
{
	return (product == ga::P_GPEM || product == ga::P_LCEM || product == ga::P_SCPEM) ? METRIC_EUCLIDEAN
	                                                                                    : METRIC_OWN;
}

// Does product P keep grade gr of the geometric product of grade parts ga and gb?
inline bool keeps(int product, int ga, int gb, int gr)
{
	switch (product) {
	case ga::P_GP:
	case ga::P_GPEM: return true;
	case ga::P_OP: return gr == ga + gb;
	case ga::P_LCONT:
	case ga::P_LCEM: return ga <= gb && gr == gb - ga;
	case ga::P_RCONT: return ga >= gb && gr == ga - gb;
	case ga::P_SCP:
	case ga::P_SCPEM: return ga == gb && gr == 0;
	case ga::P_HIP: return ga >= 1 && gb >= 1 && gr == std::abs(ga - gb);
	case ga::P_MHIP: return gr == std::abs(ga - gb);
	default: std::abort();
	}
}

class algebra {
public:
	// One non-zero coefficient: blade i times blade j has s on blade k.
	struct term {
		int i, j, k;
		double s;
	};

	algebra(const char *const *names, int nbCoor, const model &m)
	    : models{m, euclideanModel(m.vectorNames)}, n(nbCoor)
	{
		parseNames(names);
		for (int metric : {METRIC_OWN, METRIC_EUCLIDEAN}) {
			buildChangeOfBasis(metric);
			buildTerms(metric);
		}
	}

	int dim() const { return models[0].dim(); }
	bool namesParsed() const { return parsed; }
	int bitmap(int k) const { return bitmaps[k]; }
	int grade(int k) const { return grades[k]; }
	// Coordinate index of the blade with this bitmap.
	int indexOfBitmap(int bm) const { return indexOf[bm]; }
	// Every non-zero coefficient of the geometric product under a metric.
	const std::vector<term> &terms(int metric) const { return termList[metric]; }

	// Product P of two full coordinate arrays, as a full coordinate array.
	coords product(int P, const coords &a, const coords &b) const
	{
		int m = metricOf(P);
		std::vector<int> usedA, usedB;
		for (int i = 0; i < n; i++) {
			if (a[i] != 0.0) usedA.push_back(i);
			if (b[i] != 0.0) usedB.push_back(i);
		}
		coords r(n, 0.0);
		for (int i : usedA) {
			for (int j : usedB) {
				for (int t = pairStart[m][i * n + j]; t < pairStart[m][i * n + j + 1]; t++) {
					const term &x = termList[m][t];
					if (keeps(P, grades[i], grades[j], grades[x.k])) r[x.k] += x.s * a[i] * b[j];
				}
			}
		}
		return r;
	}

	// Product P of basis blades i and j.
	coords bladeProduct(int P, int i, int j) const
	{
		coords a(n, 0.0), b(n, 0.0);
		a[i] = 1.0;
		b[j] = 1.0;
		return product(P, a, b);
	}

private:
	model models[2]; // per metric: the algebra's own, all vectors orthonormal
	int n;
	bool parsed = true;
	std::vector<int> bitmaps, grades, orientations, indexOf;
	// per metric: each stored blade on the f blades, each f blade on the stored blades
	std::vector<coords> toF[2], fromF[2];
	std::vector<term> termList[2];
	std::vector<int> pairStart[2]; // terms of blades (i, j) from pairStart[i n + j] on

	// Splits each name at "^" into basis vectors; the orientation is the sign
	// of the permutation that sorts them.
	void parseNames(const char *const *names)
	{
		indexOf.assign(size_t(1) << dim(), -1);
		for (int k = 0; k < n; k++) {
			std::string name = names[k];
			std::vector<int> order;
			if (name != "1") {
				size_t start = 0;
				for (;;) {
					size_t end = name.find('^', start);
					std::string v = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
					int idx = -1;
					for (int i = 0; i < dim(); i++)
						if (models[0].vectorNames[i] == v) idx = i;
					if (idx < 0) parsed = false;
					order.push_back(idx < 0 ? 0 : idx);
					if (end == std::string::npos) break;
					start = end + 1;
				}
			}
			int bm = 0, inversions = 0;
			for (size_t p = 0; p < order.size(); p++) {
				if (bm & (1 << order[p])) parsed = false; // a vector listed twice
				bm |= 1 << order[p];
				for (size_t q = p + 1; q < order.size(); q++) inversions += order[p] > order[q];
			}
			if (indexOf[bm] >= 0) parsed = false; // two names for one blade
			indexOf[bm] = k;
			bitmaps.push_back(bm);
			grades.push_back(bitCount(bm));
			orientations.push_back((inversions & 1) ? -1 : 1);
		}
	}

	// Vectors of a bitmap in ascending order, each as a row of the given matrix.
	std::vector<coords> rowsOf(int bm, const std::vector<coords> &rows) const
	{
		std::vector<coords> v;
		for (int i = 0; i < dim(); i++)
			if (bm & (1 << i)) v.push_back(rows[i]);
		return v;
	}

	// Under metric m: each stored blade on the f blades, each f blade on the stored blades.
	void buildChangeOfBasis(int m)
	{
		int nbF = 1 << dim();
		// stored blade k = orientation * the wedge of its vectors on f, ascending
		for (int k = 0; k < n; k++) {
			coords f = wedgeOfVectors(rowsOf(bitmaps[k], models[m].toOrtho), dim());
			for (double &x : f) x *= orientations[k];
			toF[m].push_back(f);
		}
		// f blade F: the wedge of its f vectors on the basis vectors, then onto stored blades
		for (int F = 0; F < nbF; F++) {
			coords byBitmap = wedgeOfVectors(rowsOf(F, models[m].fromOrtho), dim());
			coords stored(n, 0.0);
			for (int bm = 0; bm < nbF; bm++)
				if (byBitmap[bm] != 0.0 && indexOf[bm] >= 0) stored[indexOf[bm]] = byBitmap[bm] * orientations[indexOf[bm]];
			fromF[m].push_back(stored);
		}
	}

	// Under metric m: every non-zero coefficient of the product of two stored blades.
	void buildTerms(int m)
	{
		int nbF = 1 << dim();
		for (int i = 0; i < n; i++) {
			for (int j = 0; j < n; j++) {
				pairStart[m].push_back((int)termList[m].size());
				// product on f: every pair of f blades, shared vectors squared
				coords onF(nbF, 0.0);
				for (int A = 0; A < nbF; A++) {
					if (toF[m][i][A] == 0.0) continue;
					for (int B = 0; B < nbF; B++) {
						if (toF[m][j][B] == 0.0) continue;
						double s = reorderSign(A, B) * toF[m][i][A] * toF[m][j][B];
						for (int k = 0; k < dim(); k++)
							if (A & B & (1 << k)) s *= models[m].signature[k];
						onF[A ^ B] += s;
					}
				}
				// back onto the stored blades
				coords r(n, 0.0);
				for (int F = 0; F < nbF; F++)
					if (onF[F] != 0.0)
						for (int k = 0; k < n; k++) r[k] += onF[F] * fromF[m][F][k];
				for (int k = 0; k < n; k++)
					if (r[k] != 0.0) termList[m].push_back(term{i, j, k, r[k]});
			}
		}
		pairStart[m].push_back((int)termList[m].size());
	}
};

// The reference of the algebra whose generated traits are Def, built once.
template <class Def> const algebra &of()
{
	static const algebra r(Def::basisElementNames(), Def::nbCoor, modelOf(Def::name));
	return r;
}

} // namespace ref
