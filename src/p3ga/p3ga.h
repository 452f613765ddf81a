#pragma once
// p3ga: the homogeneous model of 3D space, basis vectors e1, e2, e3, e0.
#include "p3ga/p3ga_def.h"
#include "ga/multivector.h"

class p3ga;

class p3gai : public ga::mvImpl<p3gai, ga::p3gaDef, ga::poolStorage<ga::p3gaDef>> {
public:
	typedef p3ga valueClass;
	using mvImpl::mvImpl;
	p3gai() {}

	// Built before any static of a unit that includes this header (see
	// ga::basisConstants); never destroyed.
	static const p3gai &e1, &e2, &e3, &e0, &I, &Ii;
	static const p3gai *const bv[4];
	static void buildConstants();
};

class p3ga : public ga::mvValue<p3ga, p3gai> {
public:
	using mvValue::mvValue;
	using mvValue::operator=;
};

// Builds the constants ahead of the statics of the unit that includes this.
static const ga::constantsBuilder<p3gai> p3gaConstantsBuilder;

// Tables of named basis elements for parsing, and outer morphisms.
typedef ga::mvBen<p3gai> p3ga_ben;
typedef ga::mvBe<p3gai> p3gai_be;
typedef ga::mvOm<p3gai> p3gai_om;
typedef ga::mvValueOm<p3ga> p3ga_om;
