#pragma once
// The game's faces by their Windows names. Where a face is not installed, its metric-compatible
// Liberation face serves ("Times New Roman" -> Liberation Serif, "MS Sans Serif" -> Liberation Sans).
#include <QFont>
#include <QString>

namespace platform {

QFont gameFont(const QString& face, double points, bool bold = false, bool italic = false);

} // namespace platform
