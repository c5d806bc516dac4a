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

int centredLeft(int outerWidth, int controlWidth) {
    // Twice the left edge is a whole number: an odd one lies halfway between two pixels.
    const int twice = outerWidth - controlWidth;
    int left = twice >= 0 ? twice / 2 : -((1 - twice) / 2); // rounded down
    if (twice % 2 != 0 && left % 2 != 0) {
        ++left;
    }
    return left;
}

} // namespace tickwell::design
