// The "Справка" tab: picture, program name, a line about it, the web link and the help text.

#include "app/HelpPage.h"

#include "app/HelpPicture.h"
#include "app/MainFormDesign.h"
#include "app/MainFormTexts.h"
#include "platform/Shell.h"
#include "resources/HelpText.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormControls.h"
#include "widgets/LinkLabel.h"

#include <QPixmap>
#include <QPlainTextEdit>
#include <QUrl>

namespace tickwell {

HelpPage::HelpPage() : TabPage("TabSheet5", texts::mainForm::helpTab) {
    namespace t = texts::mainForm;
    QWidget* page = this;
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

    connectGuarded(Label10, &LinkLabel::clicked, this, [this] { Label10Click(); });
}

// The help text is laid out without word wrap until the tab is first shown; from then on it
// wraps at the field's width.
void HelpPage::FormResize(int /*windowWidth*/) {
    if (Memo1->lineWrapMode() != QPlainTextEdit::WidgetWidth) {
        Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    }
}

void HelpPage::Label10Click() {
    shell().openUrl(QUrl(QString::fromUtf8(texts::mainForm::webAddress)));
}

} // namespace tickwell
