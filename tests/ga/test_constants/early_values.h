#pragma once
// Values that another unit of the test binary builds at namespace scope from
// the basis constants, during static initialisation.

template <class V> struct earlyValues {
	// Every basis vector times its index plus one, plus 10 I and I Ii (the
	// scalar 1): written with the constants' names, and through bv.
	V byName;
	V throughBv;
	// A default name table of the algebra.
	typename V::benType names;
};

template <class V> const earlyValues<V> &early();
