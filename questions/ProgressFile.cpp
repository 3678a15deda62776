#include "questions/ProgressFile.h"

#include "questions/BankLines.h"
#include "core/GameState.h"
#include "core/Numbers.h"
#include "core/RunTimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace {

// Why an existing file cannot be replaced: QSaveFile only says that it is not writable, while
// opening it for writing (which changes nothing) gets the system's reason, such as a read-only
// file system.
QString whyNotWritable(const QString& path, const QString& saveFileError)
{
    QFile existing(path);
    if (existing.exists() && !existing.open(QIODevice::WriteOnly | QIODevice::Append))
        return existing.errorString();
    return saveFileError;
}

// Replaces the file only once every byte is written, so a failed save never leaves it torn.
void writeWhole(const QString& path, const QByteArray& bytes, const QString& failure)
{
    QSaveFile file(path);
    auto fail = [&](const QString& reason) {
        throw RunTimeError::inFile(path, 0, QStringLiteral("%1: %2").arg(failure, reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(whyNotWritable(path, file.errorString()));
    // The bytes wait in Qt's buffer until the flush, and commit() renames the new file over the
    // old one even when that last flush failed: on a full disk the old progress became an empty
    // file. A failed flush therefore drops the new file and leaves the old one as it was.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        fail(file.errorString());
}

void create(const QString& path)
{
    writeWhole(path, QByteArrayLiteral("PLEASE DO NOT MODIFY THIS FILE!\r\n"
                                       "1   'Sound on/off\r\n"
                                       "1   'Current question\r\n"
                                       "0   '# Correct\r\n"
                                       "0   '# Incorrect\r\n"),
               QStringLiteral("cannot create the progress file"));
}

// The value a save writes for a number of five or six characters ("12345", "-1234", "-12345"):
// the number's own text, with no blank, directly followed by the comment's apostrophe. Reading
// such a value from its first four characters would lose its last digit, so it is read whole.
std::optional<int16_t> widerSavedValue(QByteArrayView line)
{
    const qsizetype comment = line.indexOf('\'');
    if (comment < 5 || comment > 6)
        return std::nullopt;
    bool ok = false;
    const int value = line.first(comment).toInt(&ok);
    if (!ok || value < -32768 || value > 32767 || QByteArray::number(value) != line.first(comment))
        return std::nullopt;
    return static_cast<int16_t>(value);
}

// A value is the leading number of the line's first four characters, rounded to 16 bits; the
// comment after it is never read. Only the wider values the game saves itself are read whole.
int16_t readValue(BankLines& file, qint64 lineNumber)
{
    QByteArrayView line;
    if (!file.next(line))
        throw RunTimeError::inFile(file.path(), lineNumber,
            QStringLiteral("the progress file ends before line %1; it needs five lines").arg(lineNumber));
    if (const std::optional<int16_t> saved = widerSavedValue(line))
        return *saved;
    try {
        return toInt16(leadingNumber(line.first(qMin<qsizetype>(4, line.size()))));
    } catch (const RunTimeError& e) {
        throw RunTimeError::inFile(file.path(), lineNumber, e.message());
    }
}

void load()
{
    const QString& path = game().UserFile;
    if (!QFileInfo::exists(path))
        create(path);
    BankLines file(path);
    QByteArrayView header;
    if (!file.next(header))
        throw RunTimeError::inFile(path, 1, QStringLiteral("the progress file is empty; it needs five lines"));
    game().SoundOn = readValue(file, 2);
    game().CurrentQuestion = readValue(file, 3);
    game().CorrectCount = readValue(file, 4);
    game().IncorrectCount = readValue(file, 5);
    if (game().CurrentQuestion < 1)
        game().startNewGame();
}

// The value without a leading blank, padded with blanks to five characters, then the comment.
QByteArray valueLine(int16_t value, const char* comment)
{
    return QByteArray::number(value).leftJustified(5, ' ') + comment + "\r\n";
}

} // namespace

void SaveProgress(const ProgressValues& progress)
{
    writeWhole(game().UserFile, "Please do NOT modify this file!\r\n"
                                    + valueLine(progress.SoundOn, "'Sound on/off")
                                    + valueLine(progress.CurrentQuestion, "'Current question ")
                                    + valueLine(progress.CorrectCount, "'# Correct")
                                    + valueLine(progress.IncorrectCount, "'# Incorrect"),
               QStringLiteral("cannot save the progress"));
}

void ProgressFile(int16_t& mode)
{
    if (mode == 1)
        load();
    else if (mode == 2)
        SaveProgress({game().SoundOn, game().CurrentQuestion, game().CorrectCount, game().IncorrectCount});
}
