// The main window as a person sees it: title, frame, tabs, every control at its place with its
// caption, the centring rule for the buttons, the edges controls follow, and captions that fit.

#include "MainFormFixture.h"
#include "app/MainFormDesign.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/LinkLabel.h"
#include "widgets/ListBox.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>

namespace tickwell::test {
namespace {

struct Placed {
    const char* name;
    QRect geometry;
};

// Every control of a fixed size at its design place within its tab.
const Placed sizedControls[] = {
    {"ListBox1", {8, 8, 319, 145}},  {"Button1", {8, 159, 75, 25}},
    {"Button2", {123, 159, 89, 25}}, {"Button3", {252, 159, 75, 25}},
    {"Label6", {8, 263, 318, 41}},   {"ListBox2", {8, 8, 319, 128}},
    {"Button5", {8, 143, 75, 25}},   {"Button6", {123, 143, 89, 25}},
    {"Button7", {252, 143, 75, 25}}, {"CheckBox1", {8, 175, 81, 17}},
    {"Label12", {8, 215, 318, 41}},  {"Edit4", {8, 279, 33, 21}},
    {"UpDown4", {41, 279, 16, 21}},  {"Edit5", {88, 279, 33, 21}},
    {"UpDown5", {121, 279, 16, 21}}, {"Edit6", {184, 279, 33, 21}},
    {"UpDown6", {217, 279, 16, 21}}, {"Button11", {129, 312, 89, 24}},
    {"ListBox3", {8, 8, 319, 168}},  {"Button8", {38, 183, 75, 25}},
    {"Button9", {222, 183, 75, 25}}, {"Edit1", {8, 239, 33, 21}},
    {"UpDown1", {41, 239, 16, 21}},  {"Edit2", {88, 239, 33, 21}},
    {"UpDown2", {121, 239, 16, 21}}, {"Edit3", {184, 239, 33, 21}},
    {"UpDown3", {217, 239, 16, 21}}, {"Edit7", {264, 275, 33, 21}},
    {"UpDown7", {297, 275, 16, 21}}, {"Button10", {134, 311, 75, 25}},
    {"Image1", {8, 8, 121, 113}},    {"Memo1", {8, 128, 319, 208}},
};

struct Captioned {
    const char* name;
    QPoint position;
    const char* text;
};

// Labels take the size of their text; these are their places and captions.
const Captioned labels[] = {
    {"Label1", {8, 191}, "Через какое время напомнить: "},
    {"Label21", {8, 208}, "В какой день:"},
    {"Label3", {8, 225}, "Напомнить только один раз:"},
    {"Label5", {8, 247}, "Текст напоминания:"},
    {"Label11", {8, 199}, "Описание:"},
    {"Label13", {8, 263}, "Периодичность:"},
    {"Label17", {64, 287}, "ч."},
    {"Label18", {144, 287}, "мин."},
    {"Label19", {240, 287}, "сек."},
    {"Label7", {8, 223}, "Периодичность показа:"},
    {"Label14", {64, 247}, "ч."},
    {"Label15", {144, 247}, "мин."},
    {"Label16", {240, 247}, "сек."},
    {"Label20", {8, 279}, "Через какое время изображение исчезает (сек.):"},
    {"Label8", {154, 24}, "Tickwell v2.0"},
    {"Label10", {194, 88}, "https://tickwell.example"},
};

class MainFormLayout : public MainFormFixture {
protected:
    void SetUp() override {
        prepareStore();
        startForm();
        form->show();
        deliverPostedEvents();
    }

    QWidget* control(const char* name) const {
        auto* widget = form->findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void showTab(int index) {
        form->PageControl1->setCurrentIndex(index);
        deliverPostedEvents();
    }

    void resizeWindow(int width, int height) {
        form->resize(width, height);
        deliverPostedEvents();
    }

    // The window's height for a height of the design, which counts the title bar.
    int windowHeightFor(int designHeight) const {
        return designHeight - (design::windowSize.height() - initialHeight_);
    }

    void SetUpInitialHeight() { initialHeight_ = form->height(); }

    // Every tab's controls, on view one after the other.
    std::vector<QWidget*> controlsOfTab(int index) {
        std::vector<QWidget*> controls;
        for (QObject* child : form->PageControl1->widget(index)->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child);
                widget && widget->isWindow() == false) {
                controls.push_back(widget);
            }
        }
        return controls;
    }

