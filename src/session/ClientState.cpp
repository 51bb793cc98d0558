#include "session/ClientState.h"

namespace zor {

std::string_view ClientStateLabel(ClientState state) {
  switch (state) {
    case ClientState::Offline: return "Offline";
    case ClientState::Stop: return "Stop";
    case ClientState::Streaming: return "";
    case ClientState::Error: return "Error";
    case ClientState::Connecting: break;
  }
  return "Connecting";
}

}  // namespace zor
