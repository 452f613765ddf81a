// The comparisons and the logic of the console, over the model M. Whole
// values are equal when every coordinate of their difference is zero; the
// orderings compare scalar parts only; a value is true when any of its
// coordinates is not zero. No tolerance: every test is exact.
#include "console/consolefamily.h"

namespace {

template <class M> bool isTrue(const M &x) { return x.norm_a() != 0.0; }

template <class M> bool equalValues(consoleVariable **a)
{
	return !isTrue(ga::sub(cf::arg<M>(a, 0), cf::arg<M>(a, 1)));
}

// The difference of the scalar parts of the two arguments.
template <class M> double scalarDifference(consoleVariable **a)
{
	return cf::arg<M>(a, 0).scalar() - cf::arg<M>(a, 1).scalar();
}

} // namespace

CF_MEMBER(cf_compare, equal) { return cf::truth<M>(equalValues<M>(a)); }
CF_MEMBER(cf_compare, ne) { return cf::truth<M>(!equalValues<M>(a)); }
CF_MEMBER(cf_compare, less) { return cf::truth<M>(scalarDifference<M>(a) < 0.0); }
CF_MEMBER(cf_compare, greater) { return cf::truth<M>(scalarDifference<M>(a) > 0.0); }
CF_MEMBER(cf_compare, le) { return cf::truth<M>(cf::arg<M>(a, 0).scalar() <= cf::arg<M>(a, 1).scalar()); }
CF_MEMBER(cf_compare, ge) { return cf::truth<M>(cf::arg<M>(a, 0).scalar() >= cf::arg<M>(a, 1).scalar()); }
CF_MEMBER(cf_compare, logicalAnd) { return cf::truth<M>(isTrue(cf::arg<M>(a, 0)) && isTrue(cf::arg<M>(a, 1))); }
CF_MEMBER(cf_compare, logicalOr) { return cf::truth<M>(isTrue(cf::arg<M>(a, 0)) || isTrue(cf::arg<M>(a, 1))); }
CF_MEMBER(cf_compare, logicalNot) { return cf::truth<M>(!isTrue(cf::arg<M>(a, 0))); }

CF_INSTANTIATE(cf_compare);
