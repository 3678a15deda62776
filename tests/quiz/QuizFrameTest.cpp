// The quiz window under a real window manager that frames it (xfwm4, on an Xvfb of its own):
// at the three common screen sizes every shown control lies inside the client area, whatever
// the title bar's height, the framed window stands centred on the screen from the start, and
// the window keeps the size of its layout for the whole game.
#include "platform/CommandButton.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "tests/quiz/QuizFixture.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace {

class QuizFrame : public QuizFixture {};

// The shown controls that stick out of the window's client area, with their rectangles.
QStringList controlsOutside(const QWidget& window)
{
    QStringList outside;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // A control without any area (the screen reader's announcer) shows nothing anywhere.
        if (control->isVisible() && !control->geometry().isEmpty() && !window.rect().contains(control->geometry())) {
            const QRect r = control->geometry();
            outside << QStringLiteral("%1 %2x%3+%4+%5")
                           .arg(QString::fromLatin1(control->metaObject()->className()))
                           .arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
        }
    }
    return outside;
}

} // namespace

TEST_F(QuizFrame, ControlsInsideTheClientAreaAndOneSizeForTheWholeGame)
{
    PlainQuestion question;
    question.text = QStringLiteral("Which of these did Delvo keep in the shed behind the laundrette?");
    question.answers = QStringList{"A tuba", "A scooter", "Three teal umbrellas", "Nothing at all"};
    writeBank({question, PlainQuestion()});
    // A window manager that has only just started can take longer to tell a new window its frame
    // than the game waits for it (the game then centres its client area instead): the test
    // starts once the window manager frames a window of its own.
    {
        QWidget probe;
        probe.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return probe.windowHandle() && probe.windowHandle()->frameMargins().top() > 0; }, 15000));
    }
    for (const platform::ScreenInfo screen : {platform::ScreenInfo{800, 600, 15, 15}, platform::ScreenInfo{1024, 768, 15, 15},
                                              platform::ScreenInfo{1920, 1080, 15, 15}}) {
        SCOPED_TRACE(testing::Message() << screen.widthPixels << "x" << screen.heightPixels);
        writeProgress(0, 1, 0, 0);
        game().CloseWarned = 0;  // each screen is a new run
        const Form2View quiz = load(screen);
        Form2& f = quiz.window;
        const QSize laidOut = f.size();

        f.show();
        // Framed once the window manager has reparented the window; the question comes by itself.
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.windowHandle() && f.windowHandle()->frameMargins().top() > 0; }));
        const QPoint framedAt = f.frameGeometry().topLeft();
        ASSERT_TRUE(QTest::qWaitFor([&] { return quiz.Label2->Caption() == question.text; }));
        const QMargins frame = f.windowHandle()->frameMargins();
        const QRect outer = f.frameGeometry();
        std::printf("screen %dx%d: client %dx%d, frame left %d top %d right %d bottom %d, outer %dx%d at %d,%d\n",
                    screen.widthPixels, screen.heightPixels, f.width(), f.height(), frame.left(), frame.top(),
                    frame.right(), frame.bottom(), outer.width(), outer.height(), outer.x(), outer.y());
        EXPECT_EQ(f.size(), laidOut);
        EXPECT_EQ(controlsOutside(f), QStringList());
        EXPECT_TRUE(QRect(0, 0, screen.widthPixels, screen.heightPixels).contains(outer));
        // What the player sees is centred (to the pixel of rounding), where it first appeared.
        EXPECT_LE(std::abs(2 * outer.x() + outer.width() - screen.widthPixels), 2);
        EXPECT_LE(std::abs(2 * outer.y() + outer.height() - screen.heightPixels), 2);
        EXPECT_EQ(outer.topLeft(), framedAt);

        // A later step: the close warning replaces the question.
        f.RequestClose();
        QApplication::processEvents();
        EXPECT_TRUE(quiz.Label4->isVisible());
        EXPECT_EQ(f.size(), laidOut);
        EXPECT_EQ(controlsOutside(f), QStringList());
        form.reset();
    }
}
