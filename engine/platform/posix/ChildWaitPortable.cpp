#include "engine/process/ChildWait.h"

namespace parvane {

ChildWaitResult WaitForChild(pid_t pid, const WaitHooks& hooks) {
    return WaitForChildByPolling(pid, hooks);
}

}  // namespace parvane
