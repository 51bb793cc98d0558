// The only file that compiles Beast for the client side: it takes long to build, so everything
// else sees WebSocketClient through its small header.
#include "device/WebSocketClient.h"

#include <algorithm>
#include <atomic>
#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/websocket.hpp>
#include <chrono>
#include <deque>
#include <future>
#include <list>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

#include "device/NetworkStrand.h"
#include "device/WebSocketCause.h"
#include "device/WebSocketUrl.h"
#include "platform/Diag.h"

namespace zor {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using namespace std::chrono_literals;

constexpr auto kAwait = asio::as_tuple(asio::use_awaitable);
constexpr std::string_view kDiag = "websocket";

// A host that does not answer is given up after this long; the next attempt follows the pause.
constexpr auto kConnectTimeout = 5s;
// Upgrade handshake and close handshake; a peer slower than this is treated as gone.
constexpr auto kHandshakeTimeout = 10s;
// Stop waits this long for the peer to answer our close before cutting the connection.
constexpr auto kCloseTimeout = 1s;
// Pauses between attempts: the first retry after 100 ms, doubling up to 10 s, so a device that
// comes back is found quickly and one that stays away costs nearly nothing.
constexpr auto kFirstRetryPause = 100ms;
constexpr auto kLongestRetryPause = 10s;

std::chrono::milliseconds RetryPause(int failures) {
  if (failures <= 0) return 0ms;
  auto pause = std::chrono::milliseconds(kFirstRetryPause);
  for (int i = 1; i < failures && pause < kLongestRetryPause; ++i) pause *= 2;
  return std::min<std::chrono::milliseconds>(pause, kLongestRetryPause);
}

struct Outgoing {
  std::string data;
  bool binary = false;
  bool close = false;  // the close frame of Stop, queued behind what was sent before it
};

using WsStream = websocket::stream<beast::tcp_stream>;

// One run of the client, from Start to the end of Stop, on the owner's strand of the network
// loop: its handlers never run at the same time, so everything but the send queue and the flags is
// touched as if by one I/O thread. Every handler holds the session, so it lives until the last
// one has run; its end (the destructor) tells Stop that no handler of it runs any more.
class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(const LoopStrand& strand, std::string url, WebSocketClient::Callback callback)
      : url_text_(std::move(url)),
        url_(ParseWebSocketUrl(url_text_)),
        callback_(std::move(callback)),
        strand_(ExecutorOf(strand)) {}

  ~Session() { ended_.set_value(); }

  // Ready once the session and all its handlers are gone; asked for once, before Start.
  std::future<void> Ended() { return ended_.get_future(); }

  void Start() { asio::co_spawn(strand_, Loop(shared_from_this()), asio::detached); }

  // Any thread.
  bool Enqueue(Outgoing item) {
    {
      std::lock_guard lock(send_mutex_);
      if (!open_ || queued_bytes_ + item.data.size() > kMaxQueuedSendBytes) return false;
      queued_bytes_ += item.data.size();
      queue_.push_back(std::move(item));
    }
    asio::post(strand_, [self = shared_from_this()] { self->PumpWrites(); });
    return true;
  }

  bool IsOpen() const {
    std::lock_guard lock(send_mutex_);
    return open_;
  }

  // Any thread: runs `task` on the strand after `delay`, unless the session stops first.
  void RunAfter(std::chrono::milliseconds delay, std::function<void()> task) {
    asio::post(strand_, [self = shared_from_this(), delay, task = std::move(task)]() mutable {
      if (self->stopping_.load()) return;
      const auto timer = self->task_timers_.emplace(self->task_timers_.end(), self->strand_, delay);
      timer->async_wait([self, timer, task = std::move(task)](const boost::system::error_code& error) {
        self->task_timers_.erase(timer);
        if (!error && !self->stopping_.load()) task();
      });
    });
  }

