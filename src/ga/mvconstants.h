#pragma once
// The basis constants of an algebra (its basis vectors, I and Ii), usable
// from any static initialiser of any unit.  Each unit that includes an
// algebra's header holds a constantsBuilder, defined ahead of that unit's
// own statics, that builds the constants if no unit has yet; the constants'
// storage needs no construction of its own, and the names by which code
// reads it (e3gai::e1, ...) are references bound before any code runs.
// The constants are never destroyed, so static destructors may use them too.
#include <new>

namespace ga {

// Room for one T, built when the code that owns it decides, never destroyed.
template <class T> union deferred {
	constexpr deferred() : none() {}
	~deferred() {}
	char none;
	T value;
};

template <class I> class basisConstants {
public:
	deferred<I> vectors[I::dim];
	deferred<I> pseudoscalar;
	deferred<I> inversePseudoscalar;

	constexpr basisConstants() : built(false) {}

	// The unit basis vectors in basis order, I as 1.0 on the top grade and
	// Ii as iiCoordinate there; only the first call builds.
	void build(double iiCoordinate)
	{
		if (built) return;
		built = true;
		constexpr int top = 1 << I::dim;
		for (int v = 0; v < I::dim; v++) {
			double unit[I::dim] = {0.0};
			unit[v] = 1.0;
			new (&vectors[v].value) I(2, unit);
		}
		new (&pseudoscalar.value) I(top, 1.0);
		new (&inversePseudoscalar.value) I(top, iiCoordinate);
	}

private:
	bool built;
};

// One per unit that includes an algebra's header: builds the constants
// before the statics that the unit defines after the include.
template <class I> struct constantsBuilder {
	constantsBuilder() { I::buildConstants(); }
};

} // namespace ga
