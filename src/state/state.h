#pragma once
// The application state: one instance, reached through g_state, holding what
// the program computes and shows apart from the widgets.
#include <string>

class consoleGlobalScope;

class state {
public:
	state();
	~state();
	state(const state &) = delete;
	state &operator=(const state &) = delete;

	void initToNothing();

	// the console's global scope
	consoleGlobalScope *m_globalScope;
	// directory against which relative file names are resolved
	std::string m_workingDirectory;
	// foreground colour (red, green, blue, alpha) that new values and objects take
	float m_fgColor[4];
};

extern state *g_state;
