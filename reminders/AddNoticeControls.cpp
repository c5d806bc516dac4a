// The reminder editor's controls at their design places, with the edges each one follows when
// the window is resized, and the names a screen reader gives the fields.

#include "platform/EdgeAnchors.h"
#include "reminders/AddNotice.h"
#include "reminders/ReminderTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/FormControls.h"
#include "widgets/LimitedMemo.h"
#include "widgets/NameEdit.h"
#include "widgets/UpDown.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>

namespace tickwell {

namespace {

namespace t = texts::reminders;

constexpr int nameLength = 100;
constexpr int textLength = 170;

} // namespace

void TAddNotice::buildControls() {
    const Edges topLeft = Edge::Left | Edge::Top;
    const Edges topRight = Edge::Top | Edge::Right;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;

    Label2 = makeLabel(this, "Label2", t::nameLabel, {8, 13}, topLeft);
    Edit2 = new NameEdit(this);
    Edit2->setMaxLength(nameLength);
    Edit2->setAccessibleName(spokenName(Label2->text()));
    placeControl(Edit2, "Edit2", {64, 8, 201, 21}, topLeft | Edge::Right);
    Label2->setBuddy(Edit2);

    // The period: hours, minutes and seconds, each field named after the heading and its unit.
    Label1 = makeLabel(this, "Label1", t::periodLabel, {8, 40}, topLeft);
    const QString heading = spokenName(Label1->text()) + QStringLiteral(", ");
    namespace units = texts;
    const NumberField hours = makeNumberField(this, 1, 1, {8, 56}, 0, 24, topLeft,
                                              heading + QString::fromUtf8(units::hours));
    Label4 = makeLabel(this, "Label4", units::hours, {64, 64}, topLeft);
    const NumberField minutes = makeNumberField(this, 3, 2, {88, 56}, 0, 60, topLeft,
                                                heading + QString::fromUtf8(units::minutes));
    Label5 = makeLabel(this, "Label5", units::minutes, {144, 64}, topLeft);
    const NumberField seconds = makeNumberField(this, 4, 3, {184, 56}, 0, 60, topLeft,
                                                heading + QString::fromUtf8(units::seconds));
    Label6 = makeLabel(this, "Label6", units::seconds, {240, 64}, topLeft);
    Edit1 = hours.edit;
    UpDown1 = hours.upDown;
    Edit3 = minutes.edit;
    UpDown2 = minutes.upDown;
    Edit4 = seconds.edit;
    UpDown3 = seconds.upDown;
    Label1->setBuddy(Edit1);

    Label3 = makeLabel(this, "Label3", t::textCaption, {8, 88}, topLeft);
    auto* memo = new LimitedMemo(this);
    memo->setMaxLength(textLength);
    Memo1 = memo;
    Memo1->setAccessibleName(spokenName(Label3->text()));
    placeControl(Memo1, "Memo1", {8, 104, 257, 145}, stretch);
    Label3->setBuddy(Memo1);

    buildDateFrame();

    CheckBox1 = makeWindowCheckBox(this, "CheckBox1", t::onlyOnce, {276, 232}, topRight);
    Button1 = new QPushButton(QString::fromUtf8(texts::create), this);
    Button1->setAutoDefault(false);
    // Its left edge follows the window's width through FormResize.
    placeControl(Button1, "Button1", {205, 258, 75, 25}, Edge::Left | Edge::Bottom);
}

void TAddNotice::buildDateFrame() {
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setAccessibleName(QString::fromUtf8(t::dateFrame));
    placeControl(GroupBox1, "GroupBox1", {276, 8, 185, 216}, Edge::Top | Edge::Right);

    CheckBox2 =
        makeWindowCheckBox(GroupBox1, "CheckBox2", t::useDate, {10, 13}, Edge::Left | Edge::Top);
    Label7 = makeLabel(GroupBox1, "Label7", t::dayLabel, {10, 37}, Edge::Left | Edge::Top);
    Label7->setEnabled(false);

    // A plain month view: no week numbers, weeks from Monday, Russian names, weekends in the
    // same colour as other days (so that a disabled calendar is grey throughout); today is not
    // marked (the widget marks only the chosen day).
    MonthCalendar1 = new QCalendarWidget(GroupBox1);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    MonthCalendar1->setLocale(russian);
    MonthCalendar1->setFirstDayOfWeek(russian.firstDayOfWeek());
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    MonthCalendar1->setWeekdayTextFormat(Qt::Saturday, QTextCharFormat());
    MonthCalendar1->setWeekdayTextFormat(Qt::Sunday, QTextCharFormat());
    MonthCalendar1->setAccessibleName(spokenName(Label7->text()));
    MonthCalendar1->setEnabled(false);
    placeControl(MonthCalendar1, "MonthCalendar1", {10, 53, 162, 153}, Edge::Left | Edge::Top);
    Label7->setBuddy(MonthCalendar1);
}

} // namespace tickwell
