#pragma once
// A TCP proxy on 127.0.0.1 in front of a PostgreSQL server that counts the round
// trips of its clients and delays every packet by half a round-trip time each way, as a WAN
// link would. A round trip is a TCP connect, or a burst from the client after the server has
// answered its last one (a client that sends again without waiting pays no new one).
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

namespace bench {

class RoundTripProxy {
public:
    // Listens on a free port; throws std::runtime_error when it cannot. `upstream` is the
    // server's Unix socket, or host:port over TCP (where TLS passes through untouched).
    RoundTripProxy(QString upstream, int roundTripMs);
    ~RoundTripProxy();
    RoundTripProxy(const RoundTripProxy&) = delete;
    RoundTripProxy& operator=(const RoundTripProxy&) = delete;

    int port() const { return port_; }
    long roundTrips() const { return trips_; }
    long connects() const { return connects_; }
    // With `on`, each client burst's statements (simple and extended query) go to stderr.
    void setTrace(bool on) { trace_ = on; }

private:
    void run();

    QString upstream_;
    int delayMs_;
    int listenFd_ = -1;
    int port_ = 0;
    int wakeFd_[2] = {-1, -1};
    std::atomic<long> trips_{0};
    std::atomic<long> connects_{0};
    std::atomic<bool> trace_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace bench
