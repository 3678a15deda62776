#include "ProgressFile.h"

#include "BankLines.h"
#include "GameState.h"
#include "Numbers.h"
#include "RunTimeError.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

// Replaces the file only once every byte is written, so a failed save never leaves it torn.
void writeWhole(const QString& path, const QByteArray& bytes, const QString& failure)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RunTimeError::inFile(path, 0, QStringLiteral("%1: %2").arg(failure, file.errorString()));
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

// A value is the leading number of the text before the comment's apostrophe, so a value of
// any width reads whole; the files written with four-character fields read as they always did.
int16_t readValue(BankLines& file, qint64 lineNumber)
{
    QByteArrayView line;
    if (!file.next(line))
        throw RunTimeError::inFile(file.path(), lineNumber,
            QStringLiteral("the progress file ends before line %1; it needs five lines").arg(lineNumber));
    const qsizetype comment = line.indexOf('\'');
    try {
        return toInt16(leadingNumber(comment >= 0 ? line.first(comment) : line));
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
    if (game().CurrentQuestion < 1) {
        game().CurrentQuestion = 1;
        game().CorrectCount = 0;
        game().IncorrectCount = 0;
    }
}

// The value without a leading blank, padded with blanks to five characters, then the comment.
QByteArray valueLine(int16_t value, const char* comment)
{
    return QByteArray::number(value).leftJustified(5, ' ') + comment + "\r\n";
}

void save()
{
    writeWhole(game().UserFile, "Please do NOT modify this file!\r\n"
                                    + valueLine(game().SoundOn, "'Sound on/off")
                                    + valueLine(game().CurrentQuestion, "'Current question ")
                                    + valueLine(game().CorrectCount, "'# Correct")
                                    + valueLine(game().IncorrectCount, "'# Incorrect"),
               QStringLiteral("cannot save the progress"));
}

} // namespace

void ProgressFile(int16_t& mode)
{
    if (mode == 1)
        load();
    else if (mode == 2)
        save();
}
