// The grades, norms and scalar functions of the console, over the model M.
// The real functions of the C library see only the scalar part of a value.
#include "console/consolefamily.h"

namespace {

// Added to the base-2 logarithm of a grade's bit before it is truncated, so
// that a logarithm a hair below the integer still gives that integer.
constexpr double sc_gradeRounding = 0.45;

constexpr double sc_pi = 3.141592653589793;

// The scalar part of argument i.
template <class M> double sp(consoleVariable **a, int i) { return cf::arg<M>(a, i).scalar(); }

// The grade whose bit alone is set in bit; -1 when no bit is set.
inline int gradeOfBit(int bit)
{
	if (bit <= 0) return -1;
	return (int)(std::log((double)bit) / std::log(2.0) + sc_gradeRounding);
}

} // namespace

CF_MEMBER(cf_grades, scalar) { return cf::number<M>(sp<M>(a, 0)); }

// the grade of a blade, -1 for anything else
CF_MEMBER(cf_grades, grade_nb)
{
	int bit = 0;
	int type = cf::arg<M>(a, 0).mvType(&bit, cf::sc_classifyEpsilon);
	return cf::number<M>(type == ga::MVT_BLADE ? gradeOfBit(bit) : -1);
}

// the part of a of the grade in b; a grade outside the model selects nothing
CF_MEMBER(cf_grades, grade)
{
	int k = cf::saturatingInt(sp<M>(a, 1));
	if (k < 0 || k > M::dim) return cf::result(M());
	return cf::result(cf::arg<M>(a, 0).grade(1 << k));
}

// 0 for an even versor, 1 for an odd one, -1 for no versor
CF_MEMBER(cf_grades, versor_parity)
{
	const M &x = cf::arg<M>(a, 0);
	int type = x.mvType(nullptr, cf::sc_classifyEpsilon);
	bool versor = type == ga::MVT_BLADE || type == ga::MVT_VERSOR;
	return cf::number<M>(versor ? x.largestGrade() & 1 : -1);
}

// the square root of the reverse norm's size, with its sign
CF_MEMBER(cf_grades, norm)
{
	double r = cf::arg<M>(a, 0).norm_b();
	return cf::number<M>((r < 0.0 ? -1.0 : 1.0) * std::sqrt(std::fabs(r)));
}

CF_MEMBER(cf_grades, norm_2) { return cf::number<M>(cf::arg<M>(a, 0).norm_a()); }
CF_MEMBER(cf_grades, norm_r) { return cf::number<M>(cf::arg<M>(a, 0).norm_b()); }

// a divided by the square root of its reverse norm's size; 0 for a null value
CF_MEMBER(cf_grades, normalize)
{
	const M &x = cf::arg<M>(a, 0);
	double l = std::sqrt(std::fabs(x.norm_b()));
	return cf::result(ga::gp(l == 0.0 ? 0.0 : 1.0 / l, x));
}

CF_MEMBER(cf_grades, abs) { return cf::number<M>(std::fabs(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, sqrt) { return cf::number<M>(std::sqrt(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, tan) { return cf::number<M>(std::tan(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, sin) { return cf::number<M>(std::sin(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, cos) { return cf::number<M>(std::cos(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, atan) { return cf::number<M>(std::atan(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, asin) { return cf::number<M>(std::asin(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, acos) { return cf::number<M>(std::acos(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, atan2) { return cf::number<M>(std::atan2(sp<M>(a, 0), sp<M>(a, 1))); }
CF_MEMBER(cf_grades, cosh) { return cf::number<M>(std::cosh(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, sinh) { return cf::number<M>(std::sinh(sp<M>(a, 0))); }
CF_MEMBER(cf_grades, scalar_pow) { return cf::number<M>(std::pow(sp<M>(a, 0), sp<M>(a, 1))); }

CF_MEMBER(cf_grades, sinc)
{
	double x = sp<M>(a, 0);
	return cf::number<M>(x == 0.0 ? 1.0 : std::sin(x) / x);
}

// The logarithm of the scalar part; a negative one gets the angle pi in the
// e1^e2 plane, 0 gives 0.
CF_MEMBER(cf_grades, log)
{
	double x = sp<M>(a, 0);
	if (x == 0.0) return cf::number<M>(0.0);
	if (x > 0.0) return cf::number<M>(std::log(x));
	using I = typename M::implClass;
	return cf::result(ga::add(std::log(-x), ga::gp(sc_pi, ga::op(I::e1, I::e2))));
}

CF_INSTANTIATE(cf_grades);
