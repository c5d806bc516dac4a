// The Images tab's controls at their design places and the wiring of each to its handler.

#include "slideshow/SlideshowPage.h"

#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "slideshow/ImageFileName.h"
#include "slideshow/ImageForm.h"
#include "slideshow/SlideshowTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormControls.h"
#include "widgets/ListBox.h"
#include "widgets/PeriodFields.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace tickwell {

SlideshowPage::SlideshowPage(IntervalTimer& imagesTimer)
    : TabPage("TabSheet3", texts::slideshow::tab), ImagesTimer(imagesTimer) {
    buildControls();
    ImageForm = new TImageForm(*this);
    connectHandlers();
}

SlideshowPage::~SlideshowPage() {
    delete ImageForm;
}

void SlideshowPage::buildControls() {
    namespace t = texts::slideshow;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;
    const Edges bottom = Edge::Left | Edge::Bottom;
    const Edges bottomRight = Edge::Right | Edge::Bottom;

    ListBox3 = new ListBox(this);
    ListBox3->setAccessibleName(QString::fromUtf8(t::tab));
    placeControl(ListBox3, "ListBox3", {8, 8, 319, 168}, stretch);

    Button8 = makeButton(this, "Button8", texts::add, {38, 183, 75, 25}, bottom);
    Button9 = makeButton(this, "Button9", texts::remove, {222, 183, 75, 25}, bottomRight);

    Label7 = makeLabel(this, "Label7", t::periodCaption, {8, 223}, bottom);
    const PeriodFields period = makePeriodFields(this, Label7, 1, 14, 239, bottom);
    Edit1 = period.fields[0].edit;
    UpDown1 = period.fields[0].upDown;
    Label14 = period.units[0];
    Edit2 = period.fields[1].edit;
    UpDown2 = period.fields[1].upDown;
    Label15 = period.units[1];
    Edit3 = period.fields[2].edit;
    UpDown3 = period.fields[2].upDown;
    Label16 = period.units[2];

    Label20 = makeLabel(this, "Label20", t::timeoutCaption, {8, 279}, bottom);
    auto timeout = makeNumberField(this, 7, 7, {264, 275}, 0, 600, bottom,
                                   QString::fromUtf8(t::timeoutCaption).chopped(1));
    Edit7 = timeout.edit;
    UpDown7 = timeout.upDown;
    Label20->setBuddy(Edit7);

    Button10 = makeButton(this, "Button10", texts::start, {134, 311, 75, 25}, bottom);
}

void SlideshowPage::connectHandlers() {
    const auto onClick = [this](QPushButton* button, void (SlideshowPage::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    connectGuarded(ListBox3, &ListBox::click, this, [this] { ListBox3Click(); });
    onClick(Button8, &SlideshowPage::Button8Click);
    onClick(Button9, &SlideshowPage::Button9Click);
    onClick(Button10, &SlideshowPage::Button10Click);
    connectGuarded(&ImagesTimer, &IntervalTimer::timeout, this,
                   [this] { timerFailures_.run(this, [this] { ImagesTimerTimer(); }); });
}

void SlideshowPage::setTrayItem(QAction* item) {
    N4 = item;
    connectGuarded(N4, &QAction::triggered, this, [this] { Button10Click(); });
}

QStringList SlideshowPage::OpenDialog1Execute() {
    return dialogs().openFiles(window(), QString::fromUtf8(texts::slideshow::imageFileFilter));
}

void SlideshowPage::loadImages(SettingsStore& store) {
    ImagePaths.clear();
    for (const std::string& path : NameList::split(store.readString(layout::product::imagesList))) {
        ImagePaths.append(QString::fromStdString(path));
        ListBox3->addItem(imageFileName(ImagePaths.back()));
    }
    UpDown7->setPosition(store.readInteger(layout::product::imagesTimeout));
    showPeriod(store.readInteger(layout::product::imagesInterval), *UpDown1, *UpDown2, *UpDown3);
}

// The start button stays centred on the window's width.
void SlideshowPage::FormResize(int windowWidth) {
    Button10->move(windowWidth / 2 - Button10->width() / 2, Button10->y());
}

} // namespace tickwell
