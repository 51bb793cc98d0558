#pragma once
// The end of a timed input sequence (a typed text, a key combination): it is queued by the
// driver call and sent later on the input channel's own thread, and this tells the caller when
// its last report and the pause after it are over. A default one is complete at once: the
// driver had nothing to queue. Copies share one state. Any thread.
#include <memory>
#include <stop_token>

namespace zor {

class InputCompletion {
 public:
  enum class Outcome {
    Pending,
    Sent,       // every report went out (or was refused by a closed channel, as a direct send is)
    Cancelled,  // dropped unsent: the driver disconnected or was replaced meanwhile
    Refused,    // never queued: more than the queue may hold
  };

  InputCompletion() = default;
  // One that is still to end, for the queue that sends its reports.
  static InputCompletion Pending();
  static InputCompletion Finished(Outcome outcome);

  // Ends it with `outcome`; the first end counts. Wakes every waiter.
  void Finish(Outcome outcome) const;
  Outcome Result() const;

  // Blocks until it has ended or `stop` is requested; the outcome then (Pending when stopped).
  Outcome Wait(std::stop_token stop = {}) const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace zor
