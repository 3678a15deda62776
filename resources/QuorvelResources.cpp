#include "resources/QuorvelResources.h"

#include <array>

QIcon QuorvelResources::windowIcon()
{
    QIcon icon;
    for (const int size : std::array{32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}
