// The state's command servers: opening and closing ports, the status
// summary, the text that tells clients about objects, and the timer's
// network step.
#include <cstdlib>

#include "net/net.h"
#include "net/netserver.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// Marks the state as polling for as long as it lives, also when a command
// run by the poll throws.
class pollingScope {
public:
	explicit pollingScope(bool &flag) : m_flag(flag) { m_flag = true; }
	~pollingScope() { m_flag = false; }
	pollingScope(const pollingScope &) = delete;
	pollingScope &operator=(const pollingScope &) = delete;

private:
	bool &m_flag;
};

} // namespace

void state::decideNetwork()
{
	if (m_nbNetServers >= 0) return;
	m_nbNetServers = 0;
	openNetServer(sc_defaultNetPort);
}

int state::openNetServer(const char *port)
{
	if (m_netPolling) {
		m_netRequests.push_back({NET_OPEN, port != nullptr ? port : ""});
		return 0;
	}
	// a port opened before the first poll comes after the default one
	decideNetwork();
	netServer *server = nullptr;
	try {
		server = new netServer(port);
	} catch (int) {
		// the server has said why
		return -1;
	}
	netServer **grown = (netServer **)std::realloc(m_netServers, sizeof(netServer *) * (m_nbNetServers + 1));
	if (grown == nullptr) {
		delete server;
		return -1;
	}
	m_netServers = grown;
	m_netServers[m_nbNetServers++] = server;
	return 0;
}

int state::closeNetServer(const char *port)
{
	if (m_netPolling) {
		m_netRequests.push_back({NET_CLOSE, port != nullptr ? port : ""});
		return 0;
	}
	const int number = netPortNumber(port);
	for (int i = 0; i < m_nbNetServers; i++) {
		if (m_netServers[i]->m_listenPort != number) continue;
		delete m_netServers[i];
		// the last server takes the place
		m_netServers[i] = m_netServers[--m_nbNetServers];
		return 0;
	}
	cprintf("No server listening on port %s", port != nullptr ? port : "");
	return -1;
}

int state::closeNetServers()
{
	if (m_netPolling) {
		m_netRequests.push_back({NET_CLOSE_ALL, std::string()});
		return 0;
	}
	for (int i = 0; i < m_nbNetServers; i++) delete m_netServers[i];
	std::free(m_netServers);
	m_netServers = nullptr;
	m_nbNetServers = 0;
	return 0;
}

int state::displayNetStatus()
{
	if (m_nbNetServers == 0)
		cprintf("Network connections disabled; use add_net_port(port#) to start listening on port#. ");
	for (int i = 0; i < m_nbNetServers; i++) m_netServers[i]->displayNetStatus();
	return 0;
}

std::string state::createNetMessage(const std::set<std::string> &names)
{
	std::string message;
	for (const std::string &name : names) {
		object *obj = getObjectPtrByName(name);
		if (obj == nullptr) continue;
		const std::string text = obj->toString(sc_netNumberFormat);
		if (text.empty()) continue;
		message += text;
		message += obj->hidden() ? ";$" : ",$";
	}
	return message;
}

int state::pollNetServers()
{
	// a command run by the poll may run the event loop, whose timer comes
	// back here: the servers are being walked already
	if (m_netPolling) return 0;
	decideNetwork();

	// the objects changed since the last step, to every client
	if (!m_netVarChanges.empty()) {
		bool clients = false;
		for (int i = 0; i < m_nbNetServers; i++) clients = clients || !m_netServers[i]->m_clients.empty();
		if (clients) {
			const std::string message = createNetMessage(m_netVarChanges);
			if (!message.empty())
				for (int i = 0; i < m_nbNetServers; i++) m_netServers[i]->sendMessage(message);
		}
		m_netVarChanges.clear();
	}

	{
		pollingScope polling(m_netPolling);
		for (int i = 0; i < m_nbNetServers; i++) m_netServers[i]->poll();
	}
	runNetRequests();
	return 0;
}

void state::runNetRequests()
{
	std::vector<netRequest> requests;
	requests.swap(m_netRequests);
	for (const netRequest &r : requests) {
		switch (r.type) {
		case NET_OPEN: openNetServer(r.port.c_str()); break;
		case NET_CLOSE: closeNetServer(r.port.c_str()); break;
		case NET_CLOSE_ALL: closeNetServers(); break;
		}
	}
}
