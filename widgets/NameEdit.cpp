#include "widgets/NameEdit.h"

#include <QValidator>
#include <algorithm>

namespace tickwell {

namespace {

bool breaksTheLine(QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

// The line edit runs its validator on every change of its text, whatever made it, and takes
// the text the validator hands back; the cursor keeps its place in the shorter text.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        if (std::none_of(input.cbegin(), input.cend(), breaksTheLine)) {
            return Acceptable;
        }
        const int before = static_cast<int>(NameEdit::singleLine(input.left(position)).size());
        input = NameEdit::singleLine(input);
        position = before;
        return Acceptable;
    }
};

} // namespace

NameEdit::NameEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new SingleLineValidator(this));
}

QString NameEdit::singleLine(const QString& text) {
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            continue; // one line break, one space: the LF makes it
        }
        line.append(breaksTheLine(c) ? QLatin1Char(' ') : c);
    }
    return line;
}

} // namespace tickwell
