#pragma once

#include <QObject>
#include <cstdint>

namespace tickwell {

// The colours of every new notice window (red in the low byte, then green, then blue), read
// from the store at start-up and changed by a notice's context menu. A notice holds on to them
// weakly: one may outlive the main window while the program ends.
class NoticeColors : public QObject {
public:
    std::uint32_t NoticeBackgroundColor = 0;
    std::uint32_t NoticeTextColor = 0;
};

} // namespace tickwell
