#include "ScriptedDialogs.h"

#include "widgets/AppTexts.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <string>

namespace tickwell::test {

namespace {

const char* kindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Message:
        return "message box";
    case DialogKind::Color:
        return "colour dialog";
    case DialogKind::Files:
        return "file-open dialog";
    }
    return "dialog";
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return "none";
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Error:
        return "error";
    case MessageIcon::Question:
        return "question";
    }
    return "?";
}

std::string describe(const ShownDialog& shown) {
    std::string text = kindName(shown.kind);
    if (shown.kind == DialogKind::Message) {
        text += " \"" + shown.text.toStdString() + "\" captioned \"" + shown.caption.toStdString() +
                "\" with icon " + iconName(shown.icon) +
                (shown.buttons == MessageButtons::YesNo ? " and Yes/No" : " and OK");
    }
    return text;
}

} // namespace

ScriptedDialogs::~ScriptedDialogs() {
    verifyAllUsed();
}

ScriptedDialogs& ScriptedDialogs::expectMessage(ExpectedMessage expected) {
    script_.push_back({DialogKind::Message, std::move(expected), {}, {}, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerNextQuestion(MessageAnswer answer) {
    return expectMessage({.buttons = MessageButtons::YesNo, .answer = answer});
}

ScriptedDialogs& ScriptedDialogs::expectError(const QString& text) {
    return expectMessage({.text = text,
                          .caption = QString::fromUtf8(texts::applicationTitle),
                          .icon = MessageIcon::Error,
                          .buttons = MessageButtons::Ok});
}

ScriptedDialogs& ScriptedDialogs::expectColorDialog(std::optional<QColor> result,
                                                    std::optional<QColor> initial) {
    script_.push_back({DialogKind::Color, {}, result, initial, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFileDialog(QStringList paths,
                                                   std::optional<QString> filter) {
    script_.push_back({DialogKind::Files, {}, {}, {}, std::move(paths), std::move(filter)});
    return *this;
}

void ScriptedDialogs::verifyAllUsed() {
    for (const Entry& entry : script_) {
        std::string what = kindName(entry.kind);
        if (entry.kind == DialogKind::Message && entry.message.text) {
            what += " \"" + entry.message.text->toStdString() + "\"";
        }
        ADD_FAILURE() << "The script expected a " << what << " that was never shown";
    }
    script_.clear();
}

// Called once the dialog's script entry is taken, so that a dialog shown meanwhile takes the next.
void ScriptedDialogs::runEventLoopWhileShown() const {
    if (!runsEventLoop_) {
        return;
    }
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
    }
}

std::optional<ScriptedDialogs::Entry> ScriptedDialogs::take(DialogKind kind,
                                                            const ShownDialog& shown) {
    shown_.push_back(shown);
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected " << describe(shown);
        return std::nullopt;
    }
    if (script_.front().kind != kind) {
        ADD_FAILURE() << "The script expected a " << kindName(script_.front().kind)
                      << " but the program showed a " << describe(shown);
        // That entry is spent: what follows is compared with the entries after it.
        script_.pop_front();
        return std::nullopt;
    }
    // GCC 12 at -O3 takes the empty optionals inside a moved entry for uninitialised memory.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
    Entry entry = std::move(script_.front());
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
    script_.pop_front();
    return entry;
}

MessageAnswer ScriptedDialogs::message(QWidget* owner, const QString& text, const QString& caption,
                                       MessageIcon icon, MessageButtons buttons) {
    const ShownDialog shown{DialogKind::Message, owner, text, caption, icon, buttons, {}, {}};
    const MessageAnswer safe =
        buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    const std::optional<Entry> entry = take(DialogKind::Message, shown);
    runEventLoopWhileShown();
    if (!entry) {
        return safe;
    }
    const ExpectedMessage& expected = entry->message;
    if (expected.text) {
        EXPECT_EQ(text.toStdString(), expected.text->toStdString()) << "text of a message box";
    }
    if (expected.caption) {
        EXPECT_EQ(caption.toStdString(), expected.caption->toStdString())
            << "caption of the message box \"" << text.toStdString() << "\"";
    }
    if (expected.icon) {
        EXPECT_STREQ(iconName(icon), iconName(*expected.icon))
            << "icon of the message box \"" << text.toStdString() << "\"";
    }
    if (expected.buttons) {
        EXPECT_EQ(buttons, *expected.buttons)
            << "buttons of the message box \"" << text.toStdString() << "\"";
    }
    if (expected.owner) {
        EXPECT_EQ(owner, *expected.owner)
            << "owner of the message box \"" << text.toStdString() << "\"";
    }
    if (buttons == MessageButtons::Ok) {
        if (expected.answer && *expected.answer != MessageAnswer::Ok) {
            ADD_FAILURE() << "The script answers Yes/No to the OK box " << describe(shown);
        }
        return MessageAnswer::Ok;
    }
    if (!expected.answer || *expected.answer == MessageAnswer::Ok) {
        ADD_FAILURE() << "The script gives no Yes or No for the question " << describe(shown);
        return safe;
    }
    return *expected.answer;
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget* owner, const QColor& initial) {
    ShownDialog shown{DialogKind::Color,  owner,   {}, {}, MessageIcon::None,
                      MessageButtons::Ok, initial, {}};
    const std::optional<Entry> entry = take(DialogKind::Color, shown);
    runEventLoopWhileShown();
    if (!entry) {
        return std::nullopt;
    }
    if (entry->initialColor) {
        EXPECT_EQ(initial.name().toStdString(), entry->initialColor->name().toStdString())
            << "initial colour of the colour dialog";
    }
    return entry->color;
}

QStringList ScriptedDialogs::openFiles(QWidget* owner, const QString& filter) {
    ShownDialog shown{DialogKind::Files,  owner, {},    {}, MessageIcon::None,
                      MessageButtons::Ok, {},    filter};
    const std::optional<Entry> entry = take(DialogKind::Files, shown);
    runEventLoopWhileShown();
    if (!entry) {
        return {};
    }
    if (entry->filter) {
        EXPECT_EQ(filter.toStdString(), entry->filter->toStdString())
            << "filter of the file-open dialog";
    }
    return entry->paths;
}

} // namespace tickwell::test
