#pragma once
// The process's one event loop for all device I/O: one io_context run by a small fixed pool of
// threads, shared by every driver's sockets, timers and stream readers. Each driver puts its
// handlers on a strand of its own (LoopStrand), so the handlers of one driver never run at the
// same time and each class keeps the reasoning of a single I/O thread, while N devices cost the
// pool's threads instead of threads per device.
//
// Threads: Shared() and OnLoopThread() from any thread. The loop starts on first use and ends at
// program exit, after every driver is gone (drivers belong to objects that main() destroys).
#include <memory>

namespace boost::asio {
class io_context;
}

namespace zor {

class NetworkLoop {
 public:
  // Two threads: this is a 2-core target, and pictures are decoded on these threads; more would
  // only take turns on the same cores with the GUI and the App workers.
  static constexpr int kThreadCount = 2;

  // The process's loop, started (its threads running) on the first call.
  static NetworkLoop& Shared();

  // Stops the loop and joins its threads; handlers still queued are dropped, never run.
  ~NetworkLoop();
  NetworkLoop(const NetworkLoop&) = delete;
  NetworkLoop& operator=(const NetworkLoop&) = delete;

  boost::asio::io_context& Context();
  // True on one of the pool's threads: a caller there must not wait for work of the loop, which
  // may be queued behind itself.
  bool OnLoopThread() const;

 private:
  explicit NetworkLoop(int thread_count);

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A strand of the shared loop, held by headers that do not include Asio; copies are the same
// strand. The executor is reached through NetworkStrand.h, in the files that use Asio.
class LoopStrand {
 public:
  LoopStrand();  // a new strand of NetworkLoop::Shared()

  struct Impl;
  const Impl& Get() const { return *impl_; }

 private:
  std::shared_ptr<const Impl> impl_;
};

}  // namespace zor
