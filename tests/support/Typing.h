#pragma once

// Typing into a field as a person does, key by key.

#include <QString>

class QWidget;

namespace tickwell::test {

// Types `text` into `widget` key by key, as a keyboard does ("\n" presses Enter).
void typeInto(QWidget* widget, const QString& text);
// Selects the whole text of `widget` and types `text` over it.
void typeOver(QWidget* widget, const QString& text);

} // namespace tickwell::test
