// The real file-open dialog of the images list, looked at while it waits for the user: it
// offers the JPEG files of a folder (*.jpg, *.jpeg, *.jpe) whatever the letter case of their
// names.

#include "JpegTestFiles.h"
#include "platform/QtDialogs.h"
#include "slideshow/SlideshowTexts.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFileDialog>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tickwell::test {
namespace {

TEST(ImageFileDialog, OffersJpegFilesWhateverTheLetterCaseOfTheirNames) {
    TempDir folder;
    for (const char* name : {"sea.jpg", "IMG_0001.JPG", "Forest.Jpg", "notes.txt", "sea.jpeg",
                             "Moon.JPE", "sea.jpg.txt", "jpg"}) {
        writeFile(folder / name, {'x'});
    }
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(QString::fromStdString(folder.path().string()));
        auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        // The folder is read in the background; nothing more comes after the five files.
        const auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
        for (int wait = 0; wait < 200 && rows() < 5; ++wait) {
            QTest::qWait(50);
        }
        QTest::qWait(200);
        for (int row = 0; row < rows(); ++row) {
            offered << view->model()->index(row, 0, view->rootIndex()).data().toString();
        }
        dialog->reject();
    });
    QWidget owner;
    QtDialogs real;
    EXPECT_TRUE(
        real.openFiles(&owner, QString::fromUtf8(texts::slideshow::imageFileFilter)).isEmpty());
    offered.sort(Qt::CaseInsensitive);
    EXPECT_EQ(offered,
              (QStringList{"Forest.Jpg", "IMG_0001.JPG", "Moon.JPE", "sea.jpeg", "sea.jpg"}));
}

} // namespace
} // namespace tickwell::test
