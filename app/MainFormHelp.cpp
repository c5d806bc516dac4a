// The "Справка" tab: picture, program name, a line about it, the web link and the help text.

#include "AppTexts.h"
#include "AutoSizeLabel.h"
#include "FormControls.h"
#include "FormDesign.h"
#include "HelpPicture.h"
#include "HelpText.h"
#include "LinkLabel.h"
#include "MainForm.h"
#include "MainFormTexts.h"
#include "Shell.h"

#include <QPixmap>
#include <QPlainTextEdit>
#include <QUrl>

namespace tickwell {

void TMainForm::buildHelpTab() {
    namespace t = texts::mainForm;
    QWidget* page = TabSheet5;
    const Edges topLeft = Edge::Left | Edge::Top;
    const Edges topRight = Edge::Right | Edge::Top;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;

    Image1 = new QLabel(page);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap::fromImage(helpPicture()));
    Image1->setAccessibleName(QString::fromUtf8(t::helpPictureName));
    placeControl(Image1, "Image1", {8, 8, 121, 113}, topLeft);

    Label8 = new AutoSizeLabel({}, page);
    Label8->setFont(design::helpTitleFont());
    Label8->setText(QString::fromUtf8(texts::applicationTitle));
    placeControl(Label8, "Label8", QRect(QPoint(154, 24), Label8->size()), topRight);

    Label9 = new AutoSizeLabel({}, page);
    Label9->setFont(design::helpLineFont());
    Label9->setText(QString::fromUtf8(t::helpLine));
    placeControl(Label9, "Label9", QRect(QPoint(194, 64), Label9->size()), topRight);

    Label10 = new LinkLabel(page);
    Label10->setText(QString::fromUtf8(t::webAddress));
    Label10->adjustSize();
    placeControl(Label10, "Label10", QRect(QPoint(194, 88), Label10->size()), topRight);

    Memo1 = new QPlainTextEdit(page);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setPlainText(helpText());
    Memo1->setAccessibleName(QString::fromUtf8(t::helpTab));
    placeControl(Memo1, "Memo1", {8, 128, 319, 208}, stretch);
}

// The help text is laid out without word wrap until the tab is first shown; from then on it
// wraps at the field's width.
void TMainForm::turnOnHelpWordWrap() {
    if (Memo1->lineWrapMode() != QPlainTextEdit::WidgetWidth) {
        Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    }
}

void TMainForm::Label10Click() {
    shell().openUrl(QUrl(QString::fromUtf8(texts::mainForm::webAddress)));
}

} // namespace tickwell
