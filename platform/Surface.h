#pragma once
// The drawing surface of a window or control: a widget that owns an image the size of its
// client area holding what the screen shows for it. paintEvent only presents that image.
// The normal content (BackColor, then the Picture at the top-left) is rendered into it by
// Refresh, Cls and property changes; raster copies on hDC land in it and are presented at once
// (AutoRedraw off) or go to the persistent image (AutoRedraw on, seen at the next Refresh).
//
// Transparent mode (a user control): BackStyle 0 with a MaskPicture. The visible shape is the
// set of MaskPicture pixels that differ from MaskColor; outside it nothing of the surface is
// drawn and the container shows through (and clicks go to the container).
#include "platform/ClientScale.h"
#include "platform/DrawingState.h"
#include "platform/Gdi.h"
#include "platform/Picture.h"
#include "platform/SurfaceNotifications.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

class QPainter;

namespace platform {

class Surface : public QWidget, public SurfaceNotifications, public ClientScale, public DrawingState {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);
    ~Surface() override;

    // Handles.
    HWND hwnd();
    HDC hDC();  // persistent image while AutoRedraw is on, else the on-screen image

    // Content.
    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t color);  // repaints the normal content (run-time drawing is cleared)
    Picture picture() const { return picture_; }
    void setPicture(const Picture& picture);  // repaints the normal content
    Picture MaskPicture() const { return maskPicture_; }
    void setMaskPicture(const Picture& picture);
    uint32_t MaskColor() const { return maskColor_; }
    void setMaskColor(uint32_t color);
    int16_t BackStyle() const { return backStyle_; }  // 0 transparent, 1 solid (default)
    void setBackStyle(int16_t style);
    int16_t BorderStyle() const { return borderStyle_; }  // 0 none, 1 fixed single (2 px inset)
    void setBorderStyle(int16_t style);
    QFont Font() const { return QWidget::font(); }
    void setFont(const QFont& font);
    bool Enabled() const { return isEnabled(); }
    void setEnabledProperty(bool enabled);

    // Persistent image and run-time drawing.
    bool AutoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool on);  // on: a persistent image with the normal content is made
    void Refresh();  // off: paint the normal content again and present; on: present the persistent image
    void Cls();      // clear run-time drawing (both images), CurrentX/Y = 0
    // For drawing that comes in many small pieces (a dissolve draws millions of blocks a
    // second): while held, drawing on the screen image only collects the changed rectangle;
    // presentHeld() shows what was collected in one repaint. Releasing the hold presents too.
    void holdPresentation(bool hold);
    void presentHeld();

    // A window whose pixels of `clearPixel` show the desktop behind it (where the desktop
    // blends windows): in this window and in every surface inside it, those pixels are
    // presented fully transparent. Call before the window is first shown.
    void makeSeeThrough(QRgb clearPixel);
    bool isSeeThrough() const { return clearPixel_.has_value(); }

    // Geometry as the container sees it: in the container's scale units (a top-level window's
    // container is the screen, in twips), kept as fractional pixels; Qt gets the rectangle
    // rounded half to even.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void setLeft(float value);
    void setTop(float value);
    void setWidth(float value);
    void setHeight(float value);
    void Move(float left, float top, std::optional<float> width = {}, std::optional<float> height = {});
    bool Visible() const { return !isHidden(); }
    void setVisible(bool visible) override;
    QRectF geometryPixels() const { return geometryPx_; }  // in the container's pixels

    // What the screen shows for the client area, and the persistent image (null when AutoRedraw is off).
    const QImage& screenImage() const { return screen_; }
    const QImage& persistentImage() const { return persistent_; }
    bool isInShape(const QPoint& clientPixel) const;  // inside the visible shape

protected:
    // The normal content of the client area: BackColor, then the picture at the top-left.
    // Controls with their own look override it.
    virtual void renderNormal(QImage& image);
    Surface* container() const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    class Target;
    void paintNormal(QImage& image);
    void drawDevicePicture(QPainter& painter, const QRect& source);
    void repaintContent();  // the normal content into the current images, presented
    void present(const QRect& clientRect);
    void updateShape();
    void fitImagesToClient();  // after a resize: new images with the normal content
    void applyGeometry();
    QRect clientRect() const;
    QSize clientPixels() const override { return clientRect().size(); }
    void scaleModeSet(int16_t mode) const override;

    uint32_t backColor_ = 0x00FFFFFF;
    uint32_t maskColor_ = 0x00FFFFFF;
    Picture picture_;
    Picture maskPicture_;
    int16_t backStyle_ = 1, borderStyle_ = 0;
    bool autoRedraw_ = false;
    bool doubleClicked_ = false;
    bool shapeEmpty_ = false;
    QRectF geometryPx_;
    QImage screen_;
    QImage persistent_;
    // The normal content as drawn in the game's pixels, kept while the picture holds a scaled
    // screen's device pixels (null otherwise, and for controls drawing their own look): where
    // the surface still shows it, the picture's device pixels are presented instead.
    QImage normal_;
    QRegion shape_;  // client pixels of the visible shape (transparent mode)
    bool presentationHeld_ = false;
    QRect heldRect_;  // client pixels drawn while presentation was held
    std::unique_ptr<Target> hdcTarget_;     // follows AutoRedraw
    std::unique_ptr<Target> screenTarget_;  // always the on-screen image (GetDC)
    HDC hdc_ = 0;
    HWND hwnd_ = 0;
    std::optional<QRgb> clearPixel_;  // see-through windows only
};

} // namespace platform
