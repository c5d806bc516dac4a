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
    const PeriodFields period = makePeriodFields(page, Label7, 1, 14, 239, bottom);
    Edit1 = period.fields[0].edit;
    UpDown1 = period.fields[0].upDown;
    Label14 = period.units[0];
    Edit2 = period.fields[1].edit;
    UpDown2 = period.fields[1].upDown;
    Label15 = period.units[1];
    Edit3 = period.fields[2].edit;
    UpDown3 = period.fields[2].upDown;
    Label16 = period.units[2];

    Label20 = makeLabel(page, "Label20", t::imageTimeout, {8, 279}, bottom);
    auto timeout = makeNumberField(page, 7, 7, {264, 275}, 0, 600, bottom,
                                   QString::fromUtf8(t::imageTimeout).chopped(1));
    Edit7 = timeout.edit;
    UpDown7 = timeout.upDown;
    Label20->setBuddy(Edit7);

    Button10 = makeButton(page, "Button10", t::start, {134, 311, 75, 25}, bottom);
}

} // namespace tickwell
