#pragma once
// The named entries of the console's mathematical built-ins, as the rows of
// the built-in table c_consoleFunc refer to them: the family of each model
// (cf_e3ga_gp, cf_p3ga_gp, ...), the casts between the models
// (cf_e3ga_to_p3ga, ...) and the constructors of model points and
// translation versors; and the sizes of their blocks in the table.
#include "console/consolefamily.h"

// The family's entries: X(model, entry name suffix, concern class, member).
// vp and ivp have no entries of their own: their rows reach versorProduct
// and inverseVersorProduct.
#define CF_FAMILY_ENTRIES(X, M)                                                                                 \
	X(M, print, cf_system, print)                                                                              \
	X(M, print_prec, cf_system, print_prec)                                                                    \
	X(M, assign, cf_system, assign)                                                                            \
	X(M, set_factor, cf_system, set_factor)                                                                    \
	X(M, dual, cf_products, dual)                                                                              \
	X(M, dual2, cf_products, dual2)                                                                            \
	X(M, reverse, cf_products, reverse)                                                                        \
	X(M, clifford_conjugate, cf_products, clifford_conjugate)                                                  \
	X(M, grade_involution, cf_products, grade_involution)                                                      \
	X(M, inverse, cf_products, inverse)                                                                        \
	X(M, general_inverse, cf_products, general_inverse)                                                        \
	X(M, negate, cf_products, negate)                                                                          \
	X(M, gp, cf_products, gp)                                                                                  \
	X(M, igp, cf_products, igp)                                                                                \
	X(M, op, cf_products, op)                                                                                  \
	X(M, hip, cf_products, hip)                                                                                \
	X(M, mhip, cf_products, mhip)                                                                              \
	X(M, lcont, cf_products, lcont)                                                                            \
	X(M, rcont, cf_products, rcont)                                                                            \
	X(M, scp, cf_products, scp)                                                                                \
	X(M, gpem, cf_products, gpem)                                                                              \
	X(M, lcem, cf_products, lcem)                                                                              \
	X(M, meet, cf_products, meet)                                                                              \
	X(M, cp, cf_products, cp)                                                                                  \
	X(M, join, cf_products, join)                                                                              \
	X(M, add, cf_products, add)                                                                                \
	X(M, sub, cf_products, sub)                                                                                \
	X(M, exp, cf_products, exp)                                                                                \
	X(M, pow, cf_products, pow)                                                                                \
	X(M, versorProduct, cf_products, versorProduct)                                                            \
	X(M, inverseVersorProduct, cf_products, inverseVersorProduct)                                              \
	X(M, MNversorProduct, cf_products, MNversorProduct)                                                        \
	X(M, MNinverseVersorProduct, cf_products, MNinverseVersorProduct)                                          \
	X(M, project, cf_products, project)                                                                        \
	X(M, reject, cf_products, reject)                                                                          \
	X(M, factor, cf_products, factor)                                                                          \
	X(M, scalar, cf_grades, scalar)                                                                            \
	X(M, grade_nb, cf_grades, grade_nb)                                                                        \
	X(M, grade, cf_grades, grade)                                                                              \
	X(M, versor_parity, cf_grades, versor_parity)                                                              \
	X(M, norm, cf_grades, norm)                                                                                \
	X(M, norm_2, cf_grades, norm_2)                                                                            \
	X(M, norm_r, cf_grades, norm_r)                                                                            \
	X(M, normalize, cf_grades, normalize)                                                                      \
	X(M, abs, cf_grades, abs)                                                                                  \
	X(M, sqrt, cf_grades, sqrt)                                                                                \
	X(M, tan, cf_grades, tan)                                                                                  \
	X(M, sin, cf_grades, sin)                                                                                  \
	X(M, cos, cf_grades, cos)                                                                                  \
	X(M, atan, cf_grades, atan)                                                                                \
	X(M, asin, cf_grades, asin)                                                                                \
	X(M, acos, cf_grades, acos)                                                                                \
	X(M, atan2, cf_grades, atan2)                                                                              \
	X(M, cosh, cf_grades, cosh)                                                                                \
	X(M, sinh, cf_grades, sinh)                                                                                \
	X(M, sinc, cf_grades, sinc)                                                                                \
	X(M, log, cf_grades, log)                                                                                  \
	X(M, scalar_pow, cf_grades, scalar_pow)                                                                    \
	X(M, equal, cf_compare, equal)                                                                             \
	X(M, ne, cf_compare, ne)                                                                                   \
	X(M, less, cf_compare, less)                                                                               \
	X(M, greater, cf_compare, greater)                                                                         \
	X(M, le, cf_compare, le)                                                                                   \
	X(M, ge, cf_compare, ge)                                                                                   \
	X(M, and, cf_compare, logicalAnd)                                                                          \
	X(M, or, cf_compare, logicalOr)                                                                            \
	X(M, not, cf_compare, logicalNot)

// cf_<model>_<suffix>: the member of the concern class for that model.
#define CF_DEFINE_ENTRY(M, SUFFIX, C, MEMBER) inline constexpr consoleFuncPtr cf_##M##_##SUFFIX = &C<M>::MEMBER;
CF_FAMILY_ENTRIES(CF_DEFINE_ENTRY, e3ga)
CF_FAMILY_ENTRIES(CF_DEFINE_ENTRY, p3ga)
CF_FAMILY_ENTRIES(CF_DEFINE_ENTRY, c3ga)
CF_FAMILY_ENTRIES(CF_DEFINE_ENTRY, i2ga)

// cf_<source>_to_<target>: the cast to the target, whatever the source.
#define CF_DEFINE_CASTS(S)                                                  \
	inline constexpr consoleFuncPtr cf_##S##_to_e3ga = &cf_castTo<e3ga>;    \
	inline constexpr consoleFuncPtr cf_##S##_to_p3ga = &cf_castTo<p3ga>;    \
	inline constexpr consoleFuncPtr cf_##S##_to_c3ga = &cf_castTo<c3ga>;    \
	inline constexpr consoleFuncPtr cf_##S##_to_i2ga = &cf_castTo<i2ga>;
CF_DEFINE_CASTS(e3ga)
CF_DEFINE_CASTS(p3ga)
CF_DEFINE_CASTS(c3ga)
CF_DEFINE_CASTS(i2ga)

// The constructors (consoleconstructors.cpp): points from three scalars x,
// y, z or from an e3ga vector, the conformal point of a projective point,
// and translation versors over x e1 + y e2 + z e3 or over a vector.
cf_entry cf_p3ga_point3, cf_p3ga_point1, cf_c3ga_point3, cf_c3ga_point1, cf_c3ga_pointP1;
cf_entry cf_translation_versor3, cf_translation_versor1;

// Rows of the blocks of these built-ins in c_consoleFunc. In the table the
// constructor rows follow the viewer's rows up to "help"; the viewer's rows
// from "clf" on follow them; then come the four model blocks (e3ga, p3ga,
// c3ga, i2ga) and the cast rows just before the end row.
constexpr int CF_CONSTRUCTOR_ROWS = 9;
constexpr int CF_MODEL_BLOCK_ROWS = 69;
constexpr int CF_CAST_ROWS = 16;
