// The stream reader and its response parser: the only place of the drivers that includes Beast
// and Asio (they make a translation unit slow to compile).
#include "device/HttpStreamReader.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/buffer_body.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/parser.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <optional>
#include <vector>

#include "device/HttpResponseFeed.h"
#include "device/NetworkStrand.h"

namespace zor {
namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

// ---------------------------------------------------------------------------------------------
// HttpResponseFeed

struct HttpResponseFeed::Impl {
  explicit Impl(IEvents& e) : events(e) {
    parser.header_limit(static_cast<std::uint32_t>(kMaxResponseHeadBytes));
    parser.body_limit(boost::none);  // the stream never ends
    parser.eager(true);
  }

  Outcome Fail(std::string reason) {
    failure = std::move(reason);
    return Outcome::kFailed;
  }

  Outcome PutSlice(std::span<const uint8_t> slice);

  IEvents& events;
  http::response_parser<http::buffer_body> parser;
  beast::flat_buffer held{kMaxHeldBytes};
  std::array<uint8_t, kBodyPieceBytes> body_piece{};
  bool head_reported = false;
  bool asked_for_more = false;  // the last put ended in need_more
  std::string failure;
};

// Beast's chunked-body parser, after it has read the last chunk's size line and asked for more,
// reads that line again assuming at least this many bytes ("0\r\n" and the blank line's start);
// fewer trip its assertion, and without assertions read past the bytes given. The parser needs
// more than that to make progress there anyway.
constexpr size_t kShortestChunkRetryBytes = 5;

HttpResponseFeed::HttpResponseFeed(IEvents& events) : impl_(std::make_unique<Impl>(events)) {}
HttpResponseFeed::~HttpResponseFeed() = default;

const std::string& HttpResponseFeed::Failure() const { return impl_->failure; }
size_t HttpResponseFeed::HeldCapacity() const { return impl_->held.capacity(); }

HttpResponseFeed::Outcome HttpResponseFeed::Put(std::span<const uint8_t> bytes) {
  // Slices keep what is held bounded however much arrives at once.
  for (size_t offset = 0; offset < bytes.size(); offset += kSliceBytes) {
    const Outcome outcome = impl_->PutSlice(bytes.subspan(offset, std::min(kSliceBytes, bytes.size() - offset)));
    if (outcome != Outcome::kMore) return outcome;
  }
  return impl_->parser.is_done() ? Outcome::kDone : Outcome::kMore;
}

HttpResponseFeed::Outcome HttpResponseFeed::Impl::PutSlice(std::span<const uint8_t> slice) {
  if (!failure.empty()) return Outcome::kFailed;
  if (parser.is_done()) return Outcome::kDone;
  if (held.size() + slice.size() > held.max_size()) {
    return Fail(parser.is_header_done() ? "bad HTTP response: chunk size line too long" : "response head too large");
  }
  held.commit(asio::buffer_copy(held.prepare(slice.size()), asio::buffer(slice.data(), slice.size())));
  while (held.size() > 0 && !parser.is_done()) {
    if (asked_for_more && parser.chunked() && held.size() < kShortestChunkRetryBytes) break;
    auto& body = parser.get().body();
    body.data = body_piece.data();
    body.size = body_piece.size();
    body.more = true;
    beast::error_code ec;
    const size_t used = parser.put(held.data(), ec);
    held.consume(used);
    if (parser.is_header_done() && !head_reported) {
      head_reported = true;
      events.OnResponseHead(static_cast<int>(parser.get().result_int()));
    }
    const size_t produced = body_piece.size() - parser.get().body().size;
    if (produced > 0) events.OnBody({body_piece.data(), produced});
    asked_for_more = ec == http::error::need_more;
    if (asked_for_more) break;
    if (ec == http::error::header_limit) return Fail("response head too large");
    if (ec && ec != http::error::need_buffer) return Fail("bad HTTP response: " + ec.message());
    if (used == 0 && produced == 0) break;
  }
  return parser.is_done() ? Outcome::kDone : Outcome::kMore;
}

// ---------------------------------------------------------------------------------------------
// HttpStreamReader

namespace {

std::string ReasonOf(const beast::error_code& ec) {
  if (ec == beast::error::timeout) return "timed out";
  if (ec == asio::error::connection_refused) return "connection refused";
  if (ec == asio::error::eof || ec == asio::error::connection_reset) return "closed by the device";
  return ec.message();
}

}  // namespace

// One reader's requests, on the owner's strand. Every handler holds the core, so it lives until
// the last one has run, and its end (the destructor) tells Stop that no handler runs any more.
// Everything but the peak is touched on the strand only.
class HttpStreamReader::Core : public std::enable_shared_from_this<Core>, private HttpResponseFeed::IEvents {
 public:
  Core(const LoopStrand& strand, HttpStreamTarget target, HttpStreamTimeouts timeouts, IHttpStreamHandler& handler,
       std::shared_ptr<std::atomic<size_t>> held_peak_bytes)
      : target_(std::move(target)),
        timeouts_(timeouts),
        handler_(handler),
        held_peak_bytes_(std::move(held_peak_bytes)),
        strand_(ExecutorOf(strand)) {
    if (target_.path.empty()) target_.path = "/";
    const std::string host = target_.port == 80 ? target_.host : target_.host + ":" + std::to_string(target_.port);
    request_ = "GET " + target_.path + " HTTP/1.1\r\nHost: " + host + "\r\nAccept: */*\r\n\r\n";
  }

