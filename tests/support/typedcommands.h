#pragma once
// A fixture for tests that type commands into the console of a state
// without a user interface, as the console widget passes them.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/consoleglobalscope.h"
#include "state/state.h"

class typedCommands : public testing::Test {
protected:
	state m_state;

	// Runs one typed line; returns what it printed.
	std::string typed(const char *line)
	{
		testing::internal::CaptureStdout();
		g_consoleCommandCallback(line, &m_state);
		return testing::internal::GetCapturedStdout();
	}
	// The scalar part of the global variable name, cast to e3ga.
	double value(const char *name)
	{
		e3ga v;
		m_state.m_globalScope->externalLookupVariable(name, 1, v);
		return v.scalar();
	}
};
