#pragma once
// netClient: one connection of the command server, a value kept in the
// server's client list: its socket, the received text not yet run, the text
// not yet sent, and the peer's address.  Copies share the socket; neither a
// copy nor the destructor closes it: the server does.
#include <string>

class netClient {
public:
	netClient();
	explicit netClient(int socket);
	netClient(int socket, const std::string &name);

	// -1 once the connection is closed
	int m_socket;
	// received text after the last command terminator
	std::string m_readBuffer;
	// text not yet taken by the socket
	std::string m_sendBuffer;
	// the peer's IPv4 address in dotted form
	std::string m_name;
};