  // Any thread: refuse further sends, queue the close frame when open, and wake the strand.
  void RequestStop() {
    stopping_.store(true);
    {
      std::lock_guard lock(send_mutex_);
      if (open_) queue_.push_back(Outgoing{{}, false, true});
      open_ = false;
    }
    asio::post(strand_, [self = shared_from_this()] { self->OnStopRequested(); });
  }

 private:
  // The parameter, copied into the coroutine's frame, keeps the session alive while it runs.
  asio::awaitable<void> Loop(std::shared_ptr<Session> /*self*/) {
    int failures = 0;
    while (!stopping_.load()) {
      if (failures > 0) {
        retry_timer_.expires_after(RetryPause(failures));
        co_await retry_timer_.async_wait(kAwait);
        if (stopping_.load()) break;
      }
      bool opened = false;
      try {
        opened = co_await ConnectOnce();
      } catch (const std::exception& e) {
        Emit(ErrorEvent(e.what()));
      }
      MarkClosed();
      conn_.reset();
      failures = opened ? 1 : failures + 1;
    }
    close_deadline_.cancel();
  }

  // One connection: connect, upgrade, read until it ends. True when it was open at some point.
  asio::awaitable<bool> ConnectOnce() {
    const bool opened = co_await Open();
    if (opened) co_await ReadUntilClosed(conn_);
    co_return opened;
  }

  // Resolves, connects and upgrades into conn_; false (the cause emitted) when a step fails.
  asio::awaitable<bool> Open() {
    if (!url_.valid) {
      Emit(ErrorEvent("bad address " + url_text_));
      co_return false;
    }
    const std::optional<std::vector<tcp::endpoint>> endpoints = co_await Endpoints();
    if (!endpoints) co_return false;

    conn_ = std::make_shared<WsStream>(strand_);
    std::shared_ptr<WsStream> conn = conn_;
    beast::get_lowest_layer(*conn).expires_after(kConnectTimeout);
    auto [connect_error, endpoint] = co_await beast::get_lowest_layer(*conn).async_connect(*endpoints, kAwait);
    if (connect_error || stopping_.load()) co_return Failed(WebSocketStep::Connect, connect_error);
    beast::get_lowest_layer(*conn).expires_never();

    conn->set_option(websocket::stream_base::timeout{kHandshakeTimeout, websocket::stream_base::none(), false});
    websocket::permessage_deflate deflate;
    deflate.client_enable = true;
    conn->set_option(deflate);
    conn->read_message_max(kMaxWebSocketMessageBytes);
    websocket::response_type answer;  // kept for the status of a refused upgrade
    auto [handshake_error] = co_await conn->async_handshake(answer, url_.host_header, url_.target, kAwait);
    if (handshake_error || stopping_.load()) {
      co_return Failed(WebSocketStep::Handshake, handshake_error, answer.result_int());
    }

    {
      std::lock_guard lock(send_mutex_);
      open_ = true;
    }
    Emit(EventOf(WebSocketEvent::Kind::Open));
    co_return true;
  }

  // Where the URL's host is: a numeric address as it is, a name through the resolver (whose
  // lookups take a thread of their own, added to the loop's at the first). Empty, the cause
  // emitted, when the name is not found.
  asio::awaitable<std::optional<std::vector<tcp::endpoint>>> Endpoints() {
    boost::system::error_code not_numeric;
    const asio::ip::address address = asio::ip::make_address(url_.host, not_numeric);
    if (!not_numeric) {
      // The URL's port is checked to be a number from 1 to 65535.
      co_return std::vector<tcp::endpoint>{tcp::endpoint(address, static_cast<uint16_t>(std::stoi(url_.port)))};
    }
    resolver_.emplace(strand_);
    auto [resolve_error, results] = co_await resolver_->async_resolve(url_.host, url_.port, kAwait);
    resolver_.reset();
    if (resolve_error || stopping_.load()) {
      Failed(WebSocketStep::Resolve, resolve_error);
      co_return std::nullopt;
    }
    co_return std::vector<tcp::endpoint>(results.begin(), results.end());
  }

