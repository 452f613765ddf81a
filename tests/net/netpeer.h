#pragma once
// The other end of the command server for tests and benchmarks: a TCP
// client on 127.0.0.1, and a server of a state polled in-process by hand
// in place of the timer.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "state/state.h"

// A port nobody listens on now: the system's choice for port 0.
inline int freeNetPort()
{
	int s = socket(AF_INET, SOCK_STREAM, 0);
	sockaddr_in a;
	std::memset(&a, 0, sizeof a);
	a.sin_family = AF_INET;
	a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	socklen_t len = sizeof a;
	int port = -1;
	if (bind(s, (sockaddr *)&a, sizeof a) == 0 && getsockname(s, (sockaddr *)&a, &len) == 0) port = ntohs(a.sin_port);
	close(s);
	return port;
}

// Opens a server of st on a free port; the port, or -1.
inline int openFreeNetServer(state &st)
{
	// another program may take the port between the probe and the bind
	for (int attempt = 0; attempt < 10; attempt++) {
		int port = freeNetPort();
		int before = st.m_nbNetServers;
		st.openNetServer(std::to_string(port).c_str());
		if (st.m_nbNetServers > before) return port;
	}
	return -1;
}

// Polls st, as the timer does, until done() holds; false when a few seconds
// passed without.
inline bool pollNetUntil(state &st, const std::function<bool()> &done)
{
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
	for (;;) {
		st.pollNetServers();
		if (done()) return true;
		if (std::chrono::steady_clock::now() > end) return false;
		std::this_thread::sleep_for(std::chrono::microseconds(200));
	}
}

class netPeer {
public:
	explicit netPeer(int port) : m_socket(socket(AF_INET, SOCK_STREAM, 0))
	{
		sockaddr_in a;
		std::memset(&a, 0, sizeof a);
		a.sin_family = AF_INET;
		a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		a.sin_port = htons((unsigned short)port);
		if (connect(m_socket, (sockaddr *)&a, sizeof a) != 0) closeNow();
		int on = 1;
		if (m_socket >= 0) setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
	}
	~netPeer() { closeNow(); }
	netPeer(const netPeer &) = delete;
	netPeer &operator=(const netPeer &) = delete;

	bool connected() const { return m_socket >= 0; }
	bool send(const std::string &text)
	{
		size_t sent = 0;
		while (sent < text.size()) {
			ssize_t n = ::send(m_socket, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
			if (n <= 0) return false;
			sent += (size_t)n;
		}
		return true;
	}
	// Appends what has arrived to m_received; false once the server closed
	// the connection (end of stream or reset).
	bool take()
	{
		char buf[4096];
		for (;;) {
			ssize_t n = recv(m_socket, buf, sizeof buf, MSG_DONTWAIT);
			if (n > 0) {
				m_received.append(buf, (size_t)n);
				continue;
			}
			if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
			return false;
		}
	}
	// Everything received up to and including the first text, which is
	// taken away; polls st while it waits. Empty when it never came.
	std::string receiveThrough(state &st, const std::string &text)
	{
		pollNetUntil(st, [&] {
			take();
			return m_received.find(text) != std::string::npos;
		});
		size_t p = m_received.find(text);
		if (p == std::string::npos) return std::string();
		std::string head = m_received.substr(0, p + text.size());
		m_received.erase(0, p + text.size());
		return head;
	}
	// Whether the server closes the connection while st is polled.
	bool closedBy(state &st)
	{
		return pollNetUntil(st, [&] { return !take(); });
	}
	// Goes away with a reset instead of an orderly close.
	void reset()
	{
		linger l = {1, 0};
		setsockopt(m_socket, SOL_SOCKET, SO_LINGER, &l, sizeof l);
		closeNow();
	}
	void closeNow()
	{
		if (m_socket >= 0) close(m_socket);
		m_socket = -1;
	}

	int m_socket;
	std::string m_received;
};
