#include "resources/HelpText.h"

#include "resources/ResourcePaths.h"

#include <QFile>

namespace tickwell {

QString helpText() {
    QFile file(QString::fromLatin1(resources::helpText));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

} // namespace tickwell
