#pragma once

#include "widgets/AppTexts.h"

#include <QObject>
#include <QString>
#include <QWidget>
#include <exception>
#include <type_traits>
#include <utility>

namespace tickwell {

// Shows an error that ended a handler: `text` in a message box titled with the application title,
// with the error icon and an OK button, owned by `owner`.
void reportError(QWidget* owner, const QString& text);

// The text shown for a caught exception: its what() read as UTF-8.
QString errorText(const std::exception& error);

// Runs one entry from the event loop (a slot, a timer, a menu item, a dialog button). An exception
// ends the handler where it was raised; the store's errors, list index errors and any other
// std::exception are shown through reportError() and the event loop goes on. Nothing escapes.
template <class Handler> void guarded(QWidget* owner, Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        try {
            reportError(owner, errorText(error));
        } catch (...) {
            // Showing the report failed too (out of memory); the loop still goes on.
        }
    } catch (...) {
        try {
            reportError(owner, QString::fromUtf8(texts::unknownError));
        } catch (...) {
            // As above.
        }
    }
}

// Connects `signal` of `sender` to `handler`, which runs guarded with `owner` as the owner of the
// error box and as the connection's context (the connection ends with it). The handler receives
// the signal's arguments, or none when it takes none.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QWidget* owner,
                                       Handler handler) {
    return QObject::connect(
        sender, signal, owner, [owner, handler = std::move(handler)](auto&&... arguments) mutable {
            guarded(owner, [&] {
                if constexpr (std::is_invocable_v<Handler&, decltype(arguments)...>) {
                    handler(arguments...);
                } else {
                    handler();
                }
            });
        });
}

} // namespace tickwell
