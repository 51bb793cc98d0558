#pragma once
// One simulated device's network side. Each device type has its own server class (in its own
// files) that speaks the device's protocol and drives a SimScreen.
#include <cstdint>
#include <string>

namespace zor::sim {

class ISimServer {
 public:
  // Stops listening, ends every connection and joins the server's threads.
  virtual ~ISimServer() = default;
  // The port actually listened on (the one picked by the system when 0 was asked).
  virtual uint16_t Port() const = 0;
  // False, with Error() saying why, when the server could not listen (it is built listening).
  virtual bool Listening() const = 0;
  virtual const std::string& Error() const = 0;
};

}  // namespace zor::sim
