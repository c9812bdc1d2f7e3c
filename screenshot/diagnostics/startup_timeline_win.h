// Start-up timeline: named marks with the time since the process started, for the start-up
// benchmark. Off unless the environment variable LUMETTA_TIMELINE names a file when the first mark
// is made; then every mark appends one line "<milliseconds> <phase>" to that file.
#pragma once

namespace diag {

// Records that start-up has reached `phase` (a short ASCII name). Costs one environment lookup at
// the first call and nothing after that while the timeline is off.
void TimelineMark(const char* phase);

}  // namespace diag
