#pragma once

#include "platform/Dialogs.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <optional>
#include <vector>

namespace tickwell::test {

// What a scripted message box must look like and how it is answered. Unset fields are not
// checked. An OK box is answered Ok; a Yes/No box needs `answer` Yes or No.
struct ExpectedMessage {
    std::optional<QString> text{};
    std::optional<QString> caption{};
    std::optional<MessageIcon> icon{};
    std::optional<MessageButtons> buttons{};
    std::optional<const QWidget*> owner{};
    std::optional<MessageAnswer> answer{};
};

enum class DialogKind { Message, Color, Files };

// One dialog the program showed, as it asked for it.
struct ShownDialog {
    DialogKind kind = DialogKind::Message;
    const QWidget* owner = nullptr;
    QString text;    // message boxes
    QString caption; // message boxes
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    QColor initialColor; // colour dialog
    QString filter;      // file dialog
};

// The dialogs of a test: each dialog the program shows takes the next entry of a script, in
// order, and is recorded. A dialog the script did not expect, one that differs from what the
// script says, or script entries still unused at the end fail the test.
class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs() = default;
    ~ScriptedDialogs() override;

    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next dialog is a message box like `expected`, answered as it says.
    ScriptedDialogs& expectMessage(ExpectedMessage expected = {});
    // The next dialog is a Yes/No box, answered Yes or No.
    ScriptedDialogs& answerNextQuestion(MessageAnswer answer);
    // The next dialog is the error report of a handler: `text`, titled with the application
    // title, error icon, OK button.
    ScriptedDialogs& expectError(const QString& text);
    // The next dialog is the colour dialog (preset to `initial`, if given); it returns `result`
    // (nothing: cancelled).
    ScriptedDialogs& expectColorDialog(std::optional<QColor> result,
                                       std::optional<QColor> initial = std::nullopt);
    // The next dialog is the file-open dialog (with `filter` in the program's form, if given);
    // it returns `paths` (empty: cancelled).
    ScriptedDialogs& expectFileDialog(QStringList paths,
                                      std::optional<QString> filter = std::nullopt);

    // While on, every dialog runs the event loop before it is answered, as a real modal dialog
    // does while it waits for the user: timers fire and what was posted runs (several rounds,
    // so that what runs may post in turn). Off by default.
    void setRunsEventLoop(bool on) { runsEventLoop_ = on; }

    // Every dialog shown so far, in order.
    const std::vector<ShownDialog>& shown() const { return shown_; }
    // Script entries not used yet.
    std::size_t pending() const { return script_.size(); }
    // Fails the test for every script entry not used yet, and forgets them.
    void verifyAllUsed();

    MessageAnswer message(QWidget* owner, const QString& text, const QString& caption,
                          MessageIcon icon, MessageButtons buttons) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) override;
    QStringList openFiles(QWidget* owner, const QString& filter) override;

private:
    struct Entry {
        DialogKind kind;
        ExpectedMessage message;
        std::optional<QColor> color;
        std::optional<QColor> initialColor;
        QStringList paths;
        std::optional<QString> filter;
    };

    // The next entry if it is of `kind`; otherwise fails the test and returns nothing.
    std::optional<Entry> take(DialogKind kind, const ShownDialog& shown);

    // Runs the event loop as a shown dialog would, when asked to.
    void runEventLoopWhileShown() const;

    std::deque<Entry> script_;
    std::vector<ShownDialog> shown_;
    bool runsEventLoop_ = false;
};

} // namespace tickwell::test
