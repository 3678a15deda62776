#pragma once
// Reads a bank or progress file line by line, fast enough for an index pass over a whole bank.
// A line ends at LF; a CR in front of it belongs to the line end. Lines have no length limit.
#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QFile>
#include <QString>

class BankLines {
public:
    // Opens the file for reading; a missing or unreadable file throws RunTimeError.
    explicit BankLines(const QString& path, qsizetype chunk = 256 * 1024);

    // The next line without its line end, valid until the next call; false at the end of the file.
    bool next(QByteArrayView& line);

    qint64 lineNumber() const { return line_; }                 // the line last read, 0 before any
    qint64 offset() const { return bufferOffset_ + pos_; }      // where the next line starts

    // Continues reading at a byte offset where line linesBefore + 1 starts.
    void seek(qint64 offset, qint64 linesBefore);

    const QString& path() const { return path_; }
    qint64 size() const { return file_.size(); }
    QDateTime modified() const { return file_.fileTime(QFileDevice::FileModificationTime); }

private:
    bool fill();

    QString path_;
    QFile file_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype end_ = 0;
    qint64 bufferOffset_ = 0;
    qint64 line_ = 0;
    bool eof_ = false;
};
