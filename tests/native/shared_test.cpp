#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "core/part.hpp"
#include "core/shared.hpp"
#include "native_model_helpers.hpp"

using velmor::core::Coord;
using velmor::core::Dims;
using velmor::core::ErrorKind;
using velmor::core::Part;
using velmor::core::SharedPart;

namespace {

TEST(Shared, CopiesShareOneValue) {
    const SharedPart a = SharedPart::make(Dims::XY);
    const SharedPart b = a;
    b.lock()->push(Coord::xy(1, 2));
    EXPECT_EQ(a.lock()->size(), 1U);
    EXPECT_TRUE(a.same_value(b));
    EXPECT_EQ(a.holders(), 2);
    EXPECT_FALSE(a.same_value(SharedPart::make(Dims::XY)));
}

TEST(Shared, AFailureWhileHoldingTheLockPoisonsIt) {
    const SharedPart part = SharedPart::make(Dims::XY);
    EXPECT_THROW(
        {
            auto guard = part.lock();
            guard->push(Coord::xy(1, 2));
            throw std::runtime_error("failed midway");
        },
        std::runtime_error);
    EXPECT_TRUE(part.is_poisoned());

    // Native code stops with the lock's own text; the Python-facing path gets the Lock error.
    EXPECT_EQ(velmor::test::internal_failure_of([&] { part.lock(); }), "Lock poisoned");
    EXPECT_EQ(velmor::test::internal_failure_of([&] { part.lock("Rings lock poisoned"); }),
              "Rings lock poisoned");
    auto checked = part.lock_checked();
    ASSERT_FALSE(checked);
    EXPECT_EQ(checked.error().kind(), ErrorKind::Lock);
    EXPECT_EQ(checked.error().display(), "Lock error: 'poisoned lock: another task failed inside'");

    // The refusals released the lock again and left the value as the failed holder left it.
    EXPECT_EQ(part.lock_ignoring_poison()->size(), 1U);
    EXPECT_TRUE(part.is_poisoned());
}

TEST(Shared, FailuresAlreadyUnwindingWhenLockedDoNotPoison) {
    const SharedPart part = SharedPart::make(Dims::XY);
    struct LocksWhileUnwinding {
        const SharedPart& part;
        ~LocksWhileUnwinding() {
            auto guard = part.lock();
            guard->push(Coord::xy(0, 0));
        }
    };
    try {
        LocksWhileUnwinding cleanup{part};
        throw std::runtime_error("earlier failure");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(part.is_poisoned());
    EXPECT_TRUE(part.lock_checked());
}

TEST(Shared, TheLockExcludesOtherThreads) {
    // The increments are split into a read and a write, so two holders at once would lose some.
    const velmor::core::Shared<long> counter(0);
    constexpr int kThreads = 4;
    constexpr int kRounds = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&counter] {
            for (int i = 0; i < kRounds; ++i) {
                auto guard = counter.lock();
                const long seen = *guard;
                std::this_thread::yield();
                *guard = seen + 1;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(*counter.lock(), long{kThreads} * kRounds);
    EXPECT_FALSE(counter.is_poisoned());
}

TEST(Shared, ReturningAnErrorValueDoesNotPoison) {
    const SharedPart part = SharedPart::make(Dims::XY);
    {
        auto guard = part.lock_checked();
        ASSERT_TRUE(guard);
        (*guard)->push(Coord::xy(1, 1));
    }
    EXPECT_FALSE(part.is_poisoned());
    EXPECT_EQ(part.lock()->size(), 1U);
}

// A holder that only reads cannot leave the value half-changed: its failure releases the lock as it
// goes on, unpoisoned, for shared and in-place values alike, while a writer's failure still poisons.
TEST(Shared, AReaderFailureReleasesTheLockUnpoisoned) {
    const SharedPart part = SharedPart::make(Dims::XY);
    const velmor::core::Locked<Part> kept{Part(Dims::XY)};
    kept.lock()->push(Coord::xy(1, 2));
    auto fail_while_reading = [](const Part& value) -> std::size_t {
        if (value.size() < 5) throw std::runtime_error("refused");
        return value.size();
    };
    EXPECT_THROW(velmor::core::read_without_poisoning(part.lock(), fail_while_reading), std::runtime_error);
    EXPECT_THROW(velmor::core::read_without_poisoning(kept.lock(), fail_while_reading), std::runtime_error);
    EXPECT_FALSE(part.is_poisoned());
    EXPECT_FALSE(kept.is_poisoned());
    EXPECT_EQ(velmor::core::read_without_poisoning(kept.lock(), [](const Part& value) { return value.size(); }),
              1U);

    EXPECT_THROW(
        {
            auto guard = kept.lock();
            guard->push(Coord::xy(3, 4));
            throw std::runtime_error("failed midway");
        },
        std::runtime_error);
    EXPECT_TRUE(kept.is_poisoned());
    EXPECT_EQ(velmor::test::internal_failure_of([&] { kept.lock(); }), "Lock poisoned");
}

}  // namespace
