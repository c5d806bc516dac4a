#pragma once

#include "NotificationSound.h"

namespace tickwell::test {

// A silent notification sound that counts how often it was played. Installs itself for the
// process while it lives.
class CountingSound final : public NotificationSound {
public:
    CountingSound() { setNotificationSound(this); }
    ~CountingSound() override { setNotificationSound(nullptr); }

    CountingSound(const CountingSound&) = delete;
    CountingSound& operator=(const CountingSound&) = delete;

    void play() override { ++plays_; }
    int plays() const { return plays_; }

private:
    int plays_ = 0;
};

} // namespace tickwell::test
