#include "net/netclient.h"

namespace {

// The name of a client whose address was not given.
constexpr const char *sc_unknownName = "unknown ip";

} // namespace

netClient::netClient() : netClient(-1) {}

netClient::netClient(int socket) : netClient(socket, sc_unknownName) {}

netClient::netClient(int socket, const std::string &name) : m_socket(socket), m_name(name) {}
