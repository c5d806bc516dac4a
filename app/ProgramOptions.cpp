#include "app/ProgramOptions.h"

#include "app/MainFormTexts.h"
#include "program/ProgramInfo.h"

namespace tickwell::options {

namespace {

// The toolkit reads its options with one dash or two.
bool isToolkitOption(const QString& argument, QLatin1String name) {
    return argument == u'-' + name || argument == QStringLiteral("--") + name;
}

} // namespace

Request requestOf(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return Request::Help;
        }
        if (argument == QLatin1String("--version")) {
            return Request::Version;
        }
    }
    return Request::Run;
}

bool choosesDisplay(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (isToolkitOption(argument, QLatin1String("platform")) ||
            isToolkitOption(argument, QLatin1String("display"))) {
            return true;
        }
    }
    return false;
}

QString helpText() {
    return QString::fromUtf8(texts::mainForm::commandLineHelp);
}

QString versionLine() {
    return QStringLiteral("tickwell ") + QLatin1String(program::version);
}

QString unknownOptionLine(const QString& argument) {
    return QString::fromUtf8(texts::mainForm::unknownOption).arg(argument);
}

QString noDisplayLine() {
    return QString::fromUtf8(texts::mainForm::noDisplay);
}

QString needsXServerLine() {
    return QString::fromUtf8(texts::mainForm::needsXServer);
}

} // namespace tickwell::options
