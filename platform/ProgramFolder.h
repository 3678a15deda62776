#pragma once
// The folder that holds the running program (without a closing '/'); the game's data sits there.
#include <QString>

namespace platform {

QString ProgramFolder();

} // namespace platform
