#include "platform/ProgramFolder.h"

#include <QCoreApplication>

QString platform::ProgramFolder() { return QCoreApplication::applicationDirPath(); }
