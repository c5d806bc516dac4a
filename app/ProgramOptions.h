#pragma once

// The command line of tickwell. Its own options are read before the toolkit starts, so that they
// answer where there is no display; the toolkit's options (-platform, -display, -style, ...) are
// left to the toolkit, which takes them out of the arguments it is given.

#include <QString>
#include <QStringList>

namespace tickwell::options {

enum class Request { Run, Help, Version };

// What the arguments after the program's name ask for; the first of --help and --version wins.
Request requestOf(const QStringList& arguments);

// Whether the arguments name the toolkit's platform or display (-platform, -display), which
// then decide whether there is a display.
bool choosesDisplay(const QStringList& arguments);

// The answers to --help and --version.
QString helpText();
QString versionLine();

// One line each, for standard error.
QString unknownOptionLine(const QString& argument);
QString noDisplayLine();
QString needsXServerLine();

} // namespace tickwell::options
