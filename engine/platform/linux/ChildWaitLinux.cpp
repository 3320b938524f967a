#include <sys/syscall.h>
#include <unistd.h>

#include "engine/process/ChildWait.h"

namespace parvane {

// A process file descriptor (close-on-exec) becomes readable the moment the child ends.
// Kernels before 5.3 have none and answer ENOSYS.
int OpenChildEndDescriptor(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

}  // namespace parvane
