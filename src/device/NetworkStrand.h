#pragma once
// The Asio side of LoopStrand, for the files that build sockets and timers on it.
#include <boost/asio/io_context.hpp>
#include <boost/asio/strand.hpp>

#include "device/NetworkLoop.h"

namespace zor {

using NetworkExecutor = boost::asio::strand<boost::asio::io_context::executor_type>;

struct LoopStrand::Impl {
  explicit Impl(NetworkExecutor e) : executor(std::move(e)) {}
  NetworkExecutor executor;
};

inline const NetworkExecutor& ExecutorOf(const LoopStrand& strand) { return strand.Get().executor; }

}  // namespace zor
