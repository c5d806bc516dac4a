#pragma once

#include <QWidget>

namespace tickwell {

// One tab of the main window: a page that owns its controls (placed at their design positions
// within a tab of the design size) and their handlers. The main window composes the pages and
// asks the one on view for its share of the window's work through here.
class TabPage : public QWidget {
    Q_OBJECT
public:
    // An empty page named `name` (its objectName, "TabSheet1" ...), of the design size, whose
    // tab reads `caption` (UTF-8).
    TabPage(const char* name, const char* caption);

    // What the page's tab reads.
    QString caption() const { return caption_; }

    // The page's part of the resize rule, run for the tab on view at every change of the
    // window's outer width `windowWidth`, and when the tab comes into view.
    virtual void FormResize(int windowWidth);

    // Shows the details of the selected item again as the store holds them now (the window is
    // back from the tray).
    virtual void refreshDetails();

private:
    QString caption_;
};

} // namespace tickwell
