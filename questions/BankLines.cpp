#include "questions/BankLines.h"

#include "core/RunTimeError.h"

#include <cstring>

BankLines::BankLines(const QString& path, qsizetype chunk)
    : path_(path)
    , file_(path)
    , buffer_(chunk, Qt::Uninitialized)
{
    if (!file_.exists())
        throw RunTimeError::inFile(path, 0, QStringLiteral("File not found"));
    if (!file_.open(QIODevice::ReadOnly))
        throw RunTimeError::inFile(path, 0, QStringLiteral("cannot open the file: %1").arg(file_.errorString()));
}

bool BankLines::next(QByteArrayView& line)
{
    for (;;) {
        const char* data = buffer_.constData();
        const void* nl = std::memchr(data + pos_, '\n', end_ - pos_);
        if (nl || (eof_ && pos_ < end_)) {
            const qsizetype stop = nl ? static_cast<const char*>(nl) - data : end_;
            qsizetype length = stop - pos_;
            if (length > 0 && data[stop - 1] == '\r')
                --length;
            line = QByteArrayView(data + pos_, length);
            pos_ = nl ? stop + 1 : end_;
            ++line_;
            return true;
        }
        if (eof_ || !fill())
            return false;
    }
}

bool BankLines::fill()
{
    // Keep the unfinished line at the front; a line longer than the buffer makes it grow.
    const qsizetype kept = end_ - pos_;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.constData() + pos_, kept);
        bufferOffset_ += pos_;
        pos_ = 0;
        end_ = kept;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const qint64 got = file_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0)
        throw RunTimeError::inFile(path_, line_ + 1, QStringLiteral("cannot read the file: %1").arg(file_.errorString()));
    if (got == 0) {
        eof_ = true;
        return pos_ < end_;
    }
    end_ += got;
    return true;
}

void BankLines::seek(qint64 offset, qint64 linesBefore)
{
    if (!file_.seek(offset))
        throw RunTimeError::inFile(path_, linesBefore + 1, QStringLiteral("cannot read the file: %1").arg(file_.errorString()));
    bufferOffset_ = offset;
    pos_ = end_ = 0;
    eof_ = false;
    line_ = linesBefore;
}
