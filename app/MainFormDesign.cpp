#include "app/MainFormDesign.h"

#include <QStringList>

namespace tickwell::design {

QFont helpTitleFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(20);
    return font;
}

QFont helpLineFont() {
    QFont font = formFont();
    font.setPixelSize(13);
    return font;
}

} // namespace tickwell::design
