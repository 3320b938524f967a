// A closed output (the reader of a pipe gone, as after `| head`) told by a failed write or by
// OutputClosed rather than by a signal that would end the program on the spot. The build
// picks the system's way.
#pragma once

namespace parvane {

// A write to a closed output then fails instead of ending the program; a child started
// afterwards still gets the system's default.
void IgnoreBrokenPipes();

// True when fd is a pipe whose reading end has been closed.
bool OutputClosed(int fd);

}  // namespace parvane
