#include "round_trip_proxy.h"
#include <QByteArray>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <list>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Chunk {
    Clock::time_point due;
    QByteArray bytes;
};

// One direction of a link: what was read from `from` and waits to be written to `to`.
struct Pipe {
    int from = -1;
    int to = -1;
    std::deque<Chunk> queue;
    qsizetype written = 0; // of the first chunk
    bool eof = false;
    bool blocked = false; // the last write would have blocked

    bool dueNow(Clock::time_point now) const { return !queue.empty() && queue.front().due <= now; }
    // Writes what is due; false when the link broke.
    bool flush(Clock::time_point now) {
        blocked = false;
        while (dueNow(now)) {
            const QByteArray& b = queue.front().bytes;
            const ssize_t n =
                ::send(to, b.constData() + written, size_t(b.size() - written), MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK) {
                    blocked = true;
                    return true;
                }
                return false;
            }
            written += n;
            if (written == b.size()) {
                queue.pop_front();
                written = 0;
            }
        }
        return true;
    }
};

struct Link {
    Pipe up;                    // client to server
    Pipe down;                  // server to client
    bool serverAnswered = true; // the client's next burst starts a round trip
};

void nonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// The statements of a client burst, for the trace: simple queries and parses.
void traceBurst(long trip, const QByteArray& b) {
    qsizetype i = 0;
    QByteArray kinds;
    while (i + 5 <= b.size()) {
        const char type = b[i];
        quint32 length = 0;
        std::memcpy(&length, b.constData() + i + 1, 4);
        length = ntohl(length);
        if (type < 'A' || type > 'z' || length < 4 || i + 1 + qsizetype(length) > b.size()) break;
        kinds += type;
        const QByteArray body = b.mid(i + 5, length - 4);
        if (type == 'Q') std::fprintf(stderr, "  [%ld] Q %s\n", trip, body.constData());
        if (type == 'P') {
            const qsizetype nameEnd = body.indexOf('\0');
            std::fprintf(stderr, "  [%ld] P %s\n", trip, body.constData() + nameEnd + 1);
        }
        i += 1 + length;
    }
    std::fprintf(stderr, "  [%ld] messages %s%s\n", trip, kinds.constData(),
                 i < b.size() ? " (+ start-up or a split message)" : "");
}

// A Unix socket path, or host:port over TCP; -1 when it cannot be reached.
int connectUpstream(const QString& upstream) {
    if (upstream.startsWith(QLatin1Char('/'))) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, upstream.toUtf8().constData(), sizeof address.sun_path - 1);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            return fd;
        if (fd >= 0) ::close(fd);
        return -1;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(upstream.section(QLatin1Char(':'), 1).toUInt()));
    inet_pton(AF_INET, upstream.section(QLatin1Char(':'), 0, 0).toLatin1().constData(),
              &address.sin_addr);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

} // namespace

RoundTripProxy::RoundTripProxy(QString upstream, int roundTripMs)
    : upstream_(std::move(upstream)), delayMs_(roundTripMs / 2) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listenFd_, 16) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe(wakeFd_) != 0)
        throw std::runtime_error(std::string("proxy: ") + std::strerror(errno));
    port_ = ntohs(address.sin_port);
    nonBlocking(listenFd_);
    thread_ = std::thread([this] { run(); });
}

RoundTripProxy::~RoundTripProxy() {
    stop_ = true;
    (void)!::write(wakeFd_[1], "x", 1);
    thread_.join();
    ::close(listenFd_);
    ::close(wakeFd_[0]);
    ::close(wakeFd_[1]);
}

void RoundTripProxy::run() {
    std::list<Link> links;
    const auto delay = std::chrono::milliseconds(delayMs_);
    while (!stop_) {
        std::vector<pollfd> fds{{listenFd_, POLLIN, 0}, {wakeFd_[0], POLLIN, 0}};
        std::vector<std::pair<Link*, bool>> owners; // per fd from index 2: link, is the client
        Clock::time_point next = Clock::time_point::max();
        for (Link& l : links) {
            for (Pipe* p : {&l.up, &l.down}) {
                short events = p->eof ? 0 : POLLIN;
                fds.push_back({p->from, events, 0});
                if (p->blocked) fds.push_back({p->to, POLLOUT, 0});
                if (!p->queue.empty() && !p->blocked) next = std::min(next, p->queue.front().due);
            }
        }
        int timeout = -1;
        if (next != Clock::time_point::max())
            timeout = int(std::max<long long>(
                0,
                std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count() +
                    1));
        if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) return;
        const Clock::time_point now = Clock::now();
        if (fds[0].revents & POLLIN) {
            const int client = ::accept(listenFd_, nullptr, nullptr);
            if (client >= 0) {
                const int server = connectUpstream(upstream_);
                if (server < 0) {
                    ::close(client);
                } else {
                    nonBlocking(client);
                    nonBlocking(server);
                    Link& l = links.emplace_back();
                    l.up.from = l.down.to = client;
                    l.up.to = l.down.from = server;
                    ++connects_;
                    ++trips_; // the TCP handshake
                }
            }
        }
        for (auto it = links.begin(); it != links.end();) {
            Link& l = *it;
            bool broken = false;
            for (Pipe* p : {&l.up, &l.down}) {
                char buffer[65536];
                for (;;) {
                    const ssize_t n = ::recv(p->from, buffer, sizeof buffer, 0);
                    if (n > 0) {
                        QByteArray bytes(buffer, n);
                        // A Terminate alone ('X', length 4) is answered by nothing.
                        const bool terminate = n == 5 && buffer[0] == 'X';
                        if (p == &l.up && l.serverAnswered && !terminate) {
                            l.serverAnswered = false;
                            const long trip = ++trips_;
                            if (trace_) traceBurst(trip, bytes);
                        } else if (p == &l.down) {
                            l.serverAnswered = true;
                        }
                        p->queue.push_back({now + delay, std::move(bytes)});
                        continue;
                    }
                    if (n == 0)
                        p->eof = true;
                    else if (errno != EAGAIN && errno != EWOULDBLOCK)
                        broken = true;
                    break;
                }
                if (!p->flush(now)) broken = true;
            }
            const bool drained = l.up.queue.empty() && l.down.queue.empty();
            if (broken || ((l.up.eof || l.down.eof) && drained)) {
                ::close(l.up.from);
                ::close(l.up.to);
                it = links.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (Link& l : links) {
        ::close(l.up.from);
        ::close(l.up.to);
    }
}

} // namespace bench