    int initialHeight_ = 0;
};

TEST_F(MainFormLayout, WindowHasTitleFrameAndDesignSize) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tickwell v2.0"));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form->width(), 350);
    // A tab's inner area is the design's, so every design position holds as given.
    EXPECT_EQ(form->TabSheet1->size(), QSize(339, 348));
    // Centred on the desktop (the fake screen is 1280 x 800).
    EXPECT_NEAR(form->x() + form->width() / 2, 640, 1);
}

TEST_F(MainFormLayout, SizeLimitsHold) {
    SetUpInitialHeight();
    EXPECT_EQ(form->minimumWidth(), 335);
    EXPECT_EQ(form->maximumWidth(), 600);
    EXPECT_EQ(form->minimumHeight(), windowHeightFor(320));
    EXPECT_EQ(form->maximumHeight(), QWIDGETSIZE_MAX);

    resizeWindow(900, 100);
    EXPECT_EQ(form->size(), QSize(600, windowHeightFor(320)));
    resizeWindow(100, 2000);
    EXPECT_EQ(form->size(), QSize(335, 2000));
}

TEST_F(MainFormLayout, FourTabsInOrderFirstOnView) {
    QTabWidget* tabs = form->PageControl1;
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Напоминания"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Задачи"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Изображения"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Справка"));
    EXPECT_EQ(tabs->widget(0), form->TabSheet1);
    EXPECT_EQ(tabs->widget(3)->objectName(), QStringLiteral("TabSheet5"));
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(MainFormLayout, EveryControlAtItsDesignPlace) {
    for (int tab = 1; tab < 4; ++tab) {
        showTab(tab); // every tab laid out at the initial size once
    }
    for (const Placed& placed : sizedControls) {
        QWidget* widget = control(placed.name);
        ASSERT_NE(widget, nullptr);
        QRect expected = placed.geometry;
        // The centring rule has moved these for the window's width of 350 (below).
        if (QLatin1String(placed.name) == QLatin1String("Button11")) {
            expected.moveLeft(131);
        } else if (QLatin1String(placed.name) == QLatin1String("Button10")) {
            expected.moveLeft(138);
        }
        EXPECT_EQ(widget->geometry(), expected) << placed.name;
    }
    for (const Captioned& label : labels) {
        auto* widget = qobject_cast<QLabel*>(control(label.name));
        ASSERT_NE(widget, nullptr) << label.name;
        EXPECT_EQ(widget->pos(), label.position) << label.name;
        EXPECT_EQ(widget->text(), QString::fromUtf8(label.text)) << label.name;
    }
}

TEST_F(MainFormLayout, ButtonsAndCheckBoxCarryTheirCaptions) {
    const std::pair<QPushButton*, const char*> buttons[] = {
        {reminders().Button1, "Добавить"}, {reminders().Button2, "Редактировать"},
        {reminders().Button3, "Удалить"},  {reminders().Button4, "Запустить"},
        {tasks().Button5, "Добавить"},     {tasks().Button6, "Редактировать"},
        {tasks().Button7, "Удалить"},      {tasks().Button11, "Напоминать"},
        {images().Button8, "Добавить"},    {images().Button9, "Удалить"},
        {images().Button10, "Запустить"},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << button->objectName().toStdString();
    }
    EXPECT_EQ(tasks().CheckBox1->text(), QStringLiteral("Выполнено"));
    EXPECT_FALSE(reminders().Button4->isEnabled());
    EXPECT_FALSE(tasks().CheckBox1->isEnabled());
    EXPECT_FALSE(tasks().CheckBox1->isChecked());
}

TEST_F(MainFormLayout, NumericFieldsShowZeroWithTheirRanges) {
    const std::tuple<QLineEdit*, UpDown*, int> fields[] = {
        {images().Edit1, images().UpDown1, 24},  {images().Edit2, images().UpDown2, 60},
        {images().Edit3, images().UpDown3, 60},  {tasks().Edit4, tasks().UpDown4, 24},
        {tasks().Edit5, tasks().UpDown5, 60},    {tasks().Edit6, tasks().UpDown6, 60},
        {images().Edit7, images().UpDown7, 600},
    };
    // A fresh store holds 0 for both periods; the timeout's default is 30.
    for (const auto& [edit, upDown, maximum] : fields) {
        const std::string name = edit->objectName().toStdString();
        EXPECT_EQ(upDown->associate(), edit) << name;
        EXPECT_EQ(upDown->minimum(), 0) << name;
        EXPECT_EQ(upDown->maximum(), maximum) << name;
        EXPECT_EQ(edit->text(),
                  upDown == images().UpDown7 ? QStringLiteral("30") : QStringLiteral("0"))
            << name;
    }
}

