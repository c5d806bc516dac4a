#pragma once

#include <QColor>
#include <cstdint>

namespace tickwell {

// The program's stored colour value: red in the low byte, then green, then blue (aqua is
// 0xFFFF00). The high byte is ignored when reading.
QColor colorFromValue(std::uint32_t value);
std::uint32_t valueFromColor(const QColor& color);

} // namespace tickwell
