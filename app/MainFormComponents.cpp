// The main window's components without a window of their own: the tray menu, the timers and
// the file-open dialog; and the wiring of every control to its handler.

#include "Dialogs.h"
#include "ErrorGuard.h"
#include "IntervalTimer.h"
#include "LinkLabel.h"
#include "ListBox.h"
#include "MainForm.h"
#include "MainFormTexts.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace tickwell {

namespace {
constexpr int checkTimerInterval = 30000; // ms between two day-change checks
} // namespace

void TMainForm::buildComponents() {
    namespace t = texts::mainForm;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [this](const char* name, const char* caption, bool checkable) {
        QAction* action = PopupMenu1->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        action->setCheckable(checkable);
        return action;
    };
    N1 = item("N1", t::restoreItem, false);
    N2 = item("N2", t::remindersItem, true);
    N3 = item("N3", t::tasksItem, true);
    N4 = item("N4", t::imagesItem, true);
    N5 = item("N5", t::autostartItem, true);
    N6 = item("N6", t::exitItem, false);
    // The default item is shown in bold; it is greyed while the window is on screen.
    PopupMenu1->setDefaultAction(N1);
    N1->setEnabled(false);

    ImagesTimer = new IntervalTimer(this, QStringLiteral("ImagesTimer"), 0, false);
    TasksTimer = new IntervalTimer(this, QStringLiteral("TasksTimer"), 0, false);
    CheckTimer = new IntervalTimer(this, QStringLiteral("CheckTimer"), checkTimerInterval, true);
}

QStringList TMainForm::OpenDialog1Execute() {
    return dialogs().openFiles(this, QString::fromUtf8(texts::mainForm::imageFileFilter));
}

void TMainForm::connectHandlers() {
    // A checkable item has already changed its mark when `triggered` arrives; a disabled item
    // does not trigger at all.
    const auto onClick = [this](QPushButton* button, void (TMainForm::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    const auto onItem = [this](QAction* action, void (TMainForm::*handler)()) {
        connectGuarded(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    const auto onTimer = [this](IntervalTimer* timer, void (TMainForm::*handler)()) {
        connectGuarded(timer, &IntervalTimer::timeout, this,
                       [this, handler] { (this->*handler)(); });
    };

    connectGuarded(PageControl1, &QTabWidget::currentChanged, this,
                   [this] { PageControl1Change(); });
    connectGuarded(Label10, &LinkLabel::clicked, this, [this] { Label10Click(); });

    connectGuarded(ListBox1, &ListBox::click, this, [this] { ListBox1Click(); });
    connectGuarded(ListBox1, &ListBox::doubleClick, this, [this] { Button2Click(); });
    onClick(Button1, &TMainForm::Button1Click);
    onClick(Button2, &TMainForm::Button2Click);
    onClick(Button3, &TMainForm::Button3Click);
    onClick(Button4, &TMainForm::Button4Click);

    connectGuarded(ListBox2, &ListBox::click, this, [this] { ListBox2Click(); });
    connectGuarded(ListBox2, &ListBox::doubleClick, this, [this] { Button6Click(); });
    onClick(Button5, &TMainForm::Button5Click);
    onClick(Button6, &TMainForm::Button6Click);
    onClick(Button7, &TMainForm::Button7Click);
    // The check box reports every change of its state, also those the program makes.
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    onClick(Button11, &TMainForm::Button11Click);

    connectGuarded(ListBox3, &ListBox::click, this, [this] { ListBox3Click(); });
    onClick(Button8, &TMainForm::Button8Click);
    onClick(Button9, &TMainForm::Button9Click);
    onClick(Button10, &TMainForm::Button10Click);

    onItem(N1, &TMainForm::TrayIcon1DblClick);
    onItem(N2, &TMainForm::N2Click);
    onItem(N3, &TMainForm::Button11Click);
    onItem(N4, &TMainForm::Button10Click);
    onItem(N5, &TMainForm::N5Click);
    onItem(N6, &TMainForm::N6Click);

    onTimer(ImagesTimer, &TMainForm::ImagesTimerTimer);
    onTimer(TasksTimer, &TMainForm::TasksTimerTimer);
    onTimer(CheckTimer, &TMainForm::CheckTimerTimer);
}

} // namespace tickwell
