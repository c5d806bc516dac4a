#pragma once

#include "platform/NotificationSound.h"

namespace tickwell::test {

// A silent notification sound that counts how often it was played.
class CountingSound final : public NotificationSound {
public:
    CountingSound() = default;

    CountingSound(const CountingSound&) = delete;
    CountingSound& operator=(const CountingSound&) = delete;

    void play() override { ++plays_; }
    int plays() const { return plays_; }

private:
    int plays_ = 0;
};

} // namespace tickwell::test
