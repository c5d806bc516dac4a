#include "NotificationSound.h"

#include "ResourcePaths.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace tickwell {

namespace {

// The embedded wave through QSoundEffect, made on first use and owned by the application, so
// that it goes before the application does.
class EmbeddedSound final : public NotificationSound {
public:
    void play() override {
        if (effect_.isNull()) {
            if (QCoreApplication::instance() == nullptr) {
                return;
            }
            effect_ = new QSoundEffect(QCoreApplication::instance());
            effect_->setSource(
                QUrl(QStringLiteral("qrc") + QLatin1String(resources::notificationSound)));
        }
        // Starting again from the beginning replaces a sound still playing.
        effect_->stop();
        effect_->play();
    }

private:
    QPointer<QSoundEffect> effect_;
};

NotificationSound* installed = nullptr;

} // namespace

NotificationSound& notificationSound() {
    static EmbeddedSound real;
    return installed != nullptr ? *installed : real;
}

void setNotificationSound(NotificationSound* replacement) {
    installed = replacement;
}

} // namespace tickwell