  ~Core() override { ended_.set_value(); }

  std::shared_future<void> Ended() { return ended_.get_future().share(); }

  void Start() {
    asio::post(strand_, [self = shared_from_this()] { self->StartAttempt(); });
  }

  // Any thread. On the strand itself it takes effect at once, so the handler that asked makes
  // no further calls once it returns.
  void RequestStop() {
    if (strand_.running_in_this_thread()) return OnStop();
    asio::post(strand_, [self = shared_from_this()] { self->OnStop(); });
  }

  // Strand.
  void WakeAt(int64_t at_ns) {
    if (stopped_) return;
    wake_timer_.expires_at(asio::steady_timer::time_point(std::chrono::nanoseconds(at_ns)));
    wake_timer_.async_wait([self = shared_from_this()](const beast::error_code& ec) {
      if (!ec && !self->stopped_) self->handler_.OnWake();
    });
  }

 private:
  void OnStop() {
    stopped_ = true;
    resolver_.cancel();
    retry_timer_.cancel();
    wake_timer_.cancel();
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

  void StartAttempt() {
    if (stopped_) return;
    feed_.emplace(static_cast<HttpResponseFeed::IEvents&>(*this));
    status_failure_.clear();
    beast::error_code ec;
    const auto address = asio::ip::make_address(target_.host, ec);
    if (!ec) return Connect({tcp::endpoint(address, target_.port)});
    resolver_.async_resolve(target_.host, std::to_string(target_.port),
                            [self = shared_from_this()](const beast::error_code& error,
                                                        const tcp::resolver::results_type& results) {
                              if (self->stopped_) return;
                              if (error) return self->End("cannot find the device's address: " + error.message());
                              self->Connect({results.begin(), results.end()});
                            });
  }

  void Connect(std::vector<tcp::endpoint> endpoints) {
    endpoints_ = std::move(endpoints);
    stream_.expires_after(std::chrono::seconds(timeouts_.connect_timeout_s));
    stream_.async_connect(endpoints_, [self = shared_from_this()](const beast::error_code& ec, const tcp::endpoint&) {
      if (self->stopped_) return;
      if (ec) return self->End(ReasonOf(ec));
      self->stream_.expires_after(std::chrono::seconds(self->timeouts_.read_timeout_s));
      asio::async_write(self->stream_, asio::buffer(self->request_), [self](const beast::error_code& error, size_t) {
        if (self->stopped_) return;
        if (error) return self->End(ReasonOf(error));
        self->Read();
      });
    });
  }

  void Read() {
    stream_.expires_after(std::chrono::seconds(timeouts_.read_timeout_s));
    stream_.async_read_some(asio::buffer(read_buffer_), [self = shared_from_this()](const beast::error_code& ec, size_t size) {
      self->OnRead(ec, size);
    });
  }

  void OnRead(const beast::error_code& ec, size_t size) {
    if (stopped_) return;
    if (size > 0) {
      const auto outcome = feed_->Put({read_buffer_.data(), size});
      *held_peak_bytes_ = std::max<size_t>(*held_peak_bytes_, feed_->HeldCapacity());
      // The handler stopped the reader from within (a Disconnect from the owner's OnFrame).
      if (stopped_) return;
      if (outcome == HttpResponseFeed::Outcome::kFailed) return End(feed_->Failure());
      if (outcome == HttpResponseFeed::Outcome::kDone) return End("closed by the device");
    }
    if (ec) return End(ReasonOf(ec));
    Read();
  }

  // Ends the request in flight and starts the next after the pause.
  void End(const std::string& reason) {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
    handler_.OnFailure(status_failure_.empty() ? reason : status_failure_);
    if (stopped_) return;
    retry_timer_.expires_after(std::chrono::milliseconds(timeouts_.retry_pause_ms));
    retry_timer_.async_wait([self = shared_from_this()](const beast::error_code& ec) {
      if (!ec) self->StartAttempt();
    });
  }

  void OnResponseHead(int status) override {
    if (status == 200 || stopped_) return;
    status_failure_ = "HTTP status " + std::to_string(status);
    handler_.OnFailure(status_failure_);
  }
  void OnBody(std::span<const uint8_t> bytes) override {
    if (!stopped_) handler_.OnBody(bytes);
  }

  // The socket's own reads: one per handler run, small enough to stay in cache.
  static constexpr size_t kReadBytes = 16u << 10;

  HttpStreamTarget target_;
  const HttpStreamTimeouts timeouts_;
  IHttpStreamHandler& handler_;
  const std::shared_ptr<std::atomic<size_t>> held_peak_bytes_;
  std::promise<void> ended_;
  std::string request_;
  const NetworkExecutor strand_;
  tcp::resolver resolver_{strand_};
  beast::tcp_stream stream_{strand_};
  asio::steady_timer retry_timer_{strand_};
  asio::steady_timer wake_timer_{strand_};
  std::vector<tcp::endpoint> endpoints_;
  std::array<uint8_t, kReadBytes> read_buffer_{};
  std::optional<HttpResponseFeed> feed_;
  std::string status_failure_;
  bool stopped_ = false;
};

HttpStreamReader::HttpStreamReader(LoopStrand strand, HttpStreamTarget target, HttpStreamTimeouts timeouts,
                                   IHttpStreamHandler& handler)
    : core_(std::make_shared<Core>(strand, std::move(target), timeouts, handler, held_peak_bytes_)),
      waker_(core_.get()),
      ended_(core_->Ended()) {}

HttpStreamReader::~HttpStreamReader() { Stop(); }

void HttpStreamReader::Start() {
  if (core_) core_->Start();
}

void HttpStreamReader::Stop() {
  if (core_) {
    core_->RequestStop();
    core_.reset();
  }
  // A loop thread must not wait: the core's last handlers may be queued behind the caller.
  if (!NetworkLoop::Shared().OnLoopThread()) ended_.wait();
}

void HttpStreamReader::WakeAt(int64_t at_ns) { waker_->WakeAt(at_ns); }

size_t HttpStreamReader::HeldBytesPeak() const { return held_peak_bytes_->load(); }

}  // namespace zor
