// The Help tab: its text as written, word wrap from the first visit on, the picture decoded as
// the image window decodes, and the web link.

#include "MainFormFixture.h"
#include "app/HelpPicture.h"
#include "widgets/LinkLabel.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

namespace tickwell::test {
namespace {

class MainFormHelp : public MainFormFixture {
protected:
    void SetUp() override {
        prepareStore();
        startForm();
        form->show();
        deliverPostedEvents();
    }
};

TEST_F(MainFormHelp, TextHasItsTwelveLinesReadOnlyWithVerticalScrollBar) {
    QTextDocument* document = help().Memo1->document();
    ASSERT_EQ(document->blockCount(), 12);
    EXPECT_EQ(document->findBlockByNumber(0).text(), QStringLiteral("1. Напоминания"));
    EXPECT_EQ(document->findBlockByNumber(3).text(), QStringLiteral("2. Задачи"));
    EXPECT_EQ(document->findBlockByNumber(6).text(), QStringLiteral("3. Изображения"));
    EXPECT_EQ(document->findBlockByNumber(9).text(), QStringLiteral("4. Контекстное меню"));
    for (int empty : {2, 5, 8}) {
        EXPECT_TRUE(document->findBlockByNumber(empty).text().isEmpty()) << empty;
    }
    EXPECT_TRUE(document->findBlockByNumber(11).text().startsWith(
        QStringLiteral("У окна, в котором отображается текст напоминаний")));
    EXPECT_TRUE(document->findBlockByNumber(11).text().endsWith(
        QStringLiteral("цвет фона этого окна и самого текста.")));
    EXPECT_TRUE(help().Memo1->isReadOnly());
    EXPECT_EQ(help().Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(MainFormHelp, WordWrapComesOnWithTheFirstVisitAndStays) {
    EXPECT_EQ(help().Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    form->PageControl1->setCurrentIndex(2);
    EXPECT_EQ(help().Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);

    form->PageControl1->setCurrentIndex(3);
    EXPECT_EQ(help().Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    form->PageControl1->setCurrentIndex(0);
    form->resize(500, form->height());
    EXPECT_EQ(help().Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(MainFormHelp, ClickOnTheLinkOpensItsAddress) {
    form->PageControl1->setCurrentIndex(3);
    QTest::mouseClick(help().Label10, Qt::LeftButton);
    ASSERT_EQ(shell.opened().size(), 1);
    EXPECT_EQ(shell.opened()[0], QUrl(QStringLiteral("https://tickwell.example")));
    EXPECT_EQ(help().Label10->text(), shell.opened()[0].toString());

    // A press that ends away from the link is no click.
    QTest::mousePress(help().Label10, Qt::LeftButton);
    QTest::mouseRelease(help().Label10, Qt::LeftButton, {},
                        QPoint(help().Label10->width() + 20, 2));
    QTest::mouseClick(help().Label10, Qt::RightButton);
    EXPECT_EQ(shell.opened().size(), 1);
}

// The program's decoder gives the same picture as Qt's own JPEG reader, channels in order.
TEST(HelpPicture, DecodesToTheSamePixelsAsQtsReader) {
    const QImage ours = helpPicture();
    ASSERT_EQ(ours.size(), QSize(121, 113));
    const QImage reference =
        QImage(QStringLiteral(":/tickwell/help.jpg")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(reference.size(), ours.size());
    int largest = 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            const QColor a = ours.pixelColor(x, y);
            const QColor b = reference.pixelColor(x, y);
            largest = std::max({largest, std::abs(a.red() - b.red()),
                                std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
        }
    }
    EXPECT_LE(largest, 2);
}

} // namespace
} // namespace tickwell::test
