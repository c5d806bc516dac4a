#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tickwell {

// The icon of a message box.
enum class MessageIcon { None, Information, Warning, Error, Question };

// The buttons of a message box.
enum class MessageButtons { Ok, YesNo };

// What the user answered in a message box.
enum class MessageAnswer { Ok, Yes, No };

// Every dialog the program shows goes through this interface, so that tests can answer them
// from a script and see what was asked. The real one shows Qt's standard dialogs, modally.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box owned by `owner` (nullptr: owned by the application). A Yes/No box that the
    // user escapes answers No.
    virtual MessageAnswer message(QWidget* owner, const QString& text, const QString& caption,
                                  MessageIcon icon, MessageButtons buttons) = 0;

    // The colour dialog, preset to `initial`; the chosen colour, or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) = 0;

    // The file-open dialog for several existing files. `filter` is in the program's form
    // "Description|pattern[|Description|pattern...]" (see FileFilter.h). Returns the full paths
    // chosen, empty when cancelled.
    virtual QStringList openFiles(QWidget* owner, const QString& filter) = 0;

    // An OK box; shorthand for message(..., MessageButtons::Ok).
    void inform(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon);
    // A Yes/No box; true when the answer is Yes.
    bool ask(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon);
};

// The dialogs the program uses: Qt's unless a test installed others (Seams.h).
Dialogs& dialogs();

} // namespace tickwell
