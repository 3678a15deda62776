#pragma once
// Builds banks for the tests: plain lines joined with CR LF, coded by the game's own conversion.
#include "questions/DecodeLine.h"
#include "core/GameState.h"
#include "core/RunTimeError.h"
#include "tests/support/TestFolder.h"

#include <QByteArrayList>

inline QByteArray crlfLines(const QByteArrayList& lines)
{
    return lines.join("\r\n") + "\r\n";
}

// The conversion mode of DecodeLine: DATANON.ASC into DATA.ASC.
inline void convertBank()
{
    int16_t convert = 1;
    QByteArray unused;
    DecodeLine(convert, unused);
}

// Points the game at the folder and writes DATA.ASC coded from the given plain lines.
inline void makeBank(const TestFolder& folder, const QByteArrayList& plainLines)
{
    game().DataFolder = folder.path();
    game().BankFile = folder.file("DATA.ASC");
    game().PlainBankFile = folder.file("DATANON.ASC");
    game().UserFile = folder.file("USER.ASC");
    folder.write("DATANON.ASC", crlfLines(plainLines));
    convertBank();
}

// The message of the error that `action` raises, or "" when it raises none.
template <typename Action>
QString errorOf(Action action)
{
    try {
        action();
    } catch (const RunTimeError& e) {
        return e.message();
    }
    return QString();
}
