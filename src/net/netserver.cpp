#include "net/netserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cstring>
#include <set>

#include "net/net.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// Closes the half-built listening socket and throws what the failing call gave.
[[noreturn]] void failSetup(int *socket, int result)
{
	closeSocket(socket);
	throw result < 0 ? result : -1;
}

} // namespace

netServer::netServer(const char *port) : m_listenPort(netPortNumber(port)), m_listenSocket(-1)
{
	const char *text = port != nullptr ? port : "";
	if (m_listenPort < sc_minPort || m_listenPort > sc_maxPort) {
		cprintf("netServer::netServer(): invalid port %s\n", text);
		throw -1;
	}
	netInit();

	m_listenSocket = socket(AF_INET, SOCK_STREAM, 0);
	if (m_listenSocket < 0) {
		cprintf("netServer::netServer(): could not create server socket on port %s\n", text);
		failSetup(&m_listenSocket, m_listenSocket);
	}
	// a port left in TIME_WAIT by an earlier run can be taken again at once
	int on = 1;
	setsockopt(m_listenSocket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);

	// the loopback interface only
	sockaddr_in address;
	std::memset(&address, 0, sizeof address);
	address.sin_family = AF_INET;
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	address.sin_port = htons((unsigned short)m_listenPort);
	int result = bind(m_listenSocket, (const sockaddr *)&address, sizeof address);
	if (result != 0) {
		// the port and the system's reason tell the user whether another
		// program holds the port or it is refused for another cause
		const int reason = errno;
		cprintf("netServer::netServer(): could not bind server socket. Port %d: %s\n", m_listenPort,
		        std::strerror(reason));
		failSetup(&m_listenSocket, result);
	}

	// a connection that goes away between the poll and accept must not
	// block the tick
	result = setSocketNonBlocking(m_listenSocket);
	if (result == 0) result = listen(m_listenSocket, sc_listenBacklog);
	if (result != 0) {
		cprintf("Could not listen() server socket %s\n", text);
		failSetup(&m_listenSocket, result);
	}
	cprintf("Server socket setup correctly at port %d\n", m_listenPort);
}

netServer::~netServer()
{
	// no one may connect once a client has seen its connection end
	closeSocket(&m_listenSocket);
	for (netClient &c : m_clients) closeSocket(&c.m_socket);
	m_clients.clear();
}

int netServer::poll()
{
	if (m_listenSocket < 0) {
		cprintf("netServer::poll(): listen socket is invalid\n");
		return -1;
	}

	// the listening socket and every open client; writing is asked for
	// only where text waits
	m_pollSet.clear();
	m_pollClient.clear();
	m_pollSet.push_back(pollfd{m_listenSocket, POLLIN, 0});
	for (size_t i = 0; i < m_clients.size(); i++) {
		const netClient &c = m_clients[i];
		if (c.m_socket < 0) continue;
		short events = POLLIN;
		if (!c.m_sendBuffer.empty()) events |= POLLOUT;
		m_pollSet.push_back(pollfd{c.m_socket, events, 0});
		m_pollClient.push_back((int)i);
	}
	int ready = ::poll(m_pollSet.data(), m_pollSet.size(), 0);
	if (ready < 0) {
		cprintf("netServer::poll(): select() failed\n");
		return -1;
	}

	// a waiting connection; the new client's entry is not in this pass
	if (m_pollSet[0].revents != 0) acceptClient();

	// the clients that can read or write, or whose peer went away
	for (size_t k = 1; k < m_pollSet.size(); k++) {
		if (m_pollSet[k].revents == 0) continue;
		const int i = m_pollClient[k - 1];
		if (pollClient(i) < 0) dropClient(i);
	}

	// the dropped clients go: the last takes the place of each, which is
	// then examined again
	for (size_t i = 0; i < m_clients.size();) {
		if (m_clients[i].m_socket >= 0) {
			i++;
			continue;
		}
		if (i + 1 < m_clients.size()) m_clients[i] = std::move(m_clients.back());
		m_clients.pop_back();
	}
	return ready > 0 ? 0 : -1;
}

