// Namespace-scope values built from the basis constants.  This unit is linked
// ahead of the algebras' own units, so its statics are initialised first.
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

const e3ga e3Named = e3gai::e1 + 2.0 * e3gai::e2 + 3.0 * e3gai::e3 + 10.0 * e3gai::I + e3gai::I * e3gai::Ii;
const p3ga p3Named = p3gai::e1 + 2.0 * p3gai::e2 + 3.0 * p3gai::e3 + 4.0 * p3gai::e0 + 10.0 * p3gai::I +
                     p3gai::I * p3gai::Ii;
const c3ga c3Named = c3gai::e1 + 2.0 * c3gai::e2 + 3.0 * c3gai::e3 + 4.0 * c3gai::no + 5.0 * c3gai::ni +
                     10.0 * c3gai::I + c3gai::I * c3gai::Ii;
const i2ga i2Named = i2gai::e1 + 2.0 * i2gai::e2 + 3.0 * i2gai::no + 4.0 * i2gai::ni + 5.0 * i2gai::go +
                     6.0 * i2gai::gi + 10.0 * i2gai::I + i2gai::I * i2gai::Ii;

const e3ga e3Bv = throughBv<e3ga>();
const p3ga p3Bv = throughBv<p3ga>();
const c3ga c3Bv = throughBv<c3ga>();
const i2ga i2Bv = throughBv<i2ga>();

const e3ga_ben e3Names;
const p3ga_ben p3Names;
const c3ga_ben c3Names;
const i2ga_ben i2Names;

} // namespace

template <> const e3ga &earlyByName<e3ga>() { return e3Named; }
template <> const p3ga &earlyByName<p3ga>() { return p3Named; }
template <> const c3ga &earlyByName<c3ga>() { return c3Named; }
template <> const i2ga &earlyByName<i2ga>() { return i2Named; }
template <> const e3ga &earlyThroughBv<e3ga>() { return e3Bv; }
template <> const p3ga &earlyThroughBv<p3ga>() { return p3Bv; }
template <> const c3ga &earlyThroughBv<c3ga>() { return c3Bv; }
template <> const i2ga &earlyThroughBv<i2ga>() { return i2Bv; }
template <> const e3ga_ben &earlyNames<e3ga>() { return e3Names; }
template <> const p3ga_ben &earlyNames<p3ga>() { return p3Names; }
template <> const c3ga_ben &earlyNames<c3ga>() { return c3Names; }
template <> const i2ga_ben &earlyNames<i2ga>() { return i2Names; }
