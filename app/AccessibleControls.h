#pragma once

// Makes the program's own controls usable through the accessibility bridge: the spin buttons
// of the numeric fields read and set their position as a value, and the web link can be
// pressed. Call once, after the application object exists.
namespace tickwell {

void installAccessibleControls();

} // namespace tickwell
