#pragma once
// netServer: one listening TCP port of the command server and its clients.
// Other programs send console commands, each ended by "$" (NUL bytes are
// nothing), which run as if typed; they receive the text of the scene's objects: all of them when
// they connect, afterwards those that changed (state::pollNetServers).
// Everything runs from the timer on the user-interface thread through
// non-blocking sockets polled with a zero timeout; there are no threads.
#include <poll.h>

#include <cstddef>
#include <string>
#include <vector>

#include "net/netclient.h"

class netServer {
public:
	// Listens on 127.0.0.1 at the port written in port: the protocol has no
	// authentication and its commands write files and end the program, so
	// it is never offered to other hosts.  Every failure prints its message
	// and throws an int (the failing call's result, or -1).
	explicit netServer(const char *port);
	// Closes every client and the listening socket.
	~netServer();
	netServer(const netServer &) = delete;
	netServer &operator=(const netServer &) = delete;

	// One pass: accepts a waiting connection, serves every client that can
	// read or write and removes the clients that were dropped.  0 after
	// handling, -1 when nothing was ready or on error.
	int poll();
	// Accepts one connection; its send buffer starts with every object.
	int acceptClient();
	// Receives, runs the complete commands and sends; -1 drops the client.
	int pollClient(int i);
	int recvClient(int i);
	int processClientCommands(int i);
	int sendClient(int i);
	// Appends text to every client's send buffer.
	int sendMessage(const std::string &text);
	int displayNetStatus();

	std::vector<netClient> m_clients;
	int m_listenPort;
	// -1 when closed
	int m_listenSocket;

	// the text after which a client's command is complete
	static constexpr char sc_terminator = '$';
	// ports a server can listen on
	static constexpr int sc_minPort = 1;
	static constexpr int sc_maxPort = 65535;
	// connections the system may hold before they are accepted, one a tick
	static constexpr int sc_listenBacklog = 128;
	// bytes taken by one receive
	static constexpr size_t sc_recvChunk = 1024;
	// text a client may send without a terminator: a command longer than
	// this is no command but a stuck or hostile peer
	static constexpr size_t sc_maxPendingCommand = 65536;
	// bytes taken from one client in one pass: one that sends without pause,
	// NUL bytes that make no text included, must not hold the tick
	static constexpr size_t sc_maxReceivePerPass = sc_maxPendingCommand;
	// text a client may leave unread before it is dropped: far above the
	// text of a full scene of thousands of objects, so that only a peer that
	// stopped reading reaches it, before its backlog eats the memory
	static constexpr size_t sc_maxPendingSend = size_t(64) << 20;

private:
	// Closes client i's socket and frees its buffers; the pass removes it.
	void dropClient(int i);

	// the sockets of one pass, kept to spare an allocation per tick, and
	// the client of each entry after the listening socket's
	std::vector<pollfd> m_pollSet;
	std::vector<int> m_pollClient;
};
