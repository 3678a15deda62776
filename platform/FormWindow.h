#pragma once
// A window of the game: caption, place and size in twips, a fixed single border,
// key preview, and one close request for the Close button, Esc, the title-bar close box and
// a shutdown of the session. Derived windows fill in the handlers. The window is activated only
// once it can be seen: an activation that comes before is held until then.
#include <QWidget>
#include <cstdint>

namespace platform {

class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(const QString& caption);
    ~FormWindow() override;

    // Place (of the frame's top-left) and size (of the client area) in twips, converted with
    // the screen's twips per pixel.
    void MoveTwips(double left, double top, double width, double height);
    double LeftTwips() const { return left_; }
    double TopTwips() const { return top_; }
    double WidthTwips() const { return width_; }
    double HeightTwips() const { return height_; }

    // Asks the window to close. Returns true when it closed (the close request was not cancelled).
    bool RequestClose();
    bool Unloaded() const { return unloaded_; }

    // The button that asks the window to close, as Esc does: input to it, and Esc, are close
    // requests, which the game's pauses keep.
    void setCloseButton(const QWidget* button) { closeButton_ = button; }
    bool isCloseRequest(const QObject* receiver, const QEvent& event) const;

protected:
    virtual void Form_Activate() {}
    virtual void Form_KeyPress(int16_t& keyAscii) { (void)keyAscii; }
    virtual void Form_QueryUnload(bool& cancel) { (void)cancel; }
    virtual void Form_Unload() {}
    // Runs once, when the window can first be seen: its first exposure has been handled, so what
    // is drawn from here on reaches the screen.
    virtual void Form_FirstSeen() {}

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyGeometry();
    void noteExposure(const QObject* watched);

    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool unloaded_ = false;
    bool seen_ = false;
    bool activationHeld_ = false;
    const QWidget* closeButton_ = nullptr;
};

} // namespace platform