  // Delivers every message until the connection ends, then its close event.
  asio::awaitable<void> ReadUntilClosed(std::shared_ptr<WsStream> conn) {
    beast::flat_buffer buffer;
    boost::system::error_code read_error;
    for (;;) {
      size_t bytes = 0;
      std::tie(read_error, bytes) = co_await conn->async_read(buffer, kAwait);
      if (read_error) break;
      const auto data = buffer.data();
      WebSocketEvent message;
      message.binary = conn->got_binary();
      message.data = std::string_view(static_cast<const char*>(data.data()), data.size());
      Emit(message);
      buffer.consume(buffer.size());
    }
    MarkClosed();
    WebSocketEvent close = EventOf(WebSocketEvent::Kind::Close);
    close.close_code = static_cast<uint16_t>(conn->reason().code);
    close.reason = conn->reason().reason.c_str();
    if (!stopping_.load()) close.cause = DescribeConnectionEnd(read_error, close.close_code, close.reason);
    Emit(close);
  }

  static WebSocketEvent EventOf(WebSocketEvent::Kind kind) {
    WebSocketEvent event;
    event.kind = kind;
    return event;
  }

  static WebSocketEvent ErrorEvent(std::string cause) {
    WebSocketEvent event = EventOf(WebSocketEvent::Kind::Error);
    event.cause = std::move(cause);
    return event;
  }

  bool Failed(WebSocketStep step, const boost::system::error_code& error, unsigned http_status = 0) {
    if (!stopping_.load()) Emit(ErrorEvent(DescribeAttemptFailure(step, error, http_status)));
    return false;
  }

  void MarkClosed() {
    std::lock_guard lock(send_mutex_);
    open_ = false;
    queue_.clear();
    queued_bytes_ = 0;
  }

  void Emit(const WebSocketEvent& event) {
    if (event.kind != WebSocketEvent::Kind::Message && diag::Enabled(kDiag)) {
      static constexpr const char* kNames[] = {"open", "close", "error", "message"};
      diag::Write(kDiag, "[" + url_text_ + "] " + kNames[static_cast<int>(event.kind)] + " " + event.cause);
    }
    if (callback_) callback_(event);
  }

  // Strand: writes queued messages one at a time (the stream allows one write in flight).
  void PumpWrites() {
    if (writing_ || !conn_) return;
    Outgoing item;
    {
      std::lock_guard lock(send_mutex_);
      if (queue_.empty()) return;
      item = std::move(queue_.front());
      queue_.pop_front();
      queued_bytes_ -= item.data.size();
    }
    writing_ = true;
    std::shared_ptr<WsStream> conn = conn_;
    if (item.close) {
      conn->async_close(websocket::close_reason(static_cast<websocket::close_code>(kNormalClosureCode), kNormalClosureReason),
                        [self = shared_from_this(), conn](const boost::system::error_code&) { self->writing_ = false; });
      return;
    }
    out_ = std::move(item.data);
    conn->binary(item.binary);
    conn->async_write(asio::buffer(out_), [self = shared_from_this(), conn](const boost::system::error_code& error, size_t) {
      self->writing_ = false;
      if (!error && conn == self->conn_) self->PumpWrites();
    });
  }

  // Strand: end the retry pause, abandon a connection attempt, or give the close frame a
  // short time before cutting the connection.
  void OnStopRequested() {
    retry_timer_.cancel();
    for (asio::steady_timer& timer : task_timers_) timer.cancel();
    if (resolver_) resolver_->cancel();
    if (!conn_) return;
    if (!conn_->is_open()) {
      beast::get_lowest_layer(*conn_).close();
      return;
    }
    PumpWrites();
    close_deadline_.expires_after(kCloseTimeout);
    close_deadline_.async_wait([self = shared_from_this()](const boost::system::error_code& error) {
      if (!error && self->conn_) beast::get_lowest_layer(*self->conn_).close();
    });
  }

