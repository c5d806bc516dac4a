#include "FormDesign.h"

#include <QStringList>

namespace tickwell::design {

namespace {
constexpr int formPixelSize = 11; // as high as the 8-point face of the design at 96 dpi
constexpr int formStretch = 85;   // DejaVu Sans runs wider than the design's face
} // namespace

QFont formFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(formPixelSize);
    font.setStretch(formStretch);
    return font;
}

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
