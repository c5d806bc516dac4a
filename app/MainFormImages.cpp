// The controls of the "Изображения" tab.

#include "AutoSizeLabel.h"
#include "FormControls.h"
#include "ListBox.h"
#include "MainForm.h"
#include "MainFormTexts.h"
#include "UpDown.h"

#include <QLineEdit>
#include <QPushButton>

namespace tickwell {

void TMainForm::buildImagesTab() {
    namespace t = texts::mainForm;
    QWidget* page = TabSheet3;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;
    const Edges bottom = Edge::Left | Edge::Bottom;
    const Edges bottomRight = Edge::Right | Edge::Bottom;

    ListBox3 = new ListBox(page);
    ListBox3->setAccessibleName(QString::fromUtf8(t::imagesTab));
    placeControl(ListBox3, "ListBox3", {8, 8, 319, 168}, stretch);

    Button8 = makeButton(page, "Button8", t::add, {38, 183, 75, 25}, bottom);
    Button9 = makeButton(page, "Button9", t::remove, {222, 183, 75, 25}, bottomRight);

    Label7 = makeLabel(page, "Label7", t::imagesPeriod, {8, 223}, bottom);
    const QString heading = QString::fromUtf8(t::imagesPeriod).chopped(1) + QStringLiteral(", ");
    const auto field = [&](int number, QPoint at, int maximum, const char* unit) {
        return makeNumberField(page, number, number, at, 0, maximum, bottom,
                               heading + QString::fromUtf8(unit));
    };
    auto hours = field(1, {8, 239}, 24, t::hours);
    Edit1 = hours.edit;
    UpDown1 = hours.upDown;
    Label14 = makeLabel(page, "Label14", t::hours, {64, 247}, bottom);
    auto minutes = field(2, {88, 239}, 60, t::minutes);
    Edit2 = minutes.edit;
    UpDown2 = minutes.upDown;
    Label15 = makeLabel(page, "Label15", t::minutes, {144, 247}, bottom);
    auto seconds = field(3, {184, 239}, 60, t::seconds);
    Edit3 = seconds.edit;
    UpDown3 = seconds.upDown;
    Label16 = makeLabel(page, "Label16", t::seconds, {240, 247}, bottom);
    Label7->setBuddy(Edit1);

    Label20 = makeLabel(page, "Label20", t::imageTimeout, {8, 279}, bottom);
    auto timeout = makeNumberField(page, 7, 7, {264, 275}, 0, 600, bottom,
                                   QString::fromUtf8(t::imageTimeout).chopped(1));
    Edit7 = timeout.edit;
    UpDown7 = timeout.upDown;
    Label20->setBuddy(Edit7);

    Button10 = makeButton(page, "Button10", t::start, {134, 311, 75, 25}, bottom);
}

} // namespace tickwell
