#pragma once

// The "Справка" tab: the program's picture, name and web link, and the help text.

#include "widgets/TabPage.h"

class QLabel;
class QPlainTextEdit;

namespace tickwell {

class AutoSizeLabel;
class LinkLabel;

class HelpPage : public TabPage {
    Q_OBJECT
public:
    // The tab "TabSheet5".
    HelpPage();

    QLabel* Image1;
    AutoSizeLabel* Label8; // the program's name
    AutoSizeLabel* Label9; // one line under it
    LinkLabel* Label10;    // the web address
    QPlainTextEdit* Memo1; // the help text

    void Label10Click();

    // On the tab's first visit the help text is wrapped at the field's width.
    void FormResize(int windowWidth) override;
};

} // namespace tickwell
