// A closed output (the reader of a pipe gone, as after `| head`) stops the job as Ctrl+C
// does, told by a failed write, by OutputClosed or by the splitter wait watching the output,
// rather than by SIGPIPE, which would end the program on the spot.
#pragma once

namespace parvane {

// A write to a closed output then fails instead of ending the program; the splitter gets
// SIGPIPE back with its default action.
void IgnoreBrokenPipes();

// True when fd is a pipe whose reading end has been closed.
bool OutputClosed(int fd);

}  // namespace parvane