TEST_F(MainFormLayout, ButtonsFollowTheCentringRuleForTheWidth) {
    SetUpInitialHeight();
    EXPECT_EQ(reminders().Button4->x(), 138);
    EXPECT_EQ(reminders().Button2->x(), 123);

    resizeWindow(335, initialHeight_);
    EXPECT_EQ(reminders().Button4->x(), 130);
    EXPECT_EQ(reminders().Button2->x(), 115);

    // Hidden tabs are laid out when they come on view, for the width then.
    showTab(1);
    EXPECT_EQ(tasks().Button6->x(), 115);
    EXPECT_EQ(tasks().Button11->x(), 123);
    showTab(2);
    EXPECT_EQ(images().Button10->x(), 130);

    resizeWindow(600, initialHeight_);
    EXPECT_EQ(images().Button10->x(), 263);
    showTab(0);
    EXPECT_EQ(reminders().Button4->x(), 263);
    EXPECT_EQ(reminders().Button2->x(), 248);
}

TEST_F(MainFormLayout, ControlsFollowTheirEdgesWhenResized) {
    SetUpInitialHeight();
    resizeWindow(500, initialHeight_ + 100);

    // Lists stretch; controls under a list follow the bottom; delete buttons the right edge.
    EXPECT_EQ(reminders().ListBox1->geometry(), QRect(8, 8, 469, 245));
    EXPECT_EQ(reminders().Button1->geometry(), QRect(8, 259, 75, 25));
    EXPECT_EQ(reminders().Button3->geometry(), QRect(402, 259, 75, 25));
    EXPECT_EQ(reminders().Label6->geometry(), QRect(8, 363, 468, 41));
    EXPECT_EQ(reminders().Button4->y(), 411);

    showTab(1);
    EXPECT_EQ(tasks().ListBox2->geometry(), QRect(8, 8, 469, 228));
    EXPECT_EQ(tasks().Button7->geometry(), QRect(402, 243, 75, 25));
    EXPECT_EQ(tasks().CheckBox1->geometry(), QRect(8, 275, 81, 17));
    EXPECT_EQ(tasks().UpDown6->geometry(), QRect(217, 379, 16, 21));

    showTab(2);
    EXPECT_EQ(images().ListBox3->geometry(), QRect(8, 8, 469, 268));
    EXPECT_EQ(images().Button8->geometry(), QRect(38, 283, 75, 25));
    EXPECT_EQ(images().Button9->geometry(), QRect(372, 283, 75, 25));
    EXPECT_EQ(images().Edit7->geometry(), QRect(264, 375, 33, 21));

    showTab(3);
    EXPECT_EQ(help().Image1->geometry(), QRect(8, 8, 121, 113));
    EXPECT_EQ(help().Memo1->geometry(), QRect(8, 128, 469, 308));
    EXPECT_EQ(help().Label8->pos(), QPoint(304, 24));
    EXPECT_EQ(help().Label10->pos(), QPoint(344, 88));

    // Back to the design size: everything where it started.
    resizeWindow(350, initialHeight_);
    EXPECT_EQ(help().Memo1->geometry(), QRect(8, 128, 319, 208));
    showTab(0);
    EXPECT_EQ(reminders().ListBox1->geometry(), QRect(8, 8, 319, 145));
    EXPECT_EQ(reminders().Button3->geometry(), QRect(252, 159, 75, 25));
}

