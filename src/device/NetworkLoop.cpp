#include "device/NetworkLoop.h"
#include "device/NetworkStrand.h"

#include <pthread.h>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <string>
#include <thread>
#include <vector>

namespace zor {
namespace {

namespace asio = boost::asio;

// Set on the pool's threads, so that a call can tell it would wait on the loop from inside it.
thread_local bool t_on_loop_thread = false;

}  // namespace

struct NetworkLoop::Impl {
  explicit Impl(int thread_count) {
    threads.reserve(static_cast<size_t>(thread_count));
    for (int i = 0; i < thread_count; ++i) {
      threads.emplace_back([this, name = "net " + std::to_string(i)] {
        pthread_setname_np(pthread_self(), name.c_str());
        t_on_loop_thread = true;
        context.run();
      });
    }
  }

  ~Impl() {
    work.reset();
    context.stop();
    for (std::thread& thread : threads) thread.join();
  }

  // The hint tells Asio that several threads run the context.
  asio::io_context context{NetworkLoop::kThreadCount};
  // Keeps run() going while no socket or timer waits (between devices, before the first).
  asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(context);
  std::vector<std::thread> threads;
};

NetworkLoop::NetworkLoop(int thread_count) : impl_(std::make_unique<Impl>(thread_count)) {}
NetworkLoop::~NetworkLoop() = default;

NetworkLoop& NetworkLoop::Shared() {
  static NetworkLoop loop(kThreadCount);
  return loop;
}

asio::io_context& NetworkLoop::Context() { return impl_->context; }

bool NetworkLoop::OnLoopThread() const { return t_on_loop_thread; }

LoopStrand::LoopStrand() : impl_(std::make_shared<const Impl>(asio::make_strand(NetworkLoop::Shared().Context()))) {}

}  // namespace zor
