#pragma once

// The notice window: a small top-most window at the bottom right of the work area that shows one
// message, plays the notification sound and fades in. A caller creates a new one for each notice,
// sets the message (Label1's text) and the auto-close delay (Timer2's interval) and shows it;
// the window destroys itself when the user clicks the message or when the delay has passed. Its
// context menu sets the colours of every later notice.

#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;

namespace tickwell {

class IntervalTimer;
class TMainForm;

class TNoticeForm : public QWidget {
    Q_OBJECT
public:
    // A notice window owned by no other window. Its colours are the main window's
    // NoticeBackgroundColor and NoticeTextColor, which its context menu changes while that
    // window lives.
    explicit TNoticeForm(TMainForm* mainForm);
    ~TNoticeForm() override;

    // --- Controls and components (each also carries its name as its objectName) ------------
    QLabel* Label1;        // the message
    IntervalTimer* Timer1; // fade-in step, 10 ms
    IntervalTimer* Timer2; // auto-close delay; the caller sets the interval
    QMenu* PopupMenu1;     // on the message only
    QAction* N1;           // "Установить фоновый цвет"
    QAction* N2;           // "Установить цвет текста"

    // --- Handlers -----------------------------------------------------------------------------
    void FormShow();
    void Timer1Timer();
    void Label1Click(); // also Timer2's handler
    void N1Click();
    void N2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<TMainForm> mainForm_;
};

} // namespace tickwell
