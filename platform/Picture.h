#pragma once
// A picture object: shared and reference-counted, owning its bitmap and optional palette
// handles and freeing them with its last reference. Its size is given in HIMETRIC (0.01 mm)
// at the screen's logical resolution (1440 / twips per pixel DPI: 599 x 127 px -> 15849 x 3360 at 96).
// A default-constructed Picture is the empty reference.
#include "platform/Gdi.h"

#include <QImage>
#include <QList>
#include <QString>
#include <memory>

namespace platform {

class Picture {
public:
    Picture() = default;

    // Takes ownership of both handles (palette 0 for none); an invalid bitmap gives the empty picture.
    static Picture fromHandles(HBITMAP bitmap, HPALETTE palette);
    // A picture owning a copy of the image; a palette-based image (Indexed8) keeps its colour table as palette.
    static Picture fromImage(const QImage& image);
    // Loads a BMP (with its palette), PNG, ... from a file or a Qt resource (":/...").
    // Throws RunTimeError naming the file when it is missing or not a picture.
    static Picture load(const QString& path);

    bool isEmpty() const { return !state_; }
    explicit operator bool() const { return !isEmpty(); }
    bool operator==(const Picture& other) const { return state_ == other.state_; }  // same object

    int32_t Width() const;   // HIMETRIC, 0 when empty
    int32_t Height() const;  // HIMETRIC, 0 when empty
    HBITMAP Handle() const;  // 0 when empty
    HPALETTE hPal() const;   // 0 when empty or without palette

    QImage image() const;    // the bitmap's pixels (RGB32, or the 1-bit form of Gdi.h); null when empty
    QList<uint32_t> palette() const;  // the palette's entries as 0xAARRGGBB; empty without palette
    int widthPixels() const;
    int heightPixels() const;
    long useCount() const { return state_.use_count(); }

    // Pixels <-> HIMETRIC at the screen's logical resolution.
    static int32_t pixelsToHimetricX(double pixels);
    static int32_t pixelsToHimetricY(double pixels);

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace platform
