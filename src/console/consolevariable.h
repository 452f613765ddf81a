#pragma once
// The value of the console language: a multivector of one of the four
// algebras under a name, with the drawing attributes that travel with it to
// the scene object of a global variable, an operator code and role flags for
// the evaluation of expressions and calls, and a link that chains values into
// argument and operand lists.
#include <string>

#include "console/consolemodel.h"

class mvInt;

class consoleVariable {
public:
	// next value of an argument or operand chain; not owned
	consoleVariable *m_next;

protected:
	std::string m_name;
	// owned multivector of the class that m_model names, or null
	void *m_mv;
	// model code; 0 while no multivector is held
	int m_model;
	// operator code of an operand inside an expression chain
	int m_op;
	// role flags: lhs, rhs, global, functionArgument
	int m_flags;
	int m_drawMode;
	int m_creationFlags;
	// drawing attributes set explicitly by the user
	int m_forceFlags;
	float m_color[4];

public:
	consoleVariable(const std::string &name, const e3ga &mv);
	consoleVariable(const std::string &name, const p3ga &mv);
	consoleVariable(const std::string &name, const c3ga &mv);
	consoleVariable(const std::string &name, const i2ga &mv);
	consoleVariable(const std::string &name, const e3ga *mv);
	consoleVariable(const std::string &name, const p3ga *mv);
	consoleVariable(const std::string &name, const c3ga *mv);
	consoleVariable(const std::string &name, const i2ga *mv);
	// A copy of cv prepared for reuse under a name (cv's own when name is empty).
	consoleVariable(const std::string &name, const consoleVariable *cv);
	consoleVariable(const consoleVariable &cv);
	consoleVariable &operator=(const consoleVariable &cv);
	~consoleVariable();

	int set(const std::string &name, const e3ga *mv);
	int set(const std::string &name, const p3ga *mv);
	int set(const std::string &name, const c3ga *mv);
	int set(const std::string &name, const i2ga *mv);
	int set(const consoleVariable &cv);
	void initToNothing();

	// --- fields
	int model() const { return m_model; }
	// A temporary without a name of its own reads as the temporaries' name.
	const std::string &name() const
	{
		return (m_flags & sc_temporary) && m_name.empty() ? temporaryName() : m_name;
	}
	int name(const std::string &name);
	int nameEquals(const std::string &name) const { return this->name() == name; }
	int op() const { return m_op; }
	int op(int op);
	int drawMode() const { return m_drawMode; }
	int drawMode(int drawMode);
	int creationFlags() const { return m_creationFlags; }
	int creationFlags(int creationFlags);
	int forceFlags() const { return m_forceFlags; }
	int modifiedColor();
	int modifiedAlpha();
	int modifiedDrawMethod();
	int modifiedHide();
	int modifiedStipple();
	int modifiedOri();
	int modifiedWireframe();
	int modifiedOutline();
	int modifiedMagnitude();
	int modifiedShade();
	float *color() { return m_color; }
	const float *color() const { return m_color; }
	int color4(const float *rgba);
	int color4(float r, float g, float b, float a);
	int color3(const float *rgb);
	int color3(float r, float g, float b);
	int alpha(float a);
	float alpha() const { return m_color[3]; }
	void next(consoleVariable *n) { m_next = n; }
	consoleVariable *next() const { return m_next; }
	int lhs() const { return getFlag(sc_lhs); }
	int rhs() const { return getFlag(sc_rhs); }
	int global() const { return getFlag(sc_global); }
	int functionArgument() const { return getFlag(sc_functionArgument); }
	int lhs(int on) { return setFlag(sc_lhs, on); }
	int rhs(int on) { return setFlag(sc_rhs, on); }
	int global(int on) { return setFlag(sc_global, on); }
	int functionArgument(int on) { return setFlag(sc_functionArgument, on); }
	int temporary(int on) { return setFlag(sc_temporary, on); }
	int borrowedName(int on) { return setFlag(sc_borrowedName, on); }
	int objectLook() const { return getFlag(sc_objectLook); }
	int objectLook(int on) { return setFlag(sc_objectLook, on); }
	// Whether the value is known by a name the user gave it: not a
	// temporary without a name of its own, nor a number written as it is
	// (named by its digits), nor a call's result, nor a value with the
	// empty name, nor the console's answer. Any text a quoted name holds
	// is a name, digits first or not.
	bool userNamed() const;