int netServer::acceptClient()
{
	sockaddr_in address;
	socklen_t length = sizeof address;
	int s = accept(m_listenSocket, (sockaddr *)&address, &length);
	// a connection that went away before it was accepted leaves nothing
	if (s < 0) return -1;
	const std::string name = inet_ntoa(address.sin_addr);
	cprintf("Accepted network connection from %s\n", name.c_str());
	if (setSocketNonBlocking(s) != 0) {
		cprintf("netServer::acceptClient(): non-fatal error: could not set client socket to non-blocking (closing "
		        "connection to client)\n");
		closeSocket(&s);
		return -1;
	}
	if (disableSocketNagle(s) != 0) {
		cprintf("netServer::acceptClient(): non-fatal error: could not disable Nagle algorithm (closing connection "
		        "to client)\n");
		closeSocket(&s);
		return -1;
	}
	m_clients.emplace_back(s, name);
	// a new client first learns every object
	if (g_state != nullptr) {
		std::set<std::string> names;
		for (const state::objectMap::value_type &entry : g_state->m_objects) names.insert(names.end(), *entry.first);
		m_clients.back().m_sendBuffer = g_state->createNetMessage(names);
	}
	return 0;
}

int netServer::pollClient(int i)
{
	if (recvClient(i) < 0) return -1;
	return sendClient(i);
}

int netServer::recvClient(int i)
{
	char chunk[sc_recvChunk];
	size_t received = 0;
	for (;;) {
		ssize_t n = recv(m_clients[i].m_socket, chunk, sizeof chunk, 0);
		if (n < 0 && (socketWouldBlock() || errno == EINTR)) break;
		if (n <= 0) {
			cprintf("socket error during recv() message type (probably just 'connection closed')\n");
			dropClient(i);
			return -1;
		}
		// a NUL byte is nothing: a C client may end each command with the
		// NUL of its string, and no command after it may be lost
		std::string &buffer = m_clients[i].m_readBuffer;
		std::remove_copy(chunk, chunk + n, std::back_inserter(buffer), '\0');
		received += (size_t)n;
		// more may wait only behind a full chunk; a full buffer waits for the
		// commands it holds to run, and so does a pass that took its share
		if ((size_t)n < sizeof chunk || buffer.size() >= sc_maxPendingCommand || received >= sc_maxReceivePerPass)
			break;
	}
	return processClientCommands(i);
}

int netServer::processClientCommands(int i)
{
	if (g_state == nullptr) return 0;
	// every complete command, from the start of the buffer
	size_t start = 0;
	for (;;) {
		// the command runs the console, which may print: the client is looked
		// up afresh for each command
		const netClient &c = m_clients[i];
		size_t end = c.m_readBuffer.find(sc_terminator, start);
		if (end == std::string::npos) break;
		const std::string command = c.m_readBuffer.substr(start, end - start);
		start = end + 1;
		if (g_state->m_displayNetworkCommands) cprintf("// command from %s: \n%s", c.m_name.c_str(), command.c_str());
		g_state->consoleCommandCallback(command.c_str());
	}
	std::string &buffer = m_clients[i].m_readBuffer;
	buffer.erase(0, start);
	return buffer.size() > sc_maxPendingCommand ? -1 : 0;
}

int netServer::sendClient(int i)
{
	netClient &c = m_clients[i];
	size_t sent = 0;
	while (sent < c.m_sendBuffer.size()) {
		// a peer that has gone away gives an error here, never a signal
		ssize_t n = send(c.m_socket, c.m_sendBuffer.data() + sent, c.m_sendBuffer.size() - sent, MSG_NOSIGNAL);
		if (n > 0) {
			sent += (size_t)n;
			continue;
		}
		if (n < 0 && (socketWouldBlock() || errno == EINTR)) break;
		if (n == 0)
			cprintf("connection to client closed\n");
		else
			cprintf("error during send(), closing connection to client\n");
		dropClient(i);
		return -1;
	}
	c.m_sendBuffer.erase(0, sent);
	return 0;
}

int netServer::sendMessage(const std::string &text)
{
	for (size_t i = 0; i < m_clients.size(); i++) {
		netClient &c = m_clients[i];
		if (c.m_socket < 0) continue;
		c.m_sendBuffer += text;
		// a peer that stopped reading would hold the scene's changes forever
		if (c.m_sendBuffer.size() > sc_maxPendingSend) dropClient((int)i);
	}
	return 0;
}

int netServer::displayNetStatus()
{
	cprintf("Listening on port %d\n", m_listenPort);
	for (const netClient &c : m_clients)
		if (c.m_socket >= 0) cprintf("Client connected from ip: %s\n", c.m_name.c_str());
	return 0;
}

void netServer::dropClient(int i)
{
	netClient &c = m_clients[i];
	closeSocket(&c.m_socket);
	std::string().swap(c.m_readBuffer);
	std::string().swap(c.m_sendBuffer);
}
