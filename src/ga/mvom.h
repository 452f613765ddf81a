#pragma once
// Outer morphisms: a linear map of the vector space extended to every grade,
// f(a1 ^ ... ^ ak) = f(a1) ^ ... ^ f(ak).  The map is kept as one square
// block per grade, built once from the images of the basis vectors (or from
// a versor R, x -> R x R^-1) and applied grade part by grade part with the
// generated matrix kernels.
#include <type_traits>

namespace ga {

// The map on implementation-class values of one algebra.  Plain data: it
// owns nothing and may be copied bytewise.
template <class I> class mvOm {
public:
	typedef typename I::def Def;
	static constexpr int dim = Def::dim;
	static constexpr int nbCoor = Def::nbCoor;

	// Where the block of grade g starts in c: the blocks before it are
	// gradeSize[h] x gradeSize[h] each.
	static constexpr int blockOffset(int g)
	{
		int off = 0;
		for (int h = 0; h < g; h++) off += Def::gradeSize[h] * Def::gradeSize[h];
		return off;
	}
	// Doubles in c: every block, grade 0 to the top grade.
	static constexpr int size = blockOffset(dim + 1);

	// One block per grade in grade order, rows stored one after another:
	// entry (k, j) of block g is coordinate k of the image of basis blade j.
	double c[size];

	// The map that sends every vector to zero (and a scalar to itself).
	mvOm()
	{
		for (double &x : c) x = 0.0;
		c[0] = 1.0;
	}
	// The map with the dim consecutive vector images given.
	explicit mvOm(const I *vectorImages) { initOuterMorphism(vectorImages); }
	// The map with the images given through dim pointers.
	explicit mvOm(const I *const *vectorImages) { initOuterMorphism(vectorImages); }

	int initOuterMorphism(const I *const *vectorImages);
	int initOuterMorphism(const I *vectorImages);
	// The map x -> Sp x Sp^-1 of the versor Sp.
	int initSpinor2(const I &Sp);

protected:
	int computeBE(I *be, int *beComputed, int idx);
};

template <class I> int mvOm<I>::initOuterMorphism(const I *const *vectorImages)
{
	// images of every basis blade in coordinate order (entry 0, the scalar, unused)
	I be[nbCoor];
	int beComputed[nbCoor] = {0};
	// the vectors' images are given: only their grade-1 parts count
	for (int i = 1; i <= dim; i++) {
		be[i].takeGrade(*vectorImages[i - 1], 2);
		beComputed[i] = 1;
	}
	// every blade above grade 1, each as the outer product of two lower ones
	for (int idx = dim + 1; idx < nbCoor; idx++)
		if (!beComputed[idx]) computeBE(be, beComputed, idx);
	// write each blade's image as a column of its grade's block
	for (int g = 1; g <= dim; g++) {
		const int n = Def::gradeSize[g];
		double *block = c + blockOffset(g);
		for (int j = 0; j < n; j++) {
			const double *image = be[Def::gradeOffset[g] + j].coordinates(1 << g);
			for (int k = 0; k < n; k++) block[k * n + j] = image[k];
		}
	}
	// a linear map extended to the whole algebra leaves scalars alone
	c[0] = 1.0;
	return 0;
}

template <class I> int mvOm<I>::initOuterMorphism(const I *vectorImages)
{
	const I *p[dim];
	for (int i = 0; i < dim; i++) p[i] = vectorImages + i;
	return initOuterMorphism(p);
}

template <class I> int mvOm<I>::computeBE(I *be, int *beComputed, int idx)
{
	// the blade is sign * (first ^ second), first one grade lower, second a vector
	const int *row = Def::omct + 3 * idx;
	const int first = row[0], second = row[1], sign = row[2];
	// build the factors first where they are not there yet
	if (!beComputed[first]) {
		int r = computeBE(be, beComputed, first);
		if (r != 0) return r;
	}
	if (!beComputed[second]) {
		int r = computeBE(be, beComputed, second);
		if (r != 0) return r;
	}
	// the image is the outer product of the factors' images, with the blade's sign
	if (sign < 0) {
		I negated;
		negated.negate(be[first]);
		be[idx].op(negated, be[second]);
	} else be[idx].op(be[first], be[second]);
	beComputed[idx] = 1;
	return 0;
}

template <class I> int mvOm<I>::initSpinor2(const I &Sp)
{
	I inverse, rotated, image;
	inverse.versorInverse(Sp);
	// image of each basis vector: the grade-1 part of (Sp e_i) Sp^-1
	I images[dim];
	for (int i = 0; i < dim; i++) {
		rotated.gp(Sp, *I::bv[i]);
		image.gp(rotated, inverse);
		images[i].takeGrade(image, 2);
	}
	return initOuterMorphism(images);
}

// The value-class face of a map: built from value-class images or a versor.
template <class V> class mvValueOm : public mvOm<typename V::implClass> {
public:
	typedef typename V::implClass I;
	static constexpr int dim = I::dim;

	// The map with the images given through dim pointers.
	explicit mvValueOm(const V *const *vectorImages)
	{
		const I *p[dim];
		for (int i = 0; i < dim; i++) p[i] = vectorImages[i];
		this->initOuterMorphism(p);
	}
	// The map x -> R x R^-1 of the versor R.
	explicit mvValueOm(const V &spinor) { initSpinor(spinor); }

	int initSpinor(const V &spinor)
	{
		V inverse = spinor.inverse();
		V images[dim];
		const I *p[dim];
		// image of each basis vector: the grade-1 part of (R e_i) R^-1
		for (int i = 0; i < dim; i++) {
			double unit[dim] = {0.0};
			unit[i] = 1.0;
			V ei;
			ei.setVector(unit);
			images[i] = (spinor * ei * inverse).grade(2);
			p[i] = &images[i];
		}
		return this->initOuterMorphism(p);
	}
};

// This value becomes the image of a under the map: a part of each grade a
// has, kept even where the map sends it to zero.
template <class D, class Def, class S> void mvImpl<D, Def, S>::om(const D &a, const mvOm<D> &m)
{
	if (isOperand(&a)) {
		D tmp;
		tmp.om(a, m);
		copy(tmp);
		return;
	}
	this->setUsage(a.usage);
	// one matrix kernel per present grade, over the packed coordinates
	int off = 0;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(a.usage & (1 << g))) continue;
		Def::om(Def::gradeSize[g], m.c + mvOm<D>::blockOffset(g), a.c + off, this->c + off);
		off += Def::gradeSize[g];
	}
}

// The image of a under the map om, in a ring temporary.
template <class J, class A>
std::enable_if_t<std::is_same<typename J::valueClass, valueOf<A>>::value, valueOf<A> &>
om(const mvOm<J> &om, const A &a)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.om(a, om); });
}

} // namespace ga
