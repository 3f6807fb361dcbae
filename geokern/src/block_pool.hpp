#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "thread_end.hpp"

namespace geokern {

// Memory blocks of one size, kept for reuse by the thread that released them. Converting a geometry
// makes and releases one point handle per vertex; a block from this list costs two pointer moves where
// the allocator costs a call with its own bookkeeping. A block released on another thread than the one
// that took it joins that thread's list. At most `kept` blocks stay on a list; the rest go back to the
// allocator, and so does everything on a list when its thread ends.
template <std::size_t Size>
class BlockPool {
  public:
    static_assert(Size >= sizeof(void*), "a kept block holds the link to the next one");

    static void* take() {
        List& list = local_list;
        if (Node* node = list.head) {
            list.head = node->next;
            --list.count;
            return node;
        }
        return ::operator new(Size);
    }

    static void give_back(void* block) noexcept {
        List& list = local_list;
        if (list.closed || list.count >= kept) {
            ::operator delete(block);
            return;
        }
        // A thread that only releases blocks (made on another thread) keeps them too, so whichever
        // thread first keeps one arranges for its list to be emptied when it ends.
        if (!list.armed) {
            list.armed = drain_registered;
            arm_thread_end_cleanup();
        }
        list.head = ::new (block) Node{list.head};
        ++list.count;
    }

  private:
    static constexpr uint32_t kept = 1024;

    struct Node {
        Node* next;
    };
    // Trivial, so that it is reachable while its thread ends (handles may still be released then).
    struct List {
        Node* head;
        uint32_t count;
        bool closed;
        bool armed;
    };

    static void drain() noexcept {
        List& list = local_list;
        list.closed = true;
        while (Node* node = list.head) {
            list.head = node->next;
            ::operator delete(node);
        }
        list.count = 0;
    }

    static constinit thread_local List local_list;
    static inline const bool drain_registered = register_thread_end_cleanup(&drain);
};

template <std::size_t Size>
constinit thread_local typename BlockPool<Size>::List BlockPool<Size>::local_list{nullptr, 0, false, false};

// An allocator of single objects from the block pool of their size, for std::allocate_shared: the
// shared value and its counts come from one kept block.
template <class T>
struct PooledAllocator {
    using value_type = T;
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "pooled blocks have the allocator's alignment");

    PooledAllocator() = default;
    template <class U>
    explicit(false) PooledAllocator(const PooledAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count != 1) return static_cast<T*>(::operator new(count * sizeof(T)));
        return static_cast<T*>(BlockPool<sizeof(T)>::take());
    }
    void deallocate(T* object, std::size_t count) noexcept {
        if (count != 1) {
            ::operator delete(object);
            return;
        }
        BlockPool<sizeof(T)>::give_back(object);
    }

    template <class U>
    bool operator==(const PooledAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace geokern
