#pragma once
// The four algebras a console value can hold, named by model code (the model
// number 1 to 4 in bits 13 to 15), and the dispatch from a code to code that
// is generic over the value class.
#include <type_traits>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

template <class V> struct consoleModel;
template <> struct consoleModel<e3ga> {
	static constexpr int code = 0x2000;
};
template <> struct consoleModel<p3ga> {
	static constexpr int code = 0x4000;
};
template <> struct consoleModel<c3ga> {
	static constexpr int code = 0x6000;
};
template <> struct consoleModel<i2ga> {
	static constexpr int code = 0x8000;
};

constexpr int MODEL_E3GA = consoleModel<e3ga>::code;
constexpr int MODEL_P3GA = consoleModel<p3ga>::code;
constexpr int MODEL_C3GA = consoleModel<c3ga>::code;
constexpr int MODEL_I2GA = consoleModel<i2ga>::code;

// The name of a model code: "e3ga", "p3ga", "c3ga", "i2ga"; empty for any other value.
inline const char *consoleModelName(int model)
{
	switch (model) {
	case MODEL_E3GA: return "e3ga";
	case MODEL_P3GA: return "p3ga";
	case MODEL_C3GA: return "c3ga";
	case MODEL_I2GA: return "i2ga";
	default: return "";
	}
}

// T, const when P is.
template <class T, class P> using sameConstness = std::conditional_t<std::is_const<P>::value, const T, T>;

// The value class of a multivector reference that visitModel hands over.
template <class M> using modelValue = std::remove_const_t<std::remove_reference_t<M>>;

// Calls f with the multivector that mv points to, as the class that model
// names; false, without calling f, for a code of no model. P is void or
// const void.
template <class P, class F> bool visitModel(int model, P *mv, F &&f)
{
	switch (model) {
	case MODEL_E3GA: f(*static_cast<sameConstness<e3ga, P> *>(mv)); return true;
	case MODEL_P3GA: f(*static_cast<sameConstness<p3ga, P> *>(mv)); return true;
	case MODEL_C3GA: f(*static_cast<sameConstness<c3ga, P> *>(mv)); return true;
	case MODEL_I2GA: f(*static_cast<sameConstness<i2ga, P> *>(mv)); return true;
	default: return false;
	}
}
