#pragma once
// Inverses: the versor inverse (reverse over a scalar), its Euclidean-metric
// form, and the general inverse by solving a x = 1 as a linear system.
#include <cmath>
#include <utility>

namespace ga {

// ~a / (a * ~a), the scalar product taken by product P; zero and -1 when
// that scalar is not a number other than 0.
template <class D, int P> int versorInverseBy(D &x, const D &a)
{
	D reverse, scalar;
	reverse.reverse(a);
	scalar.template product<P>(a, reverse);
	if (!(scalar.gradeUsage() & 1) || scalar.c[0] == 0.0) {
		x.null();
		return -1;
	}
	x.op(1.0 / scalar.c[0], reverse);
	return 0;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::versorInverse(const D &a)
{
	return versorInverseBy<D, P_SCP>(self(), a);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::versorInverseEM(const D &a)
{
	return versorInverseBy<D, P_SCPEM>(self(), a);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::generalInverse(const D &a)
{
	constexpr int N = Def::nbCoor;
	// One matrix per algebra, rewritten in full by every call: a general
	// inverse allocates nothing.
	static double matrix[N * N];
	double *m[N];
	double inverse[N];
	for (int i = 0; i < N; i++) {
		m[i] = matrix + i * N;
		inverse[i] = 0.0;
	}
	inverse[0] = 1.0;
	// M y = (1, 0, ..., 0), M the matrix of left multiplication by a
	a.expand(matrix, Def::expansionTable);
	for (int k = 0; k < N; k++) {
		// partial pivoting: the first row of largest magnitude in column k
		int pi = k;
		double maxp = std::fabs(m[k][k]);
		for (int i = k + 1; i < N; i++) {
			if (std::fabs(m[i][k]) > maxp) {
				maxp = std::fabs(m[i][k]);
				pi = i;
			}
		}
		if (pi != k) {
			std::swap(m[pi], m[k]);
			std::swap(inverse[pi], inverse[k]);
		}
		double p = m[k][k];
		if (p == 0.0) {
			this->null();
			return -1;
		}
		// eliminate column k from every other row; rows already zero there are untouched
		for (int i = 0; i < N; i++) {
			if (i == k || m[i][k] == 0.0) continue;
			double mult = -m[i][k] / p;
			double *ri = m[i];
			const double *rk = m[k];
			for (int j = k + 1; j < N; j++) ri[j] += mult * rk[j];
			inverse[i] += mult * inverse[k];
		}
		for (int j = k + 1; j < N; j++) m[k][j] /= p;
		inverse[k] /= p;
	}
	set(Def::gradeMask, inverse);
	return 0;
}

} // namespace ga
