#pragma once

#include <QString>

namespace tickwell {

// The Help tab's text from the resources: its lines joined by "\n", without a final line break.
QString helpText();

} // namespace tickwell