	// --- values and their forms
	// The held multivector when it is of that algebra, else the algebra's zero.
	const e3ga &e() const { return held<e3ga>(); }
	const p3ga &p() const { return held<p3ga>(); }
	const c3ga &c() const { return held<c3ga>(); }
	const i2ga &i2() const { return held<i2ga>(); }
	int grade() const;
	int isTrue() const;
	// Whether every coordinate is a finite number; true for a value of no model.
	bool isFinite() const;
	double scalar() const;
	// Text form with coordinate format "%e", in the algebra's rotating buffers.
	const char *string() const;
	// Text form in which every coordinate reads back as exactly the same
	// double, for texts that are stored and read again: the basis vectors
	// are named as the console names them now. The text is read in the
	// value's own model; coordinates that are no finite number are
	// expressions that make them.
	std::string exactString() const;
	int print(const char *prefix) const;
	// A new interpretation of the value with creation flags 0, owned by the
	// caller; null for a value of no model.
	mvInt *interpretation() const;

	// New values converted to a model, owned by the caller; null for a value of no model.
	consoleVariable *castToE3ga() const;
	consoleVariable *castToP3ga() const;
	consoleVariable *castToC3ga() const;
	consoleVariable *castToI2ga() const;

	// role flags in m_flags
	static constexpr int sc_lhs = 0x40000000;
	static constexpr int sc_rhs = 0x20000000;
	static constexpr int sc_global = 0x08000000;
	static constexpr int sc_functionArgument = 0x04000000;
	// made by a call or an operator: named by a flag rather than a copy of
	// the temporaries' name, which would allocate for every result
	static constexpr int sc_temporary = 0x02000000;
	// a name that is not the user's until the value is named anew: a
	// number written in the text, named by its digits, or a call's result,
	// which may carry a name from inside the call (a function's parameter);
	// a copy keeps the flag
	static constexpr int sc_borrowedName = 0x01000000;
	// read from a scene object, whose colour and alpha it carries: an
	// attribute function applied to it keeps them unless it sets them, so
	// that "v = alpha(v, 0.5)" keeps the colour of v; a call's result, and
	// so any value computed from it, is coloured anew
	static constexpr int sc_objectLook = 0x00800000;
	// sc_tempVarPrefix, held once
	static const std::string &temporaryName();

protected:
	void deleteMV();
	int getFlag(int mask) const { return m_flags & mask; }
	int setFlag(int mask, int on);

private:
	int addForceFlag(int bit);
	template <class V> int setMV(const std::string &name, const V *mv);
	template <class V> const V &held() const;
	template <class T> consoleVariable *castTo() const;
};

template <class V> const V &consoleVariable::held() const
{
	// shared by every value and never written
	static const V zero;
	return m_model == consoleModel<V>::code ? *static_cast<const V *>(m_mv) : zero;
}

// The start of the names of the interpreter's temporary values; such a
// value is shown as sc_answerName.
constexpr const char *sc_tempVarPrefix = "temporary console variable ";
// The variable in which the console leaves the value of a displayed
// statement that assigned nothing: a temporary too, gone after the next
// statement, whatever name the user reads it by.
constexpr const char *sc_answerName = "ans";
// The program's own variables that hold the camera: its orientation (a
// rotor) and its position (a vector).
constexpr const char *sc_camOriName = "camori";
constexpr const char *sc_camPosName = "campos";

// The shortest decimal text that reads back as exactly d; infinity and NaN
// as console expressions that make them ("1e999", "(1e999 - 1e999)").
std::string consoleNumberText(double d);

// Destroys and frees a value given as an untyped pointer; null is ignored.
void consoleVariableFree(void *cv);
// The value of a statement without a value of its own: a new e3ga scalar
// 0.0 with the empty name.
consoleVariable *consoleEmptyScalar();
// A new e3ga scalar x under that name, flagged rhs.
consoleVariable *consoleVariableScalar(const char *name, double x);
// Makes v the user's own value when it was read from one of the program's
// own variables (camori, campos, atime, autocolor): the internal bit goes,
// and the hiding that came with it unless hiding was asked for explicitly,
// as in the constructor from another value. A user's variable assigned
// from it is then an ordinary variable: displayed, shown and saved. Only
// the program's own assignments of its variables keep the bit.
void consoleVariableMakeOwn(consoleVariable *v);
// v itself, named as a temporary when it has no name of its own: the name
// the interpreter gives the values that its calls and operators make.
consoleVariable *consoleTemporary(consoleVariable *v);
int consoleVariableSetLhs(void *cv, int on);
int consoleVariableSetRhs(void *cv, int on);
int consoleVariableSetOperator(void *cv, int op);
int consolePrintVariableModel(void *cv);
