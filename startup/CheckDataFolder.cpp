#include "startup/CheckDataFolder.h"

#include "core/GameState.h"

#include <QFileInfo>

void CheckDataFolder(int16_t& ok)
{
    // The bank ships next to the program; without it no question could be shown, and failing
    // here names the folder instead of failing later inside the question reader.
    ok = QFileInfo(game().DataFolder + QStringLiteral("DATA.ASC")).isFile() ? 1 : 0;
}
