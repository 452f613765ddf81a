#pragma once
// c3ga: the conformal model of 3D space, basis vectors e1, e2, e3 and the
// null vectors no (origin) and ni (infinity).
#include "c3ga/c3ga_def.h"
#include "ga/multivector.h"

class c3ga;

class c3gai : public ga::mvImpl<c3gai, ga::c3gaDef, ga::poolStorage<ga::c3gaDef>> {
public:
	typedef c3ga valueClass;
	using mvImpl::mvImpl;
	c3gai() {}

	// Built before any static of a unit that includes this header (see
	// ga::basisConstants); never destroyed.
	static const c3gai &e1, &e2, &e3, &no, &ni, &I, &Ii;
	static const c3gai *const bv[5];
	static void buildConstants();
};

class c3ga : public ga::mvValue<c3ga, c3gai> {
public:
	using mvValue::mvValue;
	using mvValue::operator=;
};

// Builds the constants ahead of the statics of the unit that includes this.
static const ga::constantsBuilder<c3gai> c3gaConstantsBuilder;

// Tables of named basis elements for parsing, and outer morphisms.
typedef ga::mvBen<c3gai> c3ga_ben;
typedef ga::mvBe<c3gai> c3gai_be;
typedef ga::mvOm<c3gai> c3gai_om;
typedef ga::mvValueOm<c3ga> c3ga_om;
