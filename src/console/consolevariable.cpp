#include "console/consolevariable.h"

#include <cmath>
#include <cstdio>
#include <new>

#include "state/state.h"

namespace {

// Draw-mode bits that values set or clear themselves.
constexpr int sc_dmMagnitude = 0x20; // size from weight: the default of a new value
constexpr int sc_dmHide = 0x40;
constexpr int sc_dmInternal = 0x100; // maintained by the program itself

// Force flags: which drawing attributes the user set explicitly.
constexpr int sc_ffStipple = 0x1;
constexpr int sc_ffOri = 0x2;
constexpr int sc_ffWireframe = 0x8;
constexpr int sc_ffShade = 0x10;
constexpr int sc_ffMagnitude = 0x20;
constexpr int sc_ffHide = 0x40;
constexpr int sc_ffOutline = 0x80;
constexpr int sc_ffColor = 0x8000;
constexpr int sc_ffAlpha = 0x10000;
constexpr int sc_ffDrawMethod = 0x20000;

// Tolerance of the classification that decides whether a value is a blade:
// rounding noise of a few products, far below any coordinate a user types.
constexpr double sc_gradeEpsilon = 1e-14;

} // namespace

consoleVariable::consoleVariable(const std::string &name, const e3ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const p3ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const c3ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const i2ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const e3ga *mv)
{
	initToNothing();
	set(name, mv);
}

consoleVariable::consoleVariable(const std::string &name, const p3ga *mv)
{
	initToNothing();
	set(name, mv);
}

consoleVariable::consoleVariable(const std::string &name, const c3ga *mv)
{
	initToNothing();
	set(name, mv);
}

consoleVariable::consoleVariable(const std::string &name, const i2ga *mv)
{
	initToNothing();
	set(name, mv);
}


consoleVariable::consoleVariable(const std::string &name, const consoleVariable *cv)
{
	initToNothing();
	m_name = name.empty() ? cv->m_name : name;
	visitModel(cv->m_model, cv->m_mv, [&](const auto &mv) { setMV(m_name, &mv); });
	m_op = cv->m_op;
	m_flags = cv->m_flags;
	m_forceFlags = cv->m_forceFlags;
	m_creationFlags = cv->m_creationFlags;
	color4(cv->m_color);
	// the copy is the user's own, and shown unless hiding was asked for explicitly
	int cleared = (cv->m_forceFlags & sc_ffHide) ? sc_dmInternal : sc_dmInternal | sc_dmHide;
	m_drawMode = cv->m_drawMode & ~cleared;
}

consoleVariable::consoleVariable(const consoleVariable &cv)
{
	initToNothing();
	set(cv);
}

consoleVariable &consoleVariable::operator=(const consoleVariable &cv)
{
	if (&cv != this) set(cv);
	return *this;
}

consoleVariable::~consoleVariable()
{
	deleteMV();
	initToNothing();
}

int consoleVariable::set(const std::string &name, const e3ga *mv) { return setMV(name, mv); }
int consoleVariable::set(const std::string &name, const p3ga *mv) { return setMV(name, mv); }
int consoleVariable::set(const std::string &name, const c3ga *mv) { return setMV(name, mv); }
int consoleVariable::set(const std::string &name, const i2ga *mv) { return setMV(name, mv); }

template <class V> int consoleVariable::setMV(const std::string &name, const V *mv)
{
	m_name = name;
	m_drawMode = sc_dmMagnitude;
	if (g_state != nullptr) color4(g_state->m_fgColor);
	// copied before the old one goes, since mv may be the value held now
	V *copy = new (std::nothrow) V(*mv);
	if (copy == nullptr) return -1;
	deleteMV();
	m_mv = copy;
	m_model = consoleModel<V>::code;
	return 0;
}

int consoleVariable::set(const consoleVariable &cv)
{
	if (&cv == this) return 0;
	m_name = cv.m_name;
	m_op = cv.m_op;
	m_flags = cv.m_flags;
	deleteMV();
	visitModel(cv.m_model, cv.m_mv, [&](const auto &mv) {
		m_mv = new modelValue<decltype(mv)>(mv);
		m_model = cv.m_model;
	});
	m_drawMode = cv.m_drawMode;
	m_forceFlags = cv.m_forceFlags;
	color4(cv.m_color);
	return 0;
}

void consoleVariable::initToNothing()
{
	m_next = nullptr;
	m_mv = nullptr;
	m_model = 0;
	m_op = 0;
	m_flags = 0;
	m_drawMode = 0;
	m_creationFlags = 0;
	m_forceFlags = 0;
	color4(0.0f, 0.0f, 0.0f, 0.0f);
}

