#include "QtPrinters.h"
#include "program/ProgramInfo.h"
#include "resources/HelpText.h"
#include "resources/ResourcePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace tickwell;

namespace {

QString path(const char* resource) {
    return QString::fromLatin1(resource);
}

// Each size is a PNG named by its size, from the smallest a panel shows to the largest a
// software centre shows.
TEST(Resources, ProgramIconIsARoundBadgeAtEverySizeFrom16To256) {
    const QDir folder(path(resources::programIconFolder));
    const QStringList names = folder.entryList(QDir::Files);
    EXPECT_TRUE(names.contains("16.png") && names.contains("256.png"))
        << names.join(' ').toStdString();
    for (const QString& name : names) {
        const std::string file = name.toStdString();
        const int size = QFileInfo(name).baseName().toInt();
        QImageReader reader(folder.filePath(name));
        EXPECT_EQ(reader.format(), "png") << file;
        const QImage icon = reader.read();
        ASSERT_FALSE(icon.isNull()) << file << reader.errorString().toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size)) << file;
        EXPECT_TRUE(icon.hasAlphaChannel()) << file;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << file << ": the badge is round";
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << file;
    }
}

TEST(Resources, HelpPictureIsA121By113Jpeg) {
    QImageReader reader(path(resources::helpPicture));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage picture = reader.read();
    ASSERT_FALSE(picture.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(picture.size(), QSize(121, 113));
}

// The fields of a canonical PCM wave header.
struct WaveHeader {
    QByteArray riff, wave, fmt, data;
    quint16 format = 0, channels = 0, bitsPerSample = 0;
    quint32 sampleRate = 0, dataBytes = 0, riffBytes = 0;
};

WaveHeader readHeader(const QByteArray& bytes) {
    const auto* raw = reinterpret_cast<const uchar*>(bytes.constData());
    WaveHeader header;
    header.riff = bytes.mid(0, 4);
    header.riffBytes = qFromLittleEndian<quint32>(raw + 4);
    header.wave = bytes.mid(8, 4);
    header.fmt = bytes.mid(12, 4);
    header.format = qFromLittleEndian<quint16>(raw + 20);
    header.channels = qFromLittleEndian<quint16>(raw + 22);
    header.sampleRate = qFromLittleEndian<quint32>(raw + 24);
    header.bitsPerSample = qFromLittleEndian<quint16>(raw + 34);
    header.data = bytes.mid(36, 4);
    header.dataBytes = qFromLittleEndian<quint32>(raw + 40);
    return header;
}

TEST(Resources, SoundIsAboutHalfASecondOf16BitStereoPcmAt44100Hz) {
    QFile file(path(resources::notificationSound));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 44);
    const WaveHeader header = readHeader(bytes);

    EXPECT_EQ(header.riff, "RIFF");
    EXPECT_EQ(header.wave, "WAVE");
    EXPECT_EQ(header.fmt, "fmt ");
    EXPECT_EQ(header.format, 1) << "linear PCM";
    EXPECT_EQ(header.channels, 2);
    EXPECT_EQ(header.sampleRate, 44100u);
    EXPECT_EQ(header.bitsPerSample, 16);
    ASSERT_EQ(header.data, "data");
    EXPECT_EQ(header.riffBytes + 8, static_cast<quint32>(bytes.size()));
    EXPECT_EQ(header.dataBytes + 44, static_cast<quint32>(bytes.size()));
    const double seconds = header.dataBytes / (44100.0 * 2 * 2);
    EXPECT_NEAR(seconds, 0.47, 0.01);
}

TEST(Resources, SoundStartsAndEndsInSilenceAndNeverClips) {
    QFile file(path(resources::notificationSound));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll().mid(44);
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    const qsizetype count = bytes.size() / 2;
    ASSERT_GT(count, 4);
    int loudest = 0;
    for (qsizetype i = 0; i < count; ++i) {
        loudest = std::max(loudest, std::abs(static_cast<int>(qFromLittleEndian(samples[i]))));
    }
    EXPECT_EQ(qFromLittleEndian(samples[0]), 0);
    EXPECT_EQ(qFromLittleEndian(samples[count - 1]), 0);
    EXPECT_GT(loudest, 8000) << "audible";
    EXPECT_LT(loudest, 32767) << "not clipped";
}

TEST(Resources, HelpTextIsTheTwelveLinesOfTheHelpTab) {
    const QStringList expected = {
        "1. Напоминания",
        "Программа предназначена для периодического напоминания о чём-либо. Для этого Вы должны "
        "добавить новое напоминание, для которого нужно задать название, текст и периодичность. "
        "При установке соответствующей галочки, можно показать оповещение только 1 раз. Также "
        "можно указать день, в который напоминание должно показываться.",
        "",
        "2. Задачи",
        "В приложении есть небольшой планировщик задач. Периодически он будет напоминать Вам о "
        "ещё невыполненных заданиях. Задачи могут быть как ежедневными, переходящими в "
        "невыполненные каждый день, так и однодневными, удаляющимися после выполнения. При "
        "добавлении нового задания нужно задать название, показываемое в напоминании, и "
        "описание (при необходимости).",
        "",
        "3. Изображения",
        "Ещё программа может периодически показывать Вам какие-либо изображения. Для этого Вы "
        "должны указать периодичность, добавить в список картинки и указать, сколько секунд "
        "картинка будет находиться на экране.",
        "",
        "4. Контекстное меню",
        "В трее есть иконка приложения. В её контекстном меню можно включить/выключить все "
        "напоминания сразу (если хотя бы одно из них запущено, около пункта меню стоит галочка "
        "и при нажатии все напоминания отключатся, иначе - наоборот), включить/выключить "
        "отображение оповещений о невыполненных задачах, показ изображений, запуск приложения "
        "при загрузке компьютера.",
        "У окна, в котором отображается текст напоминаний также есть контекстное меню. В нём "
        "можно задать цвет фона этого окна и самого текста.",
    };
    const QStringList lines = helpText().split('\n');
    ASSERT_EQ(lines.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}

TEST(Resources, DesktopEntryIsValid) {
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed (scripts/install-deps.sh adds it)";
    }
    QProcess process;
    process.start(validator, {QStringLiteral(TICKWELL_DESKTOP_FILE)});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardOutput().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().trimmed().isEmpty())
        << "hints and warnings count as faults too";
}

TEST(Resources, DesktopEntryNamesTheProgramItsIconAndWordsToFindItBy) {
    QFile file(QStringLiteral(TICKWELL_DESKTOP_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    EXPECT_TRUE(lines.contains("Name=Tickwell"));
    EXPECT_TRUE(lines.contains("Exec=tickwell"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Icon=") + program::iconName));
    EXPECT_TRUE(lines.contains("Categories=Utility;"));
    const QStringList comments = lines.filter(QRegularExpression("^Comment="));
    ASSERT_EQ(comments.size(), 1);
    EXPECT_TRUE(comments[0].contains(QRegularExpression("[А-Яа-я]"))) << "Russian";
    // A person finds it by a Russian or an English word.
    const QStringList keywords = lines.filter(QRegularExpression("^Keywords="));
    ASSERT_EQ(keywords.size(), 1);
    EXPECT_TRUE(keywords[0].contains(QRegularExpression(";напоминание;")));
    EXPECT_TRUE(keywords[0].contains(QRegularExpression("[=;]reminder;")));
}

} // namespace
