// The products, duals, inverses, versor products, projection, rejection,
// factorisation, exponential and integer powers of the console, over the
// model M. The algebra's free functions are named with ga:: here: the
// members of the same names would hide them.
#include "console/consolefamily.h"

namespace {

// Terms of the series of the exponential built-in.
constexpr int sc_expOrder = 12;

// The factor built-in chooses among at least this many factors (the most
// any 3D model's blade has), and among all of the model's vectors where the
// model has more.
constexpr int sc_minFactorSlots = 5;

template <class M> constexpr int factorSlots() { return M::dim > sc_minFactorSlots ? M::dim : sc_minFactorSlots; }

// Where the largest grade of the versor v is odd, b is replaced by its grade
// involution: the outermorphism sign of an odd versor.
template <class M> void signForOddVersor(const M &v, M &b)
{
	if (v.largestGrade() & 1) b = ++b;
}

} // namespace

// --- one operation of the model
CF_MEMBER(cf_products, dual) { return cf::result(cf::arg<M>(a, 0).fastDual()); }
CF_MEMBER(cf_products, reverse) { return cf::result(~cf::arg<M>(a, 0)); }
CF_MEMBER(cf_products, clifford_conjugate) { return cf::result(--cf::arg<M>(a, 0)); }
CF_MEMBER(cf_products, grade_involution) { return cf::result(++cf::arg<M>(a, 0)); }
CF_MEMBER(cf_products, inverse) { return cf::result(cf::arg<M>(a, 0).inverse()); }
CF_MEMBER(cf_products, general_inverse) { return cf::result(cf::arg<M>(a, 0).generalInverse()); }
CF_MEMBER(cf_products, negate) { return cf::result(ga::negate(cf::arg<M>(a, 0))); }
CF_MEMBER(cf_products, gp) { return cf::result(ga::gp(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, op) { return cf::result(ga::op(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, hip) { return cf::result(ga::hip(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, mhip) { return cf::result(ga::mhip(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, lcont) { return cf::result(ga::lcont(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, rcont) { return cf::result(ga::rcont(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, scp) { return cf::result(ga::scp(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, gpem) { return cf::result(ga::gpem(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, lcem) { return cf::result(ga::lcem(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, meet) { return cf::result(ga::meet(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, join) { return cf::result(ga::join(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, add) { return cf::result(ga::add(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, sub) { return cf::result(ga::sub(cf::arg<M>(a, 0), cf::arg<M>(a, 1))); }
CF_MEMBER(cf_products, exp) { return cf::result(cf::arg<M>(a, 0).exp(sc_expOrder)); }

// --- compositions
// the dual of a with respect to b: a contracted onto the inverse of b
CF_MEMBER(cf_products, dual2) { return cf::result(ga::lcont(cf::arg<M>(a, 0), cf::arg<M>(a, 1).inverse())); }

CF_MEMBER(cf_products, igp) { return cf::result(ga::gp(cf::arg<M>(a, 0), cf::arg<M>(a, 1).inverse())); }

// the commutator product: half of a b - b a
CF_MEMBER(cf_products, cp)
{
	const M &x = cf::arg<M>(a, 0), &y = cf::arg<M>(a, 1);
	return cf::result(ga::op(0.5, ga::sub(ga::gp(x, y), ga::gp(y, x))));
}

// a b a^-1
CF_MEMBER(cf_products, versorProduct)
{
	const M &v = cf::arg<M>(a, 0);
	return cf::result(ga::gp(ga::gp(v, cf::arg<M>(a, 1)), v.inverse()));
}

// a^-1 b a
CF_MEMBER(cf_products, inverseVersorProduct)
{
	const M &v = cf::arg<M>(a, 0);
	return cf::result(ga::gp(ga::gp(v.inverse(), cf::arg<M>(a, 1)), v));
}

CF_MEMBER(cf_products, MNversorProduct)
{
	M v = cf::arg<M>(a, 0), b = cf::arg<M>(a, 1);
	signForOddVersor(v, b);
	return cf::result(ga::gp(ga::gp(v, b), v.inverse()));
}

CF_MEMBER(cf_products, MNinverseVersorProduct)
{
	M v = cf::arg<M>(a, 0), b = cf::arg<M>(a, 1);
	signForOddVersor(v, b);
	return cf::result(ga::gp(ga::gp(v.inverse(), b), v));
}

// a projected onto the blade b
CF_MEMBER(cf_products, project)
{
	M r;
	r.project(cf::arg<M>(a, 1), cf::arg<M>(a, 0));
	return cf::result(r);
}

// a rejected from the blade b
CF_MEMBER(cf_products, reject)
{
	M r;
	r.reject(cf::arg<M>(a, 1), cf::arg<M>(a, 0));
	return cf::result(r);
}

// a to the power of the integer nearest to the scalar part of b (halves
// upward), by repeated squaring: a huge power costs a few dozen products.
// Every factor is a power of a, so their order does not matter; a power of
// 0 or less is 1.
CF_MEMBER(cf_products, pow)
{
	int n = cf::saturatingInt(cf::arg<M>(a, 1).scalar() + 0.5);
	M r(1.0), square = cf::arg<M>(a, 0);
	for (unsigned k = n > 0 ? (unsigned)n : 0u; k != 0; k >>= 1) {
		if (k & 1) r = ga::gp(r, square);
		if (k > 1) square = ga::gp(square, square);
	}
	return cf::result(r);
}

// Factor number b (counted from 1, clamped to the slots) of the blade a; 0
// beyond its grade, and for a scalar or a value of mixed grades.
CF_MEMBER(cf_products, factor)
{
	constexpr int slots = factorSlots<M>();
	M f[slots];
	cf::arg<M>(a, 0).factor(f, 0);
	int i = cf::saturatingInt(cf::arg<M>(a, 1).scalar());
	i = i < 1 ? 1 : i > slots ? slots : i;
	return cf::result(f[i - 1]);
}

CF_INSTANTIATE(cf_products);
