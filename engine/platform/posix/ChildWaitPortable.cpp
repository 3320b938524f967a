#include "engine/process/ChildWait.h"

namespace parvane {

// Nothing of POSIX turns readable when a child ends; the wait asks after it between naps.
int OpenChildEndDescriptor(pid_t) {
    return -1;
}

}  // namespace parvane
