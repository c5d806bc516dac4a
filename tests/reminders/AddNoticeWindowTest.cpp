// The editor's window as a person sees it: its frame and size, where it opens, every control at
// its design place, the date box switched by "Учитывать дату", what follows the window's edges
// when it is resized with the confirm button kept centred, and the names a screen reader reads.

#include "EditorFixture.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/UpDown.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {
namespace {

class EditorWindow : public EditorFixture {
protected:
    void SetUp() override {
        screen.setDesktopArea(QRect(100, 50, 1600, 900));
        start({}, 0);
        openToCreate();
        deliverPostedEvents();
    }

    QWidget* control(const char* name) const {
        auto* widget = editor().findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void resizeTo(int width, int height) {
        editor().resize(width, height);
        deliverPostedEvents();
    }

    static QString spokenName(QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face != nullptr ? face->text(QAccessible::Name) : QString();
    }
};

TEST_F(EditorWindow, OpensModelessAtTheDesktopCentreWithMinimiseButNoMaximise) {
    TAddNotice& e = editor();
    EXPECT_TRUE(e.isWindow());
    EXPECT_EQ(e.windowModality(), Qt::NonModal);
    const Qt::WindowFlags flags = e.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    // As wide as designed; the title bar, which the design counts, is drawn outside.
    EXPECT_EQ(e.size(), QSize(477, 299));
    EXPECT_EQ(e.minimumSize(), e.size());
    EXPECT_EQ(e.pos(), QPoint(899 - 238, 499 - 162));

    // Closing only hides it; it opens again with empty fields.
    typeInto(e.Edit2, QStringLiteral("Черновик"));
    e.close();
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(reminders().AddNotice, &e);
    openToCreate();
    EXPECT_EQ(e.Edit2->text(), QString());
}

TEST_F(EditorWindow, ControlsSitAtTheirDesignPlaces) {
    struct Placed {
        const char* name;
        QRect geometry;
    };
    const Placed placed[] = {
        {"Edit2", {64, 8, 201, 21}},       {"Edit1", {8, 56, 33, 21}},
        {"UpDown1", {41, 56, 16, 21}},     {"Edit3", {88, 56, 33, 21}},
        {"UpDown2", {121, 56, 16, 21}},    {"Edit4", {184, 56, 33, 21}},
        {"UpDown3", {217, 56, 16, 21}},    {"Memo1", {8, 104, 257, 145}},
        {"GroupBox1", {276, 8, 185, 216}}, {"MonthCalendar1", {10, 53, 162, 153}},
        {"Button1", {201, 258, 75, 25}}, // centred: 477 / 2 - 75 / 2 = 201
    };
    for (const Placed& p : placed) {
        EXPECT_EQ(control(p.name)->geometry(), p.geometry) << p.name;
    }
    struct Captioned {
        const char* name;
        QPoint position;
        const char* text;
    };
    const Captioned captioned[] = {
        {"Label2", {8, 13}, "Название:"},
        {"Label1", {8, 40}, "Через какое время напомнить:"},
        {"Label4", {64, 64}, "ч."},
        {"Label5", {144, 64}, "мин."},
        {"Label6", {240, 64}, "сек."},
        {"Label3", {8, 88}, "Текст напоминания:"},
        {"CheckBox2", {10, 13}, "Учитывать дату"},
        {"Label7", {10, 37}, "День напоминания:"},
        {"CheckBox1", {276, 232}, "Напомнить только 1 раз"},
    };
    for (const Captioned& c : captioned) {
        QWidget* widget = control(c.name);
        EXPECT_EQ(widget->pos(), c.position) << c.name;
        const auto* box = qobject_cast<QCheckBox*>(widget);
        const QString text = box ? box->text() : qobject_cast<QLabel*>(widget)->text();
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.name;
        // The whole caption shows.
        EXPECT_GE(widget->width(), widget->sizeHint().width()) << c.name;
    }
    for (const char* inFrame : {"CheckBox2", "Label7", "MonthCalendar1"}) {
        EXPECT_EQ(control(inFrame)->parentWidget(), editor().GroupBox1) << inFrame;
    }
    // Nothing reaches past the date frame.
    const QRect frame = editor().GroupBox1->contentsRect();
    EXPECT_TRUE(frame.contains(editor().MonthCalendar1->geometry()));
    EXPECT_TRUE(frame.contains(editor().CheckBox2->geometry()));
}

TEST_F(EditorWindow, TheDateBoxIsSwitchedByItsCheckBox) {
    TAddNotice& e = editor();
    QCalendarWidget* calendar = e.MonthCalendar1;
    EXPECT_EQ(calendar->locale().language(), QLocale::Russian);
    EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(calendar->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    EXPECT_FALSE(calendar->isEnabled());
    EXPECT_FALSE(e.Label7->isEnabled());

    QTest::mouseClick(e.CheckBox2, Qt::LeftButton);
    EXPECT_TRUE(calendar->isEnabled());
    EXPECT_TRUE(e.Label7->isEnabled());
    QTest::mouseClick(e.CheckBox2, Qt::LeftButton);
    EXPECT_FALSE(calendar->isEnabled());
    EXPECT_FALSE(e.Label7->isEnabled());
}

TEST_F(EditorWindow, ResizingStretchesTheTextAndKeepsTheButtonCentred) {
    resizeTo(600, 400);
    EXPECT_EQ(control("Edit2")->geometry(), QRect(64, 8, 201 + 123, 21));
    EXPECT_EQ(control("Memo1")->geometry(), QRect(8, 104, 257 + 123, 145 + 101));
    EXPECT_EQ(control("GroupBox1")->geometry(), QRect(276 + 123, 8, 185, 216));
    EXPECT_EQ(control("CheckBox1")->pos(), QPoint(276 + 123, 232));
    EXPECT_EQ(control("Edit4")->geometry(), QRect(184, 56, 33, 21));
    // 600 / 2 - 75 / 2 = 262.5, rounded to the even neighbour; the button follows the bottom.
    EXPECT_EQ(control("Button1")->pos(), QPoint(262, 258 + 101));

    struct Centred {
        int width;
        int left;
    };
    for (const Centred c : {Centred{601, 263}, Centred{478, 202}, Centred{480, 202},
                            Centred{482, 204}, Centred{477, 201}}) {
        resizeTo(c.width, 299);
        EXPECT_EQ(editor().Button1->x(), c.left) << c.width;
    }
    EXPECT_EQ(control("Memo1")->geometry(), QRect(8, 104, 257, 145));
    EXPECT_EQ(control("Button1")->y(), 258);

    // Not smaller than designed.
    resizeTo(300, 200);
    EXPECT_EQ(editor().size(), QSize(477, 299));
}

TEST_F(EditorWindow, EveryFieldCarriesTheNameOfItsLabel) {
    TAddNotice& e = editor();
    EXPECT_EQ(e.Label2->buddy(), e.Edit2);
    EXPECT_EQ(e.Label1->buddy(), e.Edit1);
    EXPECT_EQ(e.Label3->buddy(), e.Memo1);
    EXPECT_EQ(e.Label7->buddy(), e.MonthCalendar1);
    struct Spoken {
        QWidget* field;
        const char* name;
    };
    const Spoken spoken[] = {
        {e.Edit2, "Название"},
        {e.Edit1, "Через какое время напомнить, ч."},
        {e.UpDown1, "Через какое время напомнить, ч."},
        {e.Edit3, "Через какое время напомнить, мин."},
        {e.UpDown2, "Через какое время напомнить, мин."},
        {e.Edit4, "Через какое время напомнить, сек."},
        {e.UpDown3, "Через какое время напомнить, сек."},
        {e.Memo1, "Текст напоминания"},
        {e.MonthCalendar1, "День напоминания"},
        {e.CheckBox2, "Учитывать дату"},
        {e.CheckBox1, "Напомнить только 1 раз"},
        {e.Button1, "Создать"},
    };
    for (const Spoken& s : spoken) {
        EXPECT_EQ(spokenName(s.field), QString::fromUtf8(s.name)) << s.field->objectName().data();
    }
}

} // namespace
} // namespace tickwell::test
