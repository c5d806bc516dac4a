#include "widgets/ListIndexError.h"

#include "widgets/AppTexts.h"

#include <QString>

namespace tickwell {

ListIndexError::ListIndexError(int index)
    : std::out_of_range(QString::fromUtf8(texts::listIndexOutOfBounds).arg(index).toStdString()),
      index_(index) {}

void checkListIndex(int index, int count) {
    if (index < 0 || index >= count) {
        throw ListIndexError(index);
    }
}

} // namespace tickwell
