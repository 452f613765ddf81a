#include "scene/gaobject.h"

#include <cmath>
#include <cstdio>

#include "view/glwindow.h"
#include "state/state.h"

namespace {

// A drag changes a magnitude by one unit per this many pixels of
// (motionY - motionX).
constexpr double sc_pixelsPerMagnitude = 30.0;
// A drag that would leave less magnitude than this leaves the value as it
// was: the value keeps a direction to grow back along.
constexpr double sc_minimumDraggedMagnitude = 0.0001;

} // namespace

template <class V>
gaObject<V>::gaObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags)
    : object(gaObjectKind<V>::type, name, drawMode, creationFlags, forceFlags), m_mv(value), m_int(m_mv, creationFlags)
{
	m_properties = gaObjectKind<V>::properties | gaObjectKind<V>::kindProperties(kind());
	// shaded unless the user said otherwise
	if (!(forceFlags & DM_SHADE)) m_drawMode |= DM_SHADE;
	// kinds drawn by a choice of methods start with their default one
	const gaDrawMethodRow &methods = drawMethodsOf(kind());
	if (methods.list != DML_NONE) {
		m_properties |= OP_DRAW_METHOD;
		m_dmMenu = gaObjectKind<V>::menuOf(methods.list);
		m_dmMenuIdx = methods.defaultIndex;
	}
	// a draw method asked for when the value was made, whatever the kind
	if (creationFlags & OC_DRAW_METHOD) m_dmMenuIdx = creationDrawMethod(creationFlags);
}

template <class V> gaObject<V>::~gaObject() { m_mv.null(); }

template <class V> const gaDrawMethodRow &gaObject<V>::drawMethodsOf(int kind)
{
	const gaDrawMethodRow *row = gaObjectKind<V>::drawMethods;
	// the table ends with the row of no list
	while (row->list != DML_NONE && row->kind != kind) row++;
	return *row;
}

template <class V> int gaObject<V>::copy(const object *o, int &propertiesChanged, int forceFlag)
{
	// one type is one algebra; a kind drawn from another list of methods
	// (a line replaced by a point pair) asks for a new object
	if (o->m_type == m_type && static_cast<const gaObject<V> *>(o)->drawMethodList() != drawMethodList()) {
		propertiesChanged = 0;
		return -1;
	}
	int result = object::copy(o, propertiesChanged, forceFlag);
	if (result != 0) return result;
	const gaObject<V> *other = static_cast<const gaObject<V> *>(o);
	if (sub(m_mv, other->m_mv).norm_a() != 0.0) propertiesChanged |= OP_VALUE;
	m_mv = other->m_mv;
	// the whole interpretation of the new value, its validity included
	m_int = other->m_int;
	return 0;
}

template <class V> std::string gaObject<V>::toString(const char *floatPrec)
{
	return "\"" + m_name + "\" = " + m_mv.string(floatPrec);
}

template <class V> void gaObject<V>::dragMagnitude(double motionX, double motionY)
{
	double m = std::sqrt(m_mv.norm_a());
	double grown = m + (motionY - motionX) / sc_pixelsPerMagnitude;
	// a value of no magnitude has no direction to scale along
	if (m > 0.0 && grown >= sc_minimumDraggedMagnitude) m_mv = gp(grown / m, m_mv);
}

template <class V> int gaObject<V>::description(char *buf, int bufLen, int sl)
{
	return describeInterpretation(buf, bufLen, sl, m_name.c_str(), gaObjectKind<V>::descriptions, m_int,
	                              m_mv.string(nullptr));
}

template <class V> e3ga gaObject<V>::dragMotion(glwindow *window, double depth, double motionX, double motionY)
{
	e3ga t;
	if (window != nullptr) window->vectorAtDepth(depth, motionX, -motionY, t);
	return t;
}

template <class V> void gaObject<V>::valueDragged()
{
	m_int.interpret(m_mv, 0);
	if (g_state != nullptr) g_state->modified(m_name);
}

template <class V> bool gaObject<V>::drawFailureIsNew()
{
	// the value with every coordinate exactly as held, and the method
	return noteFailure(std::string(m_mv.storedString(nullptr)) + " method " + std::to_string(m_dmMenuIdx));
}

namespace {

// An i2ga value is always an unknown object: the model knows no kinds.
const descriptionRow c_i2gaDescriptions[] = {{0, nullptr, nullptr, {}}};

} // namespace

const descriptionModel gaObjectKind<i2ga>::descriptions = {"i2ga", c_i2gaDescriptions, ""};

template class gaObject<e3ga>;
template class gaObject<p3ga>;
template class gaObject<c3ga>;
template class gaObject<i2ga>;
