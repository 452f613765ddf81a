// The console's commands on the network command servers: open a port, close
// one or all, and the summary of ports and connections.
#include <climits>
#include <cmath>
#include <cstdio>

#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "state/state.h"

namespace {

consoleVariable *nothing() { return new consoleVariable("", e3ga(0.0)); }

// The port an argument names, in the text the servers read: its scalar
// toward zero, saturated to the int range, NaN as 0; numbers that are no
// port reach the server, which says so.
std::string portText(consoleVariable *arg)
{
	const double s = arg->scalar();
	int port = 0;
	if (s >= (double)INT_MAX)
		port = INT_MAX;
	else if (s <= (double)INT_MIN)
		port = INT_MIN;
	else if (!std::isnan(s))
		port = (int)s;
	char text[16];
	std::snprintf(text, sizeof text, "%d", port);
	return text;
}

} // namespace

consoleVariable *cf_add_net_port(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->openNetServer(portText(a[0]).c_str());
	return nothing();
}

consoleVariable *cf_remove_net_port(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->closeNetServer(portText(a[0]).c_str());
	return nothing();
}

consoleVariable *cf_net_status(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->displayNetStatus();
	return nothing();
}

consoleVariable *cf_net_close(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->closeNetServers();
	return nothing();
}
