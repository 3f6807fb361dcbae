#pragma once

namespace geokern {

// Work a thread does when it ends, for per-thread lists of kept blocks and handles. Those lists are
// trivial thread-locals, so they stay reachable while their thread ends (handles may still be released
// then) and need no guard of their own: the library's thread-local storage stays small enough for the
// loader to give it a static slot, which makes every access to it a plain offset.
using ThreadEndCleanup = void (*)() noexcept;

// Adds a cleanup that every thread runs when it ends; called once per list, while the library loads.
bool register_thread_end_cleanup(ThreadEndCleanup cleanup) noexcept;

// Called when a thread first keeps something: it will run every registered cleanup when it ends.
void arm_thread_end_cleanup() noexcept;

}  // namespace geokern
