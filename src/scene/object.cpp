#include "scene/object.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

int object::m_objectCount = 1;

namespace {

// Smallest font size an object takes: a size of 0 would make text vanish
// and scales divide by it.
constexpr float sc_minFontSize = 1e-5f;

// Names that ask for a generated name.
const char *const sc_untitled = "untitled";

} // namespace

object::object(int type, const std::string &name, int drawMode, int /*creationFlags*/, int /*forceFlags*/)
{
	initToNothing();
	m_type = type;
	m_drawMode = drawMode;
	// an object made without a name is called object_N
	if (name.empty() || name == sc_untitled)
		m_name = "object_" + std::to_string(m_objectCount);
	else
		m_name = name;
	m_objectCount++;
}

object::~object()
{
	freeDisplayList();
	initToNothing();
}

void object::initToNothing()
{
	m_name.clear();
	m_type = OT_NONE;
	m_fontSize = -1.0f;
	m_drawMode = 0;
	m_poFactor = 0.0f;
	m_poUnits = 0.0f;
	m_fadeStartTime = -1.0;
	m_fadeEndTime = -1.0;
	m_fadeCurrentFactor = 1.0f;
	m_fadeStartFactor = 1.0f;
	m_fadeEndFactor = 1.0f;
	m_fadeAction = FADE_NONE;
	m_dmMenu = nullptr;
	m_dmMenuIdx = -1;
	m_properties = 0;
	m_displayList = NO_DISPLAY_LIST;
	m_failed = false;
	m_failureKey.clear();
	for (int i = 0; i < 4; i++) m_fgColor[i] = m_bgColor[i] = m_olColor[i] = 0.0f;
}

// --- virtual operations with a default -------------------------------------------

int object::description(char *buf, int bufLen, int sl)
{
	if (buf == nullptr || bufLen <= 0) return 0;
	if (sl)
		std::snprintf(buf, bufLen, "%s: no description available", m_name.c_str());
	else
		std::snprintf(buf, bufLen, "No description available");
	return 0;
}

int object::copy(const object *o, int &propertiesChanged, int forceFlag)
{
	propertiesChanged = 0;
	// only objects of one kind, with the same draw methods and properties, share them
	if (m_type != o->m_type || m_dmMenu != o->m_dmMenu || m_properties != o->m_properties) return -1;
	const int M = m_properties;

	if ((M & OP_NAME) && m_name != o->m_name) {
		propertiesChanged |= OP_NAME;
		m_name = o->m_name;
	}

	// the colours and alphas only when asked to; each reported when it differs
	const float *mine[3] = {m_fgColor, m_bgColor, m_olColor};
	const float *theirs[3] = {o->m_fgColor, o->m_bgColor, o->m_olColor};
	const int bits[3] = {OP_FG_COLOR, OP_BG_COLOR, OP_OL_COLOR};
	if (forceFlag & FF_COPY_COLORS) {
		for (int i = 0; i < 3; i++)
			if ((M & bits[i]) && std::memcmp(mine[i], theirs[i], 3 * sizeof(float)) != 0) propertiesChanged |= bits[i];
		copyColors(o);
	}
	if (forceFlag & FF_COPY_ALPHAS) {
		for (int i = 0; i < 3; i++)
			if ((M & bits[i]) && mine[i][3] != theirs[i][3]) propertiesChanged |= bits[i];
		copyAlphas(o);
	}

	// of the draw-mode bits, only the forced ones are taken
	if ((M & OP_DRAW_MODE) && m_drawMode != o->m_drawMode) {
		propertiesChanged |= OP_DRAW_MODE;
		m_drawMode = (m_drawMode & ~forceFlag) | (forceFlag & o->m_drawMode);
	}

	if ((M & OP_DRAW_METHOD) && m_dmMenuIdx != o->m_dmMenuIdx && (forceFlag & FF_COPY_DRAW_METHOD)) {
		propertiesChanged |= OP_DRAW_METHOD;
		m_dmMenuIdx = o->m_dmMenuIdx;
	}

	if ((M & OP_FONT_SIZE) && m_fontSize != o->m_fontSize) {
		propertiesChanged |= OP_FONT_SIZE;
		m_fontSize = o->m_fontSize;
	}
	return 0;
}

bool object::noteFailure(const std::string &key)
{
	if (failedOn(key)) return false;
	m_failed = true;
	m_failureKey = key;
	return true;
}

int object::setFontSize(float size)
{
	m_fontSize = std::max(size, sc_minFontSize);
	return 0;
}

int object::translate(glwindow * /*window*/, double depth, double motionX, double motionY)
{
	std::printf("Translate %f, %f %f\n", depth, motionX, motionY);
	return 0;
}

std::string object::toString(const char * /*floatPrec*/) { return std::string(); }

const double *object::getPoint(int /*idx*/) const { return nullptr; }

const double *object::getNormal(int /*idx*/) const { return nullptr; }

// --- showing -------------------------------------------------------------------------

int object::hide()
{
	m_drawMode |= DM_HIDE;
	return 0;
}

int object::show()
{
	m_drawMode &= ~DM_HIDE;
	return 0;
}

int object::toggleHide()
{
	m_drawMode ^= DM_HIDE;
	return 0;
}

// --- colours ------------------------------------------------------------------------

int object::storeColor(float *dst, const float *c)
{
	std::copy(c, c + 4, dst);
	return 0;
}

int object::storeColor(float *dst, const double *c)
{
	for (int i = 0; i < 4; i++) dst[i] = (float)c[i];
	return 0;
}

int object::setFgColor(const double *c)
{
	storeColor(m_fgColor, c);
	return colorFgChanged();
}

int object::setBgColor(const double *c)
{
	storeColor(m_bgColor, c);
	return colorBgChanged();
}

int object::setOlColor(const double *c)
{
	storeColor(m_olColor, c);
	return colorOlChanged();
}

int object::setFgAlpha(float alpha)
{
	m_fgColor[3] = alpha;
	return colorFgChanged();
}

int object::setBgAlpha(float alpha)
{
	m_bgColor[3] = alpha;
	return colorBgChanged();
}

int object::setOlAlpha(float alpha)
{
	m_olColor[3] = alpha;
	return colorOlChanged();
}

float object::shownComponent(const float *c, int idx) const
{
	if (idx < 0 || idx > 3) return 0.0f;
	// the fade reaches the screen through the alpha only
	return idx == 3 ? c[3] * m_fadeCurrentFactor : c[idx];
}

int object::copyColors(const object *o)
{
	std::copy(o->m_fgColor, o->m_fgColor + 3, m_fgColor);
	std::copy(o->m_bgColor, o->m_bgColor + 3, m_bgColor);
	std::copy(o->m_olColor, o->m_olColor + 3, m_olColor);
	return 0;
}

int object::copyAlphas(const object *o)
{
	m_fgColor[3] = o->m_fgColor[3];
	m_bgColor[3] = o->m_bgColor[3];
	m_olColor[3] = o->m_olColor[3];
	return 0;
}
