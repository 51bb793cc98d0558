#include "presentation/ConnectTimer.h"

namespace zor {

void ConnectTimerStep(std::span<IConnectTimerPane* const> panes) {
  IConnectTimerPane* pane = nullptr;
  for (IConnectTimerPane* p : panes) {
    if (p != nullptr && p->IsConnecting()) {
      pane = p;
      break;
    }
  }
  if (pane == nullptr) return;
  if (pane->ConnectWait() > kMaxConnectWaitTicks) pane->GiveUpConnecting();
  if (pane->ConnectWait() == 0) pane->PressConnect();
  pane->TickConnectWait();
}

}  // namespace zor
