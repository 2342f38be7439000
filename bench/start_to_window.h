#pragma once
// The real program's start, from the process's creation until its main window is visible, under
// the same Wine as the user's; the program is copied beside the benchmark's build.

namespace bench {

// The median of that many starts, in milliseconds; -1 when a start showed no window in a minute.
double StartToWindowMs(int runs);

}  // namespace bench
