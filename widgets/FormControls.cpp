#include "widgets/FormControls.h"

#include "platform/ScreenInfo.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/FormDesign.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tickwell {

namespace {
constexpr QSize editSize{33, 21};
constexpr QSize upDownSize{16, 21};
} // namespace

void placeControl(QWidget* control, const char* name, const QRect& design, Edges edges) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(design);
    EdgeAnchors::install(control, edges, design, control->parentWidget()->size());
}

QPushButton* makeButton(QWidget* page, const char* name, const char* caption, const QRect& design,
                        Edges edges) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setAutoDefault(false);
    placeControl(button, name, design, edges);
    return button;
}

AutoSizeLabel* makeLabel(QWidget* page, const char* name, const char* text, QPoint design,
                         Edges edges) {
    auto* label = new AutoSizeLabel(QString::fromUtf8(text), page);
    placeControl(label, name, QRect(design, label->size()), edges);
    return label;
}

NumberField makeNumberField(QWidget* page, int editNumber, int upDownNumber, QPoint design,
                            int minimum, int maximum, Edges edges, const QString& accessibleName) {
    auto* edit = new QLineEdit(page);
    edit->setAccessibleName(accessibleName);
    placeControl(edit, QStringLiteral("Edit%1").arg(editNumber).toLatin1().constData(),
                 QRect(design, editSize), edges);

    auto* upDown = new UpDown(page);
    upDown->setAccessibleName(accessibleName);
    upDown->setRange(minimum, maximum);
    upDown->setPosition(0);
    upDown->setAssociate(edit);
    placeControl(upDown, QStringLiteral("UpDown%1").arg(upDownNumber).toLatin1().constData(),
                 QRect(design + QPoint(editSize.width(), 0), upDownSize), edges);
    return {edit, upDown};
}

PeriodFields makePeriodFields(QWidget* page, AutoSizeLabel* heading, int firstField,
                              int firstUnitLabel, int top, Edges edges) {
    namespace t = texts;
    struct Column {
        int fieldLeft;
        int unitLeft;
        int maximum;
        const char* unit;
    };
    static constexpr Column columns[3] = {
        {8, 64, 24, t::hours}, {88, 144, 60, t::minutes}, {184, 240, 60, t::seconds}};
    const QString spoken = heading->text().chopped(1) + QStringLiteral(", ");

    PeriodFields row{};
    for (int i = 0; i < 3; ++i) {
        const Column& column = columns[i];
        row.fields[i] =
            makeNumberField(page, firstField + i, firstField + i, {column.fieldLeft, top}, 0,
                            column.maximum, edges, spoken + QString::fromUtf8(column.unit));
        const QByteArray unitName = "Label" + QByteArray::number(firstUnitLabel + i);
        row.units[i] =
            makeLabel(page, unitName.constData(), column.unit, {column.unitLeft, top + 8}, edges);
    }
    heading->setBuddy(row.fields[0].edit);
    return row;
}

QLabel* makeDetailText(QWidget* page, const char* name, QLabel* caption, const QRect& design,
                       Edges edges) {
    auto* text = new QLabel(page);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // No accessible name of its own, which would hide the text: the caption labels it.
    caption->setBuddy(text);
    placeControl(text, name, design, edges);
    return text;
}

QCheckBox* makeWindowCheckBox(QWidget* parent, const char* name, const char* caption, QPoint design,
                              Edges edges) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->adjustSize();
    placeControl(box, name, QRect(design, box->size()), edges);
    return box;
}

QString spokenName(const QString& caption) {
    return caption.endsWith(QLatin1Char(':')) ? caption.chopped(1) : caption;
}

void setUpEditorWindow(QWidget* editor, const char* objectName, QSize designOuterSize,
                       int smallestWidth) {
    editor->setObjectName(QLatin1String(objectName));
    // A dialog to a screen reader, though it does not keep the user from other windows.
    setAccessibleWindowRole(editor, QAccessible::Dialog);
    // Title, system menu, minimise and close, but no maximise button.
    editor->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
    editor->setFont(design::formFont());
    const QSize size(designOuterSize.width(), designOuterSize.height() - design::dialogTitleBar);
    editor->setMinimumSize(smallestWidth, size.height());
    editor->resize(size);
    // At the centre of the desktop.
    const QRect desktop = screenInfo().desktopArea();
    if (!desktop.isEmpty()) {
        editor->move(desktop.center() -
                     QPoint(designOuterSize.width() / 2, designOuterSize.height() / 2));
    }
}

void showEditorWindow(QWidget* editor) {
    editor->setWindowState(editor->windowState() & ~Qt::WindowMinimized);
    editor->show();
    editor->activateWindow();
}

} // namespace tickwell
