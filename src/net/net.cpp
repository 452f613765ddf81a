#include "net/net.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

int netInit() { return 0; }

int disableSocketNagle(int socket)
{
	int on = 1;
	return setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0 ? 0 : -1;
}

void closeSocket(int *socket)
{
	if (socket == nullptr || *socket < 0) return;
	close(*socket);
	*socket = -1;
}

int setSocketNonBlocking(int socket)
{
	int flags = fcntl(socket, F_GETFL, 0);
	if (flags < 0) return -1;
	return fcntl(socket, F_SETFL, flags | O_NONBLOCK) == 0 ? 0 : -1;
}

int socketWouldBlock() { return (errno == EAGAIN || errno == EWOULDBLOCK) ? 1 : 0; }

int netPortNumber(const char *text)
{
	if (text == nullptr) return 0;
	// strtol saturates at the long range, which is then cut to int's
	long value = std::strtol(text, nullptr, 10);
	if (value > INT_MAX) return INT_MAX;
	if (value < INT_MIN) return INT_MIN;
	return (int)value;
}