void consoleVariable::deleteMV()
{
	visitModel(m_model, m_mv, [](auto &mv) { delete &mv; });
	m_mv = nullptr;
	m_model = 0;
}

// --- fields --------------------------------------------------------------------

int consoleVariable::name(const std::string &name)
{
	m_name = name;
	return 0;
}

int consoleVariable::op(int op)
{
	m_op = op;
	return 0;
}

int consoleVariable::drawMode(int drawMode)
{
	m_drawMode = drawMode;
	return 0;
}

int consoleVariable::creationFlags(int creationFlags)
{
	m_creationFlags = creationFlags;
	return 0;
}

int consoleVariable::modifiedColor() { return addForceFlag(sc_ffColor); }
int consoleVariable::modifiedAlpha() { return addForceFlag(sc_ffAlpha); }
int consoleVariable::modifiedDrawMethod() { return addForceFlag(sc_ffDrawMethod); }
int consoleVariable::modifiedHide() { return addForceFlag(sc_ffHide); }
int consoleVariable::modifiedStipple() { return addForceFlag(sc_ffStipple); }
int consoleVariable::modifiedOri() { return addForceFlag(sc_ffOri); }
int consoleVariable::modifiedWireframe() { return addForceFlag(sc_ffWireframe); }
int consoleVariable::modifiedOutline() { return addForceFlag(sc_ffOutline); }
int consoleVariable::modifiedMagnitude() { return addForceFlag(sc_ffMagnitude); }
int consoleVariable::modifiedShade() { return addForceFlag(sc_ffShade); }

int consoleVariable::addForceFlag(int bit)
{
	m_forceFlags |= bit;
	return 0;
}

int consoleVariable::color4(const float *rgba) { return color4(rgba[0], rgba[1], rgba[2], rgba[3]); }

int consoleVariable::color4(float r, float g, float b, float a)
{
	color3(r, g, b);
	return alpha(a);
}

int consoleVariable::color3(const float *rgb) { return color3(rgb[0], rgb[1], rgb[2]); }

int consoleVariable::color3(float r, float g, float b)
{
	m_color[0] = r;
	m_color[1] = g;
	m_color[2] = b;
	return 0;
}

int consoleVariable::alpha(float a)
{
	m_color[3] = a;
	return 0;
}

int consoleVariable::setFlag(int mask, int on)
{
	m_flags = (m_flags & ~mask) | (on ? mask : 0);
	return 0;
}

// --- values and their forms --------------------------------------------------------

int consoleVariable::grade() const
{
	int result = -1;
	visitModel(m_model, m_mv, [&](const auto &mv) {
		int bit = 0;
		if (mv.mvType(&bit, sc_gradeEpsilon) != ga::MVT_BLADE || bit <= 0) return;
		// the grade is the position of the grade-usage bit
		result = (int)(std::log((double)bit) / std::log(2.0) + 0.45);
	});
	return result;
}

int consoleVariable::isTrue() const
{
	int result = 0;
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.norm_a() != 0.0; });
	return result;
}

double consoleVariable::scalar() const
{
	double result = 0.0;
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.scalar(); });
	return result;
}

const char *consoleVariable::string() const
{
	const char *result = "unknown model";
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.string("%e"); });
	return result;
}

int consoleVariable::print(const char *prefix) const
{
	if (!visitModel(m_model, m_mv, [&](const auto &mv) { mv.print(prefix, "%f"); }))
		std::printf("%s: unknown model\n", prefix);
	return 0;
}

// --- free functions ------------------------------------------------------------------

void consoleVariableFree(void *cv) { delete static_cast<consoleVariable *>(cv); }

consoleVariable *consoleEmptyScalar() { return new consoleVariable("", e3ga(0.0)); }

consoleVariable *consoleVariableScalar(const char *name, double x)
{
	consoleVariable *cv = new consoleVariable(name ? name : "", e3ga(x));
	cv->rhs(1);
	return cv;
}

int consoleVariableSetLhs(void *cv, int on) { return static_cast<consoleVariable *>(cv)->lhs(on); }

int consoleVariableSetRhs(void *cv, int on) { return static_cast<consoleVariable *>(cv)->rhs(on); }

int consoleVariableSetOperator(void *cv, int op) { return static_cast<consoleVariable *>(cv)->op(op); }

int consolePrintVariableModel(void *cv)
{
	std::printf("consolePrintVariableType: %08X\n", static_cast<consoleVariable *>(cv)->model());
	return 0;
}
