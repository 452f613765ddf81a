#include "state/state.h"

state *g_state = nullptr;

state::state()
{
	g_state = this;
	initToNothing();
	// the default foreground colour is red
	m_fgColor[0] = 1.0f;
	m_fgColor[1] = 0.0f;
	m_fgColor[2] = 0.0f;
	m_fgColor[3] = 1.0f;
}

state::~state()
{
	initToNothing();
	// no one may reach a state that is gone
	if (g_state == this) g_state = nullptr;
}

void state::initToNothing()
{
	m_globalScope = nullptr;
	m_workingDirectory.clear();
	for (float &c : m_fgColor) c = 0.0f;
}
