#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable values in GoogleTest's failure messages.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QStringList& list, std::ostream* out);
void PrintTo(const QRect& rect, std::ostream* out);
void PrintTo(const QSize& size, std::ostream* out);
void PrintTo(const QColor& color, std::ostream* out);
