#include "widgets/ErrorGuard.h"

#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TestSeams.h"
#include "settings/StoreError.h"
#include "widgets/AppTexts.h"
#include "widgets/ListIndexError.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

using namespace tickwell;
using tickwell::test::ScriptedDialogs;
using tickwell::test::TestSeams;

namespace {

TEST(ErrorGuard, StoreErrorEndsTheHandlerWhereRaisedAndIsShownWithTitleAndErrorIcon) {
    QWidget form;
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.expectMessage({.text = "Failed to get data for 'interval'",
                          .caption = "Tickwell v2.0",
                          .icon = MessageIcon::Error,
                          .buttons = MessageButtons::Ok,
                          .owner = &form});
    int stepsRun = 0;

    guarded(&form, [&] {
        ++stepsRun;
        throw StoreError::failedToGet("interval");
        ++stepsRun; // never reached
    });

    EXPECT_EQ(stepsRun, 1);
}

TEST(ErrorGuard, ListIndexErrorShowsIndexInItsText) {
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.expectError("List index out of bounds (-1)").expectError("List index out of bounds (3)");

    guarded(nullptr, [] { checkListIndex(-1, 3); });
    guarded(nullptr, [] { checkListIndex(3, 3); });
    guarded(nullptr, [] { checkListIndex(2, 3); }); // in range: nothing shown
}

TEST(ErrorGuard, RussianTextsReachTheBoxIntact) {
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.expectError("Раздел не найден");
    guarded(nullptr, [] { throw std::runtime_error("Раздел не найден"); });
}

TEST(ErrorGuard, AnyOtherExceptionIsShownToo) {
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.expectError(QString::fromUtf8(std::bad_alloc().what())).expectError(texts::unknownError);
    guarded(nullptr, [] { throw std::bad_alloc(); });
    guarded(nullptr, [] { throw 42; });
}

TEST(ErrorGuard, HandlerWithoutErrorShowsNothing) {
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    bool ran = false;
    guarded(nullptr, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(script.shown().empty());
}

TEST(ErrorGuard, GuardedConnectionKeepsTheProgramGoingAfterAnError) {
    QWidget form;
    auto* button = new QPushButton(&form);
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.expectError("List index out of bounds (5)");
    int clicks = 0;
    connectGuarded(button, &QPushButton::clicked, &form, [&] {
        ++clicks;
        if (clicks == 1) {
            checkListIndex(5, 2);
        }
    });

    button->click();
    button->click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(script.shown().size(), 1u);
}

TEST(ErrorGuard, GuardedConnectionPassesTheSignalsArguments) {
    QWidget form;
    auto* button = new QPushButton(&form);
    button->setCheckable(true);
    const TestSeams seams;
    QList<bool> states;
    connectGuarded(button, &QPushButton::toggled, &form, [&](bool on) { states << on; });

    button->click();
    button->click();
    EXPECT_EQ(states, (QList<bool>{true, false}));
}

TEST(ErrorGuard, GuardedConnectionEndsWithItsOwner) {
    auto* form = new QWidget;
    QPushButton button;
    int clicks = 0;
    connectGuarded(&button, &QPushButton::clicked, form, [&] { ++clicks; });
    delete form;
    button.click();
    EXPECT_EQ(clicks, 0);
}

} // namespace
