#include "quiz/layout/QuizWindowLayout.h"

#include "platform/Fonts.h"
#include "platform/Label.h"
#include "core/Numbers.h"

namespace {

double toPixels(double twips, double twipsPerPixel) { return roundHalfEven(twips / roundHalfEven(twipsPerPixel)); }

} // namespace

QFont QuizWindowLayout::labelFont(double points)
{
    return platform::gameFont(QStringLiteral("Times New Roman"), points, true);
}

QFont QuizWindowLayout::remarkFont(double points)
{
    return platform::gameFont(QStringLiteral("MS Sans Serif"), points, true);
}

QFont QuizWindowLayout::buttonFont(double points) { return remarkFont(points); }

QuizWindowLayout::QuizWindowLayout(const platform::ScreenInfo& screen, QSizeF pictureSize)
{
    const double screenWidth = screen.widthPixels * screen.twipsPerPixelX;
    const double screenHeight = screen.heightPixels * screen.twipsPerPixelY;
    class_ = ScreenClassFor(toInt16(toPixels(screenHeight, screen.twipsPerPixelY)));
    // A large-font display takes points off every font.
    fontReduction_ = screen.twipsPerPixelX != 15 ? class_.fontReduction : int16_t{0};
    baseFontSize_ = toInt16(class_.baseFontSize - fontReduction_);

    // The window is centred, 0.65 of the screen wide and half of it high.
    const double windowWidth = roundHalfEven(0.65 * screenWidth);
    const double windowHeight = roundHalfEven(0.5 * screenHeight);
    windowTwips_ = QRectF(screenWidth / 2 - windowWidth / 2, screenHeight / 2 - windowHeight / 2, windowWidth,
                          windowHeight);
    width_ = toPixels(windowWidth, screen.twipsPerPixelX);
    height_ = toPixels(windowHeight, screen.twipsPerPixelY);

    const double sx = spacingX();
    const double sy = spacingY();
    // Small screens show the pictures at their own size; larger ones stretch them.
    const QSizeF shown = class_.screenClass <= 2
        ? pictureSize
        : QSizeF(0.125 * toPixels(screenWidth, screen.twipsPerPixelX), 0.223 * toPixels(screenHeight, screen.twipsPerPixelY));
    picture_ = QRectF(QPointF(width_ - shown.width() - 0.5 * sx, height_ - shown.height() - class_.bottomMargin - sy), shown);

    close_ = QRectF(0, height_ - sy - class_.bottomMargin, 3.5 * sx, sy);
    close_.moveLeft(width_ / 2 - close_.width() / 2);
    replay_ = QRectF(2 * sx, close_.top(), 4 * sx, sy);

    questionFont_ = labelFont(baseFontSize_);
    remarkFont_ = remarkFont(baseFontSize_ - 2);
    // The answer buttons are squares of 0.8 answer rows; every row of the answer font is as high.
    answerButtonSide_ = 0.8 * platform::autoSizedLabel(questionFont_, QStringLiteral("Answer 1")).height();
}

QuestionPlacement QuizWindowLayout::placeQuestion(int number, const QString& question, const QStringList& answers) const
{
    const QFont& font = questionFont_;
    QuestionPlacement p;
    p.number = QRectF(numberPlace(), platform::autoSizedLabel(font, QString::number(number) + QLatin1Char('.')));
    // The question starts half a spacing after its number and ends a spacing before the
    // window's right edge; it wraps at the whole-pixel width it is drawn with.
    const double left = p.number.right() + 0.5 * spacingX();
    const double width = width_ - left - spacingX();
    p.question = QRectF(left, p.number.top(), width,
                        platform::autoSizedLabel(font, question, roundHalfEven(width)).height());

    // The answers stand in a column under the question, each after its square button.
    p.answerCount = static_cast<int>(std::min<qsizetype>(answers.size() - 1, 4));
    double top = p.question.bottom() + 0.5 * spacingY();
    for (int i = 1; i <= p.answerCount; ++i) {
        top = roundHalfEven(top);
        p.buttons[i] = QRectF(1.5 * spacingX(), top, answerButtonSide_, answerButtonSide_);
        p.answers[i] = QRectF(QPointF(p.buttons[i].right() + 0.7 * spacingX(), top),
                              platform::autoSizedLabel(font, answers.at(i)));
        top = p.answers[i].bottom();
    }
    return p;
}

QRectF QuizWindowLayout::placeRemark(const QString& remark) const
{
    const QSizeF size = platform::autoSizedLabel(remarkFont_, remark);
    return {QPointF(width_ / 2 - size.width() / 2, spacingY() * 0.5), size};
}