// No caption is cut off and no two controls overlap, at the initial and at the smallest size.
TEST_F(MainFormLayout, CaptionsFitAndControlsKeepApartAtInitialAndSmallestSize) {
    SetUpInitialHeight();
    const auto check = [this](const char* when) {
        for (int tab = 0; tab < 4; ++tab) {
            showTab(tab);
            const std::vector<QWidget*> controls = controlsOfTab(tab);
            const QRect page = form->PageControl1->widget(tab)->rect();
            for (QWidget* widget : controls) {
                if (widget->size().isEmpty()) {
                    continue; // a value label with no text yet
                }
                const std::string name = widget->objectName().toStdString() + " " + when;
                EXPECT_TRUE(page.contains(widget->geometry())) << name;
                for (QWidget* other : controls) {
                    if (other != widget && widget->isVisible() && other->isVisible()) {
                        EXPECT_FALSE(widget->geometry().intersects(other->geometry()))
                            << name << " / " << other->objectName().toStdString();
                    }
                }
            }
        }
        // A caption ends before the value shown after it.
        EXPECT_LT(reminders().Label1->geometry().right(), reminders().Label2->x()) << when;
        EXPECT_LT(reminders().Label21->geometry().right(), reminders().Label22->x()) << when;
        EXPECT_LT(reminders().Label3->geometry().right(), reminders().Label4->x()) << when;
        // Every tab's caption shows whole in the tab bar.
        QTabBar* bar = form->PageControl1->tabBar();
        for (int tab = 0; tab < bar->count(); ++tab) {
            EXPECT_GE(bar->tabRect(tab).width(),
                      bar->fontMetrics().horizontalAdvance(bar->tabText(tab)))
                << when;
            EXPECT_LE(bar->tabRect(tab).right(), bar->width()) << when;
        }
        // Buttons with every caption they can show; the check box with its text.
        const std::pair<QPushButton*, QStringList> buttons[] = {
            {reminders().Button2, {QStringLiteral("Редактировать")}},
            {reminders().Button4, {QStringLiteral("Запустить"), QStringLiteral("Остановить")}},
            {images().Button10, {QStringLiteral("Запустить"), QStringLiteral("Остановить")}},
            {tasks().Button11,
             {QStringLiteral("Напоминать"), QStringLiteral("Остановить"),
              QStringLiteral("Запустить")}},
            {reminders().Button1, {QStringLiteral("Добавить")}},
            {reminders().Button3, {QStringLiteral("Удалить")}},
        };
        for (const auto& [button, captions] : buttons) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect contents =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            for (const QString& caption : captions) {
                EXPECT_LE(button->fontMetrics().horizontalAdvance(caption), contents.width())
                    << caption.toStdString() << " " << when;
            }
        }
        QStyleOptionButton option;
        option.initFrom(tasks().CheckBox1);
        const QRect text =
            form->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, tasks().CheckBox1);
        EXPECT_LE(tasks().CheckBox1->fontMetrics().horizontalAdvance(tasks().CheckBox1->text()),
                  text.width())
            << when;
    };
    check("at the initial size");
    resizeWindow(335, windowHeightFor(320));
    check("at the smallest size");
}

TEST_F(MainFormLayout, HelpTabShowsPictureNameAndLink) {
    showTab(3);
    ASSERT_FALSE(help().Image1->pixmap().isNull());
    EXPECT_EQ(help().Image1->pixmap().size(), QSize(121, 113));
    EXPECT_TRUE(help().Image1->hasScaledContents());
    EXPECT_EQ(help().Label8->font().pixelSize(), 20);
    EXPECT_FALSE(help().Label9->text().isEmpty());
    EXPECT_EQ(help().Label9->text().count(QLatin1Char('\n')), 0);

    EXPECT_EQ(help().Label10->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(help().Label10->font().underline());
    EXPECT_EQ(help().Label10->cursor().shape(), Qt::PointingHandCursor);
}

// Everything can be found by a screen reader under the name a person reads beside it.
TEST_F(MainFormLayout, FieldsAreNamedByTheLabelBeforeThem) {
    EXPECT_EQ(images().Label7->buddy(), images().Edit1);
    EXPECT_EQ(tasks().Label13->buddy(), tasks().Edit4);
    EXPECT_EQ(images().Label20->buddy(), images().Edit7);
    EXPECT_EQ(images().Edit1->accessibleName(), QStringLiteral("Периодичность показа, ч."));
    EXPECT_EQ(images().UpDown2->accessibleName(), QStringLiteral("Периодичность показа, мин."));
    EXPECT_EQ(tasks().Edit6->accessibleName(), QStringLiteral("Периодичность, сек."));
    EXPECT_EQ(images().Edit7->accessibleName(),
              QStringLiteral("Через какое время изображение исчезает (сек.)"));
    EXPECT_EQ(reminders().ListBox1->accessibleName(), QStringLiteral("Напоминания"));
    EXPECT_EQ(images().ListBox3->accessibleName(), QStringLiteral("Изображения"));
    EXPECT_EQ(help().Memo1->accessibleName(), QStringLiteral("Справка"));
}

} // namespace
} // namespace tickwell::test
