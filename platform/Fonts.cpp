#include "platform/Fonts.h"

#include <QStringList>

#include <array>
#include <utility>

namespace platform {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 2> substitutes{{
    {"Times New Roman", "Liberation Serif"},
    {"MS Sans Serif", "Liberation Sans"},
}};

} // namespace

QFont gameFont(const QString& face, double points, bool bold, bool italic)
{
    QStringList families{face};
    for (const auto& [name, substitute] : substitutes) {
        if (face.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            families << QString::fromLatin1(substitute);
    }
    QFont font;
    // Qt takes the first family that is installed, so a machine with the real face uses it.
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace platform
