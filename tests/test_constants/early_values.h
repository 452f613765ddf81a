#pragma once
// Values that another unit of the test binary builds at namespace scope from
// the basis constants, during static initialisation.

// Every basis vector times its index plus one, plus 10 I and I Ii (the scalar 1):
// written with the constants' names, and through bv.
template <class V> const V &earlyByName();
template <class V> const V &earlyThroughBv();
// A default name table of the algebra built at namespace scope.
template <class V> const typename V::benType &earlyNames();
