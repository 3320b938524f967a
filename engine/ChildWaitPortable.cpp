#include "ChildWait.h"

namespace parvane {

std::optional<int> WaitForChild(pid_t pid, const WaitHooks& hooks) {
    return WaitForChildByPolling(pid, hooks);
}

}  // namespace parvane
