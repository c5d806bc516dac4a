#include "Typing.h"

#include <QTest>

namespace tickwell::test {

void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return);
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()),
                                QString(c), Qt::NoModifier);
        }
    }
}

void typeOver(QWidget* widget, const QString& text) {
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(widget, Qt::Key_Delete);
    }
    typeInto(widget, text);
}

} // namespace tickwell::test
