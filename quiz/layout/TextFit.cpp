#include "quiz/layout/TextFit.h"

#include <cmath>

namespace {

// Pixels by which `a` reaches into `b`, across the shorter of the two overlaps; 0 when apart.
int overlap(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    if (common.isEmpty())
        return 0;
    return static_cast<int>(std::ceil(std::min(common.width(), common.height())));
}

class Measure {
public:
    Measure(const QuizWindowLayout& layout, const QString& screenName) : layout_(layout), screen_(screenName) {}

    // A text placed at `place` that must stay inside the window, clear of the picture and of
    // the Close button.
    void checkPlaced(TextFitFinding::Part part, int answer, const QRectF& place)
    {
        const double right = place.right() - layout_.width();
        const double below = place.bottom() - layout_.height();
        if (right > 0)
            add(part, answer, std::ceil(right), QStringLiteral("%1 is %2 px wider than the window at %3"));
        else if (const int intoPicture = overlap(place, layout_.picture()))
            add(part, answer, intoPicture, QStringLiteral("%1 overlaps the picture by %2 px at %3"));
        else if (const int intoClose = overlap(place, layout_.closeButton()))
            add(part, answer, intoClose, QStringLiteral("%1 overlaps the Close button by %2 px at %3"));
        else if (below > 0)
            add(part, answer, std::ceil(below), QStringLiteral("%1 runs %2 px below the window at %3"));
    }

    // The remark is centred across the window: one wider than the window is cut at both ends.
    void checkCentred(const QRectF& place)
    {
        const double excess = place.width() - layout_.width();
        if (excess > 0)
            add(TextFitFinding::Part::Remark, 0, std::ceil(excess), QStringLiteral("%1 is %2 px wider than the window at %3"));
    }

    QList<TextFitFinding> findings;

private:
    void add(TextFitFinding::Part part, int answer, double pixels, const QString& pattern)
    {
        const int whole = static_cast<int>(pixels);
        const QString name = part == TextFitFinding::Part::Question ? QStringLiteral("the question")
            : part == TextFitFinding::Part::Answer                  ? QStringLiteral("answer %1").arg(answer)
                                                                    : QStringLiteral("the remark");
        findings.append({part, answer, whole, pattern.arg(name).arg(whole).arg(screen_)});
    }

    const QuizWindowLayout& layout_;
    QString screen_;
};

} // namespace

QuizWindowLayout quizLayoutForScreen(QSize pixels)
{
    return QuizWindowLayout(platform::ScreenInfo{pixels.width(), pixels.height(), 15, 15},
                            QSizeF(QuizWindowLayout::storedPictureSize));
}

QList<TextFitFinding> findTextsThatDoNotFit(const QuizWindowLayout& layout, const QString& screenName,
                                            const QuestionTexts& texts)
{
    Measure measure(layout, screenName);
    const QuestionPlacement place = layout.placeQuestion(texts.number, texts.question, texts.answers);
    measure.checkPlaced(TextFitFinding::Part::Question, 0, place.question);
    for (int i = 1; i <= place.answerCount; ++i) {
        if (!texts.answers.at(i).isEmpty())
            measure.checkPlaced(TextFitFinding::Part::Answer, i, place.answers[i]);
    }
    if (!texts.remark.isEmpty())
        measure.checkCentred(layout.placeRemark(texts.remark));
    return measure.findings;
}
