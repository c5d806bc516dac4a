#include "widgets/FormDesign.h"

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

} // namespace tickwell::design
