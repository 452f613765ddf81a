// Namespace-scope values built from the basis constants.  This unit is linked
// ahead of the algebra library, so its statics are initialised before the
// algebras' own units: the constants must serve them all the same.
#include "early_values.h"

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

namespace {

template <class V> V throughBv()
{
	typedef typename V::implClass I;
	V sum = 10.0 * I::I + I::I * I::Ii;
	for (int k = 0; k < V::dim; k++) sum += (k + 1.0) * *I::bv[k];
	return sum;
}

const earlyValues<e3ga> e3Early = {
    e3gai::e1 + 2.0 * e3gai::e2 + 3.0 * e3gai::e3 + 10.0 * e3gai::I + e3gai::I * e3gai::Ii, throughBv<e3ga>(), {}};
const earlyValues<p3ga> p3Early = {p3gai::e1 + 2.0 * p3gai::e2 + 3.0 * p3gai::e3 + 4.0 * p3gai::e0 +
                                       10.0 * p3gai::I + p3gai::I * p3gai::Ii,
                                   throughBv<p3ga>(), {}};
const earlyValues<c3ga> c3Early = {c3gai::e1 + 2.0 * c3gai::e2 + 3.0 * c3gai::e3 + 4.0 * c3gai::no +
                                       5.0 * c3gai::ni + 10.0 * c3gai::I + c3gai::I * c3gai::Ii,
                                   throughBv<c3ga>(), {}};
const earlyValues<i2ga> i2Early = {i2gai::e1 + 2.0 * i2gai::e2 + 3.0 * i2gai::no + 4.0 * i2gai::ni +
                                       5.0 * i2gai::go + 6.0 * i2gai::gi + 10.0 * i2gai::I + i2gai::I * i2gai::Ii,
                                   throughBv<i2ga>(), {}};

} // namespace

template <> const earlyValues<e3ga> &early<e3ga>() { return e3Early; }
template <> const earlyValues<p3ga> &early<p3ga>() { return p3Early; }
template <> const earlyValues<c3ga> &early<c3ga>() { return c3Early; }
template <> const earlyValues<i2ga> &early<i2ga>() { return i2Early; }
