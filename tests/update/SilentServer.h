#pragma once
// A server that lets clients connect and never reads a byte: a request body stops moving as soon as
// the socket buffers between the two are full. It listens while the object lives.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace update_test {

class SilentServer {
public:
    SilentServer() : listener_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        // The system completes the connections it queues; they take over this small receive buffer.
        const int receiveBuffer = 4096;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (listener_ < 0 || setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer) != 0
            || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4) != 0
            || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            if (listener_ >= 0)
                close(listener_);
            throw std::runtime_error("the silent test server cannot listen");
        }
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { close(listener_); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int Port() const { return port_; }

private:
    int listener_;
    int port_ = 0;
};

}  // namespace update_test
