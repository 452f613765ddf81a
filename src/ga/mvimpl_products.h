#pragma once
// Products and sums.  A product looks up its pair of grade usages in the
// product's dispatch tables: the common pairs have a kernel of their own on
// the packed coordinates; every other pair expands both operands into
// grade-part pointer tables, clears the grades the pair can produce (the
// general kernels of the smallest algebra clear their whole array
// themselves), runs the general kernel into them and keeps the grade parts
// that are not exactly zero.  Both paths give the same bits.  A sum keeps
// the union of the operands' grade parts.

namespace ga {

template <class D, class Def, class S>
template <int P>
void mvImpl<D, Def, S>::product(const D &a, const D &b)
{
	// each operand's grade usage names its half of the index; a negative
	// entry of resultUsage sends the pair down the general path
	int index = Def::template mapA<P>()[a.gradeUsage()] | Def::template mapB<P>()[b.gradeUsage()];
	typename Def::optFuncPtr kernel = Def::template func<P>()[index];
	int most = Def::template resultUsage<P>()[index];
	if (most < 0) {
		const double *pa[Def::dim + 1], *pb[Def::dim + 1];
		double cc[Def::nbCoor];
		a.expand(b, pa, pb);
		int producible = generalGrades<P>(a.gradeUsage(), b.gradeUsage());
		if constexpr (!Def::generalKernelClears) clearGrades(cc, producible);
		reinterpret_cast<generalKernel>(kernel)(pa, pb, cc);
		compress(cc, producible);
		return;
	}
	runPacked(a.c, b.c, isOperand(&a, &b), most, reinterpret_cast<packedKernel>(kernel));
}

template <class D, class Def, class S>
template <int P>
int mvImpl<D, Def, S>::generalGrades(int ua, int ub)
{
	// a kernel that clears its whole array leaves every grade defined, and
	// reading them all costs less there than looking the pair up
	if constexpr (Def::generalKernelClears) return Def::gradeMask;
	else return Def::template producible<P>(ua, ub);
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::runPacked(const double *a, const double *b, bool aliased, int most, packedKernel kernel)
{
	// The target takes a block with room for every part the pair can produce
	// (the one it has, when the same product is taken again) and the kernel
	// writes there: it packs the parts it keeps from the start, so fewer
	// parts only shorten the block.  That costs less than a copy from a
	// local array, which only a target that is also an operand needs.
	if (!aliased) {
		this->setUsage(most);
		int u = kernel(a, b, this->c);
		if (u != most) this->setUsageKeeping(u);
		return;
	}
	runPackedIntoScratch(a, b, kernel);
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::runPackedIntoScratch(const double *a, const double *b, packedKernel kernel)
{
	// the target, also an operand, is written once both are read in full
	double out[Def::nbCoor];
	int u = kernel(a, b, out);
	this->setUsage(u);
	Def::copy(this->c, out, u >> Def::countShift);
}

template <class D, class Def, class S>
template <int P, int K>
void mvImpl<D, Def, S>::productPart(const D &a, const D &b)
{
	if constexpr (Def::template hasPart<P, K>()) {
		int index = Def::template mapA<P>()[a.gradeUsage()] | Def::template mapB<P>()[b.gradeUsage()];
		int most = Def::template partUsage<P, K>()[index];
		if (most >= 0) {
			runPacked(a.c, b.c, isOperand(&a, &b), most,
			          reinterpret_cast<packedKernel>(Def::template partFunc<P, K>()[index]));
			return;
		}
	}
	// the whole product, of which the part is kept
	product<P>(a, b);
	takeGrade(self(), K == PART_VECTOR ? 2 : Def::gradeMask & ~2);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::op(double a, const D &b)
{
	// the scalar is a packed operand of grade usage 1, which the product's
	// scaling kernels take with the common usages of b
	int index = Def::template mapA<P_OP>()[1] | Def::template mapB<P_OP>()[b.gradeUsage()];
	int most = Def::template resultUsage<P_OP>()[index];
	if (most >= 0) {
		runPacked(&a, b.c, isOperand(&b), most, reinterpret_cast<packedKernel>(Def::template func<P_OP>()[index]));
		return;
	}
	// the general path with the scalar as a grade-0 part; entry 0 of every
	// table is the general kernel
	const double *pa[Def::dim + 1] = {&a}, *pb[Def::dim + 1];
	double cc[Def::nbCoor];
	b.expand(pb);
	int producible = generalGrades<P_OP>(1, b.gradeUsage());
	if constexpr (!Def::generalKernelClears) clearGrades(cc, producible);
	reinterpret_cast<generalKernel>(Def::template func<P_OP>()[0])(pa, pb, cc);
	compress(cc, producible);
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
