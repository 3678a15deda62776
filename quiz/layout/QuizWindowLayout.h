#pragma once
// The quiz window's layout rules as numbers, from the screen alone: the window's place, its
// fonts and spacings by screen class, the Close and Replay buttons, the picture, and where a
// question, its answers and its remark go. It needs the game's fonts but no window, so the
// game places its controls with it and the bank tools measure texts exactly as they will show.
#include "quiz/layout/ScreenClass.h"
#include "platform/ScreenMetrics.h"

#include <QFont>
#include <QRectF>
#include <QStringList>
#include <array>

// Where NEXTQUESTION puts a question's labels and buttons, in pixels inside the window.
struct QuestionPlacement {
    QRectF number;    // Label22, "N."
    QRectF question;  // Label2, wrapped at its width
    int answerCount = 0;
    std::array<QRectF, 5> answers{};  // LBLANS(1..answerCount); slot 0 unused
    std::array<QRectF, 5> buttons{};  // cmdans(1..answerCount)
};

class QuizWindowLayout {
public:
    // `pictureSize` is the size of the pictures Imgdelvo(1) shows: small screens show them at
    // that size, larger ones stretch them to a share of the screen.
    QuizWindowLayout(const platform::ScreenInfo& screen, QSizeF pictureSize);
    // The size of the pictures of Delvo stored with the window.
    static constexpr QSize storedPictureSize{80, 107};

    // The faces of the window's labels at a size in points.
    static QFont labelFont(double points);   // question, number, answers, warnings, "Listen"
    static QFont remarkFont(double points);  // the extra remark
    static QFont buttonFont(double points);  // Close and Replay

    const ScreenClassValues& screenClass() const { return class_; }
    int16_t fontReduction() const { return fontReduction_; }
    int16_t baseFontSize() const { return baseFontSize_; }
    int16_t spacingX() const { return class_.spacingX; }
    int16_t spacingY() const { return class_.spacingY; }

    QRectF windowTwips() const { return windowTwips_; }  // outer place and size
    double width() const { return width_; }    // W: the outer width in whole pixels
    double height() const { return height_; }  // H: the outer height in whole pixels
    QRectF picture() const { return picture_; }  // Imgdelvo(1)
    QRectF closeButton() const { return close_; }
    QRectF replayButton() const { return replay_; }
    int16_t buttonFontSize() const { return static_cast<int16_t>(baseFontSize_ - class_.closeFontDrop); }
    double answerButtonSide() const { return answerButtonSide_; }
    QPointF numberPlace() const { return {1.5 * spacingX(), double(spacingY())}; }  // Label22
    QPointF warningPlace() const { return {double(spacingX()), spacingY() + 1.3 * spacingY()}; }  // Label4

    QuestionPlacement placeQuestion(int number, const QString& question, const QStringList& answers) const;
    QRectF placeRemark(const QString& remark) const;  // LBLEXTRA, centred at the top

private:
    ScreenClassValues class_;
    int16_t fontReduction_;
    int16_t baseFontSize_;
    QRectF windowTwips_;
    double width_;
    double height_;
    QRectF picture_;
    QRectF close_;
    QRectF replay_;
    double answerButtonSide_;
    QFont questionFont_;  // the question, its number and its answers
    QFont remarkFont_;
};
