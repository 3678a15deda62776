#include "platform/ProgramFolder.h"

#include <QCoreApplication>

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }
