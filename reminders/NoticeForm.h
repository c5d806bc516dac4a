#pragma once

// The notice window: a small top-most window at the bottom right of the work area that shows one
// message, plays the notification sound and fades in. A caller creates a new one for each notice,
// sets the message (Label1's text) and the auto-close delay (Timer2's interval) and shows it;
// the window destroys itself when the user clicks the message or when the delay has passed (a
// delay of 0 or less counts as one second). Notices on the screen at once lie one above the
// other. Its context menu sets the colours of every later notice.

#include "reminders/FadeMethod.h"
#include "reminders/NoticeColors.h"

#include <QColor>
#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace tickwell {

class FadeCover;
class IntervalTimer;

class TNoticeForm : public QWidget {
    Q_OBJECT
public:
    // A notice window owned by no other window. Its colours are `colors`, which its context
    // menu changes while they live.
    explicit TNoticeForm(NoticeColors* colors);
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

    // The opacity as the window system is asked for it, 0 (invisible) to 255 (opaque).
    int opacity() const { return opacity_; }
    // How this showing fades in; decided each time the window is shown.
    FadeMethod fadeMethod() const { return fadeMethod_; }
    // The background colour and Label1's text colour.
    QColor backgroundColor() const { return backgroundColor_; }
    QColor textColor() const { return textColor_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class EnableOnExit;

    // Notices on the screen at once lie one above the other (placeAtBottomRight): a notice takes
    // the lowest place free as it is shown and leaves it when it is closed or destroyed.
    void takePlace();
    void leavePlace();
    void setOpacity(int opacity);
    void setBackgroundColor(const QColor& color);
    void setTextColor(const QColor& color);
    // The frame the window system puts around the window, as far as it is known.
    QMargins frameMargins() const;
    // Puts the window's outer rectangle at its place, counted upwards from the bottom right of
    // the work area, with the frame known so far.
    void placeAtBottomRight();
    // Places the window again once the window manager has put its frame around it.
    void correctPlacementForFrame();
    // One of the two colour choices of the context menu; see N1Click.
    void chooseColor(QColor TNoticeForm::*current, std::string_view valueName,
                     std::uint32_t NoticeColors::*global,
                     void (TNoticeForm::*apply)(const QColor&));

    QPointer<NoticeColors> colors_;
    FadeCover* fadeCover_;
    int opacity_ = 220;
    FadeMethod fadeMethod_ = FadeMethod::WindowOpacity;
    // The colours, also what the two colour dialogs are preset to.
    QColor backgroundColor_;
    QColor textColor_;
    // The frame the last placement reckoned with; while placement is pending, another frame
    // reported by the window system places the window again.
    QMargins placedMargins_;
    static QMargins lastFrameMargins_;
    // The notices on the screen by their places; null where a place is free.
    static std::vector<TNoticeForm*> places_;
    int place_ = -1;
    bool placementPending_ = false;
    bool watchingWindow_ = false;
    QTimer* frameWatch_;
    int frameChecks_ = 0;
};

} // namespace tickwell
