#include "AddNotice.h"

#include "MainForm.h"

#include <QPushButton>
#include <QShowEvent>

namespace tickwell {

TAddNotice::TAddNotice(TMainForm& mainForm) : QWidget(nullptr), mainForm_(mainForm) {
    setObjectName(QStringLiteral("AddNotice"));
    Button1 = new QPushButton(this);
}

TAddNotice::~TAddNotice() = default;

void TAddNotice::FormShow() {}
void TAddNotice::CheckBox2Click() {}
void TAddNotice::FormResize() {}
void TAddNotice::Button1Click() {}

void TAddNotice::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
}

void TAddNotice::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
}

} // namespace tickwell
