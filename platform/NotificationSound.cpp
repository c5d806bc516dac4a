#include "platform/NotificationSound.h"

#include "platform/Seams.h"
#include "resources/ResourcePaths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace tickwell {

namespace {

// The one sound effect of the process, made on first use; a child of the application named
// "notificationSound".
QPointer<QSoundEffect> effect;

// Runs while the application object is still whole. A sound still being loaded is let finish
// first (for a short while at most): the loader's thread must not start after the application
// object is gone.
void deleteEffect() {
    if (effect.isNull()) {
        return;
    }
    if (effect->status() == QSoundEffect::Loading) {
        QEventLoop loop;
        QObject::connect(effect.data(), &QSoundEffect::statusChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    delete effect.data();
}

// The embedded wave through QSoundEffect.
class EmbeddedSound final : public NotificationSound {
public:
    void play() override {
        if (effect.isNull()) {
            if (QCoreApplication::instance() == nullptr) {
                return;
            }
            effect = new QSoundEffect(QCoreApplication::instance());
            effect->setObjectName(QStringLiteral("notificationSound"));
            effect->setSource(
                QUrl(QStringLiteral("qrc") + QLatin1String(resources::notificationSound)));
            qAddPostRoutine(deleteEffect);
        }
        // Starting again from the beginning replaces a sound still playing.
        effect->stop();
        effect->play();
    }
};

} // namespace

NotificationSound& notificationSound() {
    static EmbeddedSound real;
    NotificationSound* installed = installedSeams().sound;
    return installed != nullptr ? *installed : real;
}

} // namespace tickwell
