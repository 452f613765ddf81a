#pragma once
// Products and sums.  A product expands both operands into grade-part
// pointer tables, runs its kernel into a full coordinate array and keeps the
// grade parts that are not exactly zero; a sum keeps the union of the
// operands' grade parts.

namespace ga {

template <class D, class Def, class S>
template <int P>
void mvImpl<D, Def, S>::product(const D &a, const D &b)
{
	if constexpr (Def::dispatched) self().template dispatchProduct<P>(a, b);
	else productGeneral<P>(a, b);
}

template <class D, class Def, class S>
template <int P>
void mvImpl<D, Def, S>::productGeneral(const D &a, const D &b)
{
	const double *pa[Def::dim + 1], *pb[Def::dim + 1];
	double cc[Def::nbCoor];
	a.expand(b, pa, pb);
	Def::template product<P>(pa, pb, cc);
	compress(cc); // both operands are read in full before this value changes
}

template <class D, class Def, class S>
template <int P>
void mvImpl<D, Def, S>::productScalarGeneral(double s, const D &b)
{
	const double *pa[Def::dim + 1] = {&s}, *pb[Def::dim + 1];
	double cc[Def::nbCoor];
	b.expand(pb);
	Def::template product<P>(pa, pb, cc);
	compress(cc);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::op(double a, const D &b)
{
	if constexpr (Def::dispatched) self().dispatchScalarOp(a, b);
	else productScalarGeneral<P_OP>(a, b);
}

template <class D, class Def, class S>
template <class Sum>
void mvImpl<D, Def, S>::sumOf(const D &a, const D &b, Sum kernel, bool negateSecond)
{
	if (isOperand(&a, &b)) {
		D tmp;
		tmp.sumOf(a, b, kernel, negateSecond);
		copy(tmp);
		return;
	}
	int gu = a.gradeUsage() | b.gradeUsage();
	this->setUsage(gu | (Def::mvSize[gu] << Def::countShift));
	if (a.gradeUsage() == b.gradeUsage()) {
		if (negateSecond) Def::subSameGradeUsage(this->c, a.c, b.c, memUsage());
		else Def::addSameGradeUsage(this->c, a.c, b.c, memUsage());
		return;
	}
	const double *pa[Def::dim + 1], *pb[Def::dim + 1], *pc[Def::dim + 1];
	a.expand(b, pa, pb);
	expand(pc);
	kernel(pa, pb, const_cast<double **>(pc));
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::add(const D &a, const D &b)
{
	sumOf(a, b, Def::add, false);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::sub(const D &a, const D &b)
{
	sumOf(a, b, Def::sub, true);
}

template <class D, class Def, class S>
template <class Sum>
void mvImpl<D, Def, S>::sumWithScalar(double scalar, const D &b, Sum kernel, bool negateSecond)
{
	if (isOperand(&b)) {
		D tmp;
		tmp.sumWithScalar(scalar, b, kernel, negateSecond);
		copy(tmp);
		return;
	}
	int gu = b.gradeUsage() | 1;
	this->setUsage(gu | (Def::mvSize[gu] << Def::countShift));
	if (b.gradeUsage() == 1) {
		if (negateSecond) Def::subSameGradeUsage(this->c, &scalar, b.c, 1);
		else Def::addSameGradeUsage(this->c, &scalar, b.c, 1);
		return;
	}
	const double *pa[Def::dim + 1] = {&scalar}, *pb[Def::dim + 1], *pc[Def::dim + 1];
	b.expand(pb);
	expand(pc);
	kernel(pa, pb, const_cast<double **>(pc));
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::add(double scalar, const D &b)
{
	sumWithScalar(scalar, b, Def::add, false);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::sub(double scalar, const D &b)
{
	sumWithScalar(scalar, b, Def::sub, true);
}

} // namespace ga
