#pragma once
// The listening half of the simulator's WebSocket servers: an acceptor on one address and port,
// run by one I/O thread of its own, that hands every accepted connection to the server's
// coroutine. Included only by the simulator's Beast translation units.
#include <boost/asio/as_tuple.hpp>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace zor::sim {

class SimListener {
 public:
  using Socket = boost::asio::ip::tcp::socket;
  using Serve = std::function<boost::asio::awaitable<void>(Socket socket)>;

  // Listens at once; Listening() is false (with Error() set) when the address cannot be bound.
  SimListener(const std::string& address, uint16_t port, Serve serve) : serve_(std::move(serve)) {
    namespace asio = boost::asio;
    try {
      const asio::ip::tcp::endpoint endpoint(asio::ip::make_address(address), port);
      acceptor_.open(endpoint.protocol());
      // A restarted simulator takes its port back at once, as tests that restart it expect.
      acceptor_.set_option(asio::socket_base::reuse_address(true));
      acceptor_.bind(endpoint);
      acceptor_.listen();
      port_ = acceptor_.local_endpoint().port();
    } catch (const std::exception& e) {
      error_ = e.what();
      return;
    }
    asio::co_spawn(ioc_, AcceptLoop(), asio::detached);
    thread_ = std::thread([this] { ioc_.run(); });
  }

  // Stops the I/O thread; connections still open end with the io_context. Declare the listener
  // after everything its connections use, so that it goes first.
  ~SimListener() {
    ioc_.stop();
    if (thread_.joinable()) thread_.join();
  }

  SimListener(const SimListener&) = delete;
  SimListener& operator=(const SimListener&) = delete;

  bool Listening() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  uint16_t Port() const { return port_; }

 private:
  boost::asio::awaitable<void> AcceptLoop() {
    namespace asio = boost::asio;
    for (;;) {
      auto [error, socket] = co_await acceptor_.async_accept(asio::as_tuple(asio::use_awaitable));
      if (error == asio::error::operation_aborted) co_return;
      if (error) continue;
      asio::co_spawn(ioc_, serve_(std::move(socket)), asio::detached);
    }
  }

  const Serve serve_;
  boost::asio::io_context ioc_{1};
  boost::asio::ip::tcp::acceptor acceptor_{ioc_};
  std::thread thread_;
  uint16_t port_ = 0;
  std::string error_;
};

}  // namespace zor::sim
