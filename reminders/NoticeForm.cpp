#include "NoticeForm.h"

#include "IntervalTimer.h"
#include "MainForm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>

namespace tickwell {

TNoticeForm::TNoticeForm(TMainForm* mainForm) : QWidget(nullptr), mainForm_(mainForm) {
    setObjectName(QStringLiteral("NoticeForm"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Timer1 = new IntervalTimer(this, QStringLiteral("Timer1"), 10, false);
    Timer2 = new IntervalTimer(this, QStringLiteral("Timer2"), 30000, false);
    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QString());
    N2 = PopupMenu1->addAction(QString());
}

TNoticeForm::~TNoticeForm() = default;

void TNoticeForm::FormShow() {}
void TNoticeForm::Timer1Timer() {}
void TNoticeForm::Label1Click() {}
void TNoticeForm::N1Click() {}
void TNoticeForm::N2Click() {}

void TNoticeForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
}

} // namespace tickwell
