#pragma once
// e3ga: three-dimensional Euclidean space, basis vectors e1, e2, e3.
#include "e3ga/e3ga_def.h"
#include "ga/multivector.h"

class e3ga;

class e3gai : public ga::mvImpl<e3gai, ga::e3gaDef, ga::poolStorage<ga::e3gaDef>> {
public:
	typedef e3ga valueClass;
	using mvImpl::mvImpl;
	e3gai() {}

	// Built before any static of a unit that includes this header (see
	// ga::basisConstants); never destroyed.
	static const e3gai &e1, &e2, &e3, &I, &Ii;
	static const e3gai *const bv[3];
	static void buildConstants();

	// Inverse of any invertible e3ga multivector in closed form.
	int lounestoInverse(const e3gai &a);
};

class e3ga : public ga::mvValue<e3ga, e3gai> {
public:
	using mvValue::mvValue;
	using mvValue::operator=;

	using e3gai::lounestoInverse;
	e3ga &lounestoInverse() const { return into([&](e3ga &t) { t.lounestoInverse(*this); }); }
};

// Builds the constants ahead of the statics of the unit that includes this.
static const ga::constantsBuilder<e3gai> e3gaConstantsBuilder;

// Tables of named basis elements for parsing, and outer morphisms.
typedef ga::mvBen<e3gai> e3ga_ben;
typedef ga::mvBe<e3gai> e3gai_be;
typedef ga::mvOm<e3gai> e3gai_om;
typedef ga::mvValueOm<e3ga> e3ga_om;
