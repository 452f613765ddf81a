#pragma once
// i2ga: six dimensions, e1 and e2 with two null pairs, the conformal origin
// and infinity (no, ni) and the grayscale origin and infinity (go, gi).
// Coordinates are held in place; products are looked up in dispatch tables.
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

	// Product P through its dispatch tables: a specialised kernel on the
	// packed coordinates when the tables name one, else the general path.
	template <int P> void dispatchProduct(const i2gai &a, const i2gai &b);
	void dispatchScalarOp(double scalar, const i2gai &b);

private:
	typedef void (*packedKernel)(const double *, const double *, double *);
	typedef void (*generalKernel)(const double **, const double **, double *);
	template <int P> void runDispatched(int index, const double *ca, const double **pa, const i2gai &b);
};

class i2ga : public ga::mvValue<i2ga, i2gai> {
public:
	using mvValue::mvValue;
	using mvValue::operator=;
};

// Builds the constants ahead of the statics of the unit that includes this.
static const ga::constantsBuilder<i2gai> i2gaConstantsBuilder;

template <int P> void i2gai::dispatchProduct(const i2gai &a, const i2gai &b)
{
	int index = def::mapA<P>()[a.usage & def::gradeMask] | def::mapB<P>()[b.usage & def::gradeMask];
	const double *pa[dim + 1];
	a.expand(pa);
	runDispatched<P>(index, a.c, pa, b);
}

template <int P>
void i2gai::runDispatched(int index, const double *ca, const double **pa, const i2gai &b)
{
	int u = def::resultUsage<P>()[index];
	if (u >= 0) {
		// fast path: the kernel writes exactly the coordinates u declares
		double out[nbCoor];
		reinterpret_cast<packedKernel>(def::func<P>()[index])(ca, b.c, out);
		usage = u;
		def::copy(c, out, memUsage());
		return;
	}
	const double *pb[dim + 1];
	double cc[nbCoor];
	b.expand(pb);
	reinterpret_cast<generalKernel>(def::func<P>()[index])(pa, pb, cc);
	compress(cc);
}

// Tables of named basis elements for parsing, and outer morphisms.
typedef ga::mvBen<i2gai> i2ga_ben;
typedef ga::mvBe<i2gai> i2gai_be;
typedef ga::mvOm<i2gai> i2gai_om;
typedef ga::mvValueOm<i2ga> i2ga_om;
