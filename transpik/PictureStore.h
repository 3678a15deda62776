#pragma once
// Pictures named in stored designs. A picture loaded by its reference keeps that reference,
// so that saving a design writes the reference again instead of the pixels; the same
// reference gives the same shared picture object.
#include "platform/Picture.h"

#include <QString>

namespace bag {

// Loads a file, a Qt resource (":/pictures/title.bmp") or inline pixels
// ("data:image/png;base64,..."). Throws RunTimeError when there is no such picture.
platform::Picture loadPicture(const QString& reference);

// The reference `picture` was loaded from; for any other picture, its pixels as inline data.
QString referenceOf(const platform::Picture& picture);

} // namespace bag
