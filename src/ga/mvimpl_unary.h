#pragma once
// One-operand operations: the three sign-changing involutions, negation,
// the dual by coordinate permutation, the two norms and normalisation.
#include <cmath>

namespace ga {

// Grades whose sign an involution flips, as a grade bitmap.
enum involutionKind { INV_REVERSE, INV_CLIFFORD, INV_GRADE };
constexpr int negatedGrades(involutionKind kind, int dim)
{
	int m = 0;
	for (int g = 0; g <= dim; g++) {
		int flips = kind == INV_REVERSE ? g * (g - 1) / 2 : kind == INV_CLIFFORD ? g * (g + 1) / 2 : g;
		if (flips & 1) m |= 1 << g;
	}
	return m;
}

// Copies a, then negates in place the grade parts that the kernel flips;
// the expansion is skipped when no such part is present.
template <class D, class Def, class S, class Kernel>
void involute(mvImpl<D, Def, S> &x, const D &a, int mask, Kernel kernel)
{
	x.copy(a);
	if (!(x.gradeUsage() & mask)) return;
	const double *pc[Def::dim + 1];
	x.expand(pc);
	kernel(const_cast<double **>(pc));
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::reverse(const D &a)
{
	involute(*this, a, negatedGrades(INV_REVERSE, Def::dim), Def::reverse);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::cliffordConjugate(const D &a)
{
	involute(*this, a, negatedGrades(INV_CLIFFORD, Def::dim), Def::cliffordConjugate);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::gradeInvolution(const D &a)
{
	involute(*this, a, negatedGrades(INV_GRADE, Def::dim), Def::involution);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::negate(const D &a)
{
	this->setUsage(a.usage);
	Def::negate(this->c, a.c, memUsage());
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::fastDual(const D &a)
{
	if (isOperand(&a)) {
		D tmp;
		tmp.fastDual(a);
		copy(tmp);
		return 0;
	}
	this->setUsage(a.usage);
	int bm = 0;
	const double *src = a.c + a.memUsage();
	double *dst = this->c;
	// the top grade of a becomes the lowest grade of the dual, so walk a downward
	for (int g = Def::dim; g >= 0; g--) {
		if (!(a.usage & (1 << g))) continue;
		src -= Def::gradeSize[g];
		Def::fastDualGrade(g, src, dst);
		dst += Def::gradeSize[g];
		bm |= 1 << (Def::dim - g);
	}
	this->setUsage(bm | (a.memUsage() << Def::countShift));
	return 0;
}

template <class D, class Def, class S> double mvImpl<D, Def, S>::norm_a() const
{
	return Def::norm_a(this->c, memUsage());
}

template <class D, class Def, class S> double mvImpl<D, Def, S>::norm_b() const
{
	D r, s;
	r.reverse(self());
	s.scp(self(), r);
	return s.scalar();
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::normalize(const D &a, int norm)
{
	double n = norm == 1 ? a.norm_a() : norm == 2 ? std::fabs(a.norm_b()) : 0.0;
	// A zero norm has no factor: the value stays as it is rather than
	// turning into infinities and NaNs.  So does an unknown norm.
	if (n == 0.0 || std::isnan(n)) {
		copy(a);
		return;
	}
	op(1.0 / std::sqrt(n), a);
}

} // namespace ga
