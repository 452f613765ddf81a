#pragma once
// The socket routines under the command server: switching the network on,
// the options every client socket gets, closing, and telling a call that
// would block from one that failed.  All sockets are BSD sockets on IPv4.

// Marks the network as initialised; nothing to do on this system.  Always 0.
int netInit();
// Switches Nagle's algorithm off (TCP_NODELAY): small command replies go out
// at once.  0, or -1 when the option cannot be set.
int disableSocketNagle(int socket);
// Closes *socket when it is valid and sets it to -1.
void closeSocket(int *socket);
// Adds O_NONBLOCK to the socket's flags.  0 or -1.
int setSocketNonBlocking(int socket);
// 1 when the last socket call failed only because it would have blocked.
int socketWouldBlock();

// The port number written in text, as the command server reads it: decimal
// digits after optional blanks and sign, saturated to the int range; 0 for a
// null text or a text without digits.  Numbers outside 1..65535 are no
// ports, and the caller says so.
int netPortNumber(const char *text);
