#include "gaobject.h"

template <class V>
gaObject<V>::gaObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags)
    : object(gaObjectKind<V>::type, name, drawMode, creationFlags, forceFlags), m_mv(value)
{
	m_properties = gaObjectKind<V>::properties;
	// shaded unless the user said otherwise
	if (!(forceFlags & DM_SHADE)) m_drawMode |= DM_SHADE;
	// a draw method asked for when the value was made
	if (creationFlags & OC_DRAW_METHOD) m_dmMenuIdx = creationDrawMethod(creationFlags);
}

template <class V> gaObject<V>::~gaObject() { m_mv.null(); }

template <class V> int gaObject<V>::copy(const object *o, int &propertiesChanged, int forceFlag)
{
	int result = object::copy(o, propertiesChanged, forceFlag);
	if (result != 0) return result;
	// one type is one algebra
	const gaObject<V> *other = static_cast<const gaObject<V> *>(o);
	if (sub(m_mv, other->m_mv).norm_a() != 0.0) propertiesChanged |= OP_VALUE;
	m_mv = other->m_mv;
	return 0;
}

template <class V> std::string gaObject<V>::toString(const char *floatPrec)
{
	return "\"" + m_name + "\" = " + m_mv.string(floatPrec);
}

template class gaObject<e3ga>;
template class gaObject<p3ga>;
template class gaObject<c3ga>;
template class gaObject<i2ga>;
