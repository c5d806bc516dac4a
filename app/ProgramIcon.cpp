#include "app/ProgramIcon.h"

#include "program/ProgramInfo.h"
#include "resources/ResourcePaths.h"

#include <QDir>

namespace tickwell {

QIcon programIcon() {
    QIcon compiledIn;
    const QDir folder(QString::fromLatin1(resources::programIconFolder));
    for (const QString& name : folder.entryList(QDir::Files)) {
        compiledIn.addFile(folder.filePath(name));
    }
    return QIcon::fromTheme(QString::fromLatin1(program::iconName), compiledIn);
}

} // namespace tickwell
