#pragma once

// The settings check and repair, run once at every start before anything else reads the store.
// It offers to delete the previous version's settings, creates every missing key and value of
// the layout with its default, makes each pair of lists (display names and subkey names) agree
// with each other and with their subkeys, and fills in missing values inside every listed
// reminder and task. Each single repair counts as one error; on a later start (not the first)
// the user is told how many were repaired.
//
// Store errors (a value of the wrong type read as an integer, a write the store refuses) end
// the check by exception, with what was written before kept; the caller's guard shows them.

class QWidget;

namespace tickwell {

// Runs the check with the process-wide dialogs and clock; `owner` owns both message boxes
// (the main window).
void checkSettings(QWidget* owner);

} // namespace tickwell
