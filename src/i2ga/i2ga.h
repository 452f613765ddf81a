#pragma once
// i2ga: six dimensions, e1 and e2 with two null pairs, the conformal origin
// and infinity (no, ni) and the grayscale origin and infinity (go, gi).
// Coordinates are held in place.
#include "i2ga/i2ga_def.h"
#include "ga/multivector.h"

class i2ga;

class i2gai : public ga::mvImpl<i2gai, ga::i2gaDef, ga::inplaceStorage<ga::i2gaDef>> {
public:
	typedef i2ga valueClass;
	using mvImpl::mvImpl;
	i2gai() {}

	// Built before any static of a unit that includes this header (see
	// ga::basisConstants); never destroyed.
	static const i2gai &e1, &e2, &no, &ni, &go, &gi, &I, &Ii;
	static const i2gai *const bv[6];
	static void buildConstants();
};

class i2ga : public ga::mvValue<i2ga, i2gai> {
public:
	using mvValue::mvValue;
	using mvValue::operator=;
};

// Builds the constants ahead of the statics of the unit that includes this.
static const ga::constantsBuilder<i2gai> i2gaConstantsBuilder;

// Tables of named basis elements for parsing, and outer morphisms.
typedef ga::mvBen<i2gai> i2ga_ben;
typedef ga::mvBe<i2gai> i2gai_be;
typedef ga::mvOm<i2gai> i2gai_om;
typedef ga::mvValueOm<i2ga> i2ga_om;