  const std::string url_text_;
  const WebSocketUrl url_;
  const WebSocketClient::Callback callback_;
  std::promise<void> ended_;
  const NetworkExecutor strand_;
  asio::steady_timer retry_timer_{strand_};
  asio::steady_timer close_deadline_{strand_};
  std::list<asio::steady_timer> task_timers_;  // those of RunAfter still waiting
  std::optional<tcp::resolver> resolver_;
  std::shared_ptr<WsStream> conn_;
  std::string out_;       // the message being written
  bool writing_ = false;  // a write or the close is in flight
  std::atomic<bool> stopping_{false};

  mutable std::mutex send_mutex_;  // guards the four fields below
  bool open_ = false;
  std::deque<Outgoing> queue_;
  size_t queued_bytes_ = 0;
};

}  // namespace

class WebSocketClient::Impl {
 public:
  explicit Impl(LoopStrand strand) : strand_(std::move(strand)) {}
  ~Impl() { Stop(); }

  void Start() {
    std::lock_guard lock(session_mutex_);
    if (session_ && !stopped_) return;
    session_ = std::make_shared<Session>(strand_, url_, callback_);
    ended_ = session_->Ended();
    stopped_ = false;
    session_->Start();
  }

  void Stop() {
    std::vector<std::future<void>> ending;
    {
      std::lock_guard lock(session_mutex_);
      if (session_) {
        if (!stopped_) session_->RequestStop();
        stopped_ = true;
        session_.reset();
        ending_.push_back(std::move(ended_));
      }
      // A loop thread must not wait: the session's last handlers may be queued behind the
      // caller (a Stop from the callback). The next Stop elsewhere, at the latest the
      // destructor's, waits for them.
      if (NetworkLoop::Shared().OnLoopThread()) return;
      ending.swap(ending_);
    }
    // Waited without the lock: a handler may still be sending (a timed report, an answer to the
    // open event), and a send takes the lock to find the session, which is stopped by now.
    for (std::future<void>& ended : ending) ended.wait();
  }

  std::shared_ptr<Session> Current() const {
    std::lock_guard lock(session_mutex_);
    return stopped_ ? nullptr : session_;
  }

  std::string url_;
  Callback callback_;

 private:
  const LoopStrand strand_;
  mutable std::mutex session_mutex_;
  std::shared_ptr<Session> session_;
  std::future<void> ended_;  // of session_
  std::vector<std::future<void>> ending_;  // of sessions stopped on a loop thread, not yet waited
  bool stopped_ = true;
};

WebSocketClient::WebSocketClient() : WebSocketClient(LoopStrand()) {}
WebSocketClient::WebSocketClient(LoopStrand strand) : impl_(std::make_unique<Impl>(std::move(strand))) {}
WebSocketClient::~WebSocketClient() = default;

void WebSocketClient::SetUrl(std::string url) { impl_->url_ = std::move(url); }
void WebSocketClient::SetCallback(Callback callback) { impl_->callback_ = std::move(callback); }
void WebSocketClient::Start() { impl_->Start(); }
void WebSocketClient::Stop() { impl_->Stop(); }

bool WebSocketClient::SendText(std::string_view text) {
  std::shared_ptr<Session> session = impl_->Current();
  return session && session->Enqueue(Outgoing{std::string(text), false, false});
}

bool WebSocketClient::SendBinary(std::span<const uint8_t> bytes) {
  std::shared_ptr<Session> session = impl_->Current();
  return session && session->Enqueue(Outgoing{std::string(bytes.begin(), bytes.end()), true, false});
}

bool WebSocketClient::RunAfter(int delay_ms, std::function<void()> task) {
  std::shared_ptr<Session> session = impl_->Current();
  if (!session) return false;
  session->RunAfter(std::chrono::milliseconds(delay_ms), std::move(task));
  return true;
}

bool WebSocketClient::IsOpen() const {
  std::shared_ptr<Session> session = impl_->Current();
  return session && session->IsOpen();
}

}  // namespace zor
