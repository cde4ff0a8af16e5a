#pragma once

namespace lullex {

// Raises the scheduling priority of the process (every thread, nice -10) and further of the
// calling thread (nice -12), so that the once-a-second work keeps its rhythm on a busy
// machine. Needs CAP_SYS_NICE or a nice limit that allows it; without, nothing changes.
void RaisePriority();

inline constexpr int RaisedProcessNice = -10;
inline constexpr int RaisedThreadNice = -12;

}  // namespace lullex
