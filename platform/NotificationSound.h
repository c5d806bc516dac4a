#pragma once

namespace tickwell {

// The notification sound: the program's embedded "SOUND" wave, played asynchronously.
class NotificationSound {
public:
    virtual ~NotificationSound() = default;

    // Starts the sound and returns at once; a sound still playing is stopped and replaced.
    // Without a working audio device nothing is heard and nothing fails.
    virtual void play() = 0;
};

// The sound the program plays: the real one unless a test installed another (Seams.h).
NotificationSound& notificationSound();

} // namespace tickwell
