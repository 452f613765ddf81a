#pragma once
// The console's mathematical built-ins, written once over the model M: the
// members of the classes below are the entries of one model block of the
// built-in table. Each takes its values out of the arguments in the model
// M, computes with M's operations and returns a new unnamed value of M (or,
// for print, set_factor and assign, what those say). The dispatcher has
// matched the argument count and cast every argument to the model its row
// asks for, so no member checks either.
#include <climits>
#include <cmath>
#include <type_traits>

#include "console/consolefunctions.h"
#include "console/consolevariable.h"

// One class per concern, each defined and made for the four models in a
// file of its own.

// Printing, assignment and stored factors (consolefamilysystem.cpp).
template <class M> struct cf_system {
	static cf_entry print, print_prec, assign, set_factor;
};

// Products, duals, inverses and versor products (consolefamilyproducts.cpp).
template <class M> struct cf_products {
	static cf_entry dual, dual2, reverse, clifford_conjugate, grade_involution, inverse, general_inverse, negate;
	static cf_entry gp, igp, op, hip, mhip, lcont, rcont, scp, gpem, lcem, meet, cp, join, add, sub;
	static cf_entry exp, pow, versorProduct, inverseVersorProduct, MNversorProduct, MNinverseVersorProduct;
	static cf_entry project, reject, factor;
};

// Grades, norms and scalar functions (consolefamilygrades.cpp).
template <class M> struct cf_grades {
	static cf_entry scalar, grade_nb, grade, versor_parity, norm, norm_2, norm_r, normalize;
	static cf_entry abs, sqrt, tan, sin, cos, atan, asin, acos, atan2, cosh, sinh, sinc, log, scalar_pow;
};

// Comparisons and logic (consolefamilycompare.cpp).
template <class M> struct cf_compare {
	static cf_entry equal, ne, less, greater, le, ge, logicalAnd, logicalOr, logicalNot;
};

// The casts: argument 1, of any model, converted to model T (consolefamilysystem.cpp).
template <class T> consoleVariable *cf_castTo(consoleScope *s, consoleVariable **arg, const consoleFunc_s *row);

namespace cf {

// Tolerance of the blade and versor classification of "grade" and "versor_parity".
constexpr double sc_classifyEpsilon = 1e-14;

// The value held by a console variable, read as model M.
template <class M> const M &value(const consoleVariable *v)
{
	if constexpr (std::is_same<M, e3ga>::value) return v->e();
	else if constexpr (std::is_same<M, p3ga>::value) return v->p();
	else if constexpr (std::is_same<M, c3ga>::value) return v->c();
	else return v->i2();
}

// Argument i of a call, read as model M.
template <class M> const M &arg(consoleVariable **a, int i) { return value<M>(a[i]); }

// A new unnamed console value holding x.
template <class M> consoleVariable *result(const M &x) { return new consoleVariable(std::string(), x); }

// A number as a scalar of model M: grade 0 only, kept even when it is 0.0.
template <class M> consoleVariable *number(double x) { return result(M(x)); }

// A truth value as a scalar of model M: 1.0 for true, 0.0 for false.
template <class M> consoleVariable *truth(bool t) { return number<M>(t ? 1.0 : 0.0); }

// A user's number as an int: toward zero, saturated at the ends of int, and
// 0 for NaN; a plain conversion of a number out of range is undefined.
inline int saturatingInt(double x)
{
	if (std::isnan(x)) return 0;
	if (x >= (double)INT_MAX) return INT_MAX;
	if (x <= (double)INT_MIN) return INT_MIN;
	return (int)x;
}

} // namespace cf

// The head of the definition of member NAME of the concern class C: the
// calling scope as s, the argument array as a.
#define CF_MEMBER(C, NAME)                                                                                 \
	template <class M>                                                                                     \
	consoleVariable *C<M>::NAME([[maybe_unused]] consoleScope *s, consoleVariable **a, const consoleFunc_s *)

// The concern class C made for the four models, once in the program.
#define CF_INSTANTIATE(C)      \
	template struct C<e3ga>;   \
	template struct C<p3ga>;   \
	template struct C<c3ga>;   \
	template struct C<i2ga>
