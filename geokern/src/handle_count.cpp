#include "handle_count.hpp"

#include <algorithm>
#include <mutex>
#include <vector>

namespace geokern {
namespace {

// The tallies of the threads alive, and what the ended threads left.
struct TallyList {
    std::mutex mutex;
    std::vector<HandleTally*> tallies;
    int64_t ended = 0;
};

TallyList& tally_list() {
    static TallyList* list = new TallyList;  // never destroyed: threads may end after static destruction
    return *list;
}

// Takes the thread's tally off the list when the thread ends; its count stays in `ended`.
struct Unlister {
    ~Unlister() {
        HandleTally& tally = handle_tally;
        TallyList& list = tally_list();
        std::lock_guard lock(list.mutex);
        list.ended += tally.live.load(std::memory_order_relaxed);
        tally.live.store(0, std::memory_order_relaxed);
        list.tallies.erase(std::remove(list.tallies.begin(), list.tallies.end(), &tally), list.tallies.end());
        tally.state = HandleTally::Closed;
    }
};

}  // namespace

void count_handle_slowly(int64_t change) noexcept {
    HandleTally& tally = handle_tally;
    TallyList& list = tally_list();
    std::lock_guard lock(list.mutex);
    if (tally.state == HandleTally::Closed) {
        list.ended += change;
        return;
    }
    try {
        static thread_local Unlister unlister;
        list.tallies.push_back(&tally);
        tally.state = HandleTally::Listed;
        tally.live.store(tally.live.load(std::memory_order_relaxed) + change, std::memory_order_relaxed);
    } catch (...) {
        list.ended += change;  // no room to list the thread: counted as if it had ended
    }
}

int64_t live_handle_count() {
    TallyList& list = tally_list();
    std::lock_guard lock(list.mutex);
    int64_t alive = list.ended;
    for (const HandleTally* tally : list.tallies) alive += tally->live.load(std::memory_order_relaxed);
    return alive;
}

}  // namespace geokern
