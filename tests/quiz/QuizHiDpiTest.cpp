// The quiz window at QT_SCALE_FACTOR 1, 1.5 and 2. Each scale runs in a process of its own (Qt
// reads the factor once, when the application starts): there every label's text, drawn at the
// scale, must leave no ink outside its label, every label must lie inside the window, and the
// Close and Replay captions must fit their buttons. The parent compares the three layouts: in
// the window's own units they must agree to a pixel or two, so on the screen every control
// scales by the same factor.
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "tests/quiz/QuizFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextStream>
#include <cmath>

namespace {

constexpr const char* ChildOutput = "QUORVEL_HIDPI_OUT";

// The device pixels where a label's text leaves ink when the label may draw far beyond its size.
QRect inkOf(platform::Label& label)
{
    const QRect original = label.geometry();
    // A wrapping label keeps its width: a wider one would wrap its text elsewhere.
    label.resize(original.width() + (label.wordWrap() ? 0 : 200), original.height() + 200);
    const QImage image = label.grab().toImage();
    label.setGeometry(original);
    const QRgb background = label.palette().color(QPalette::Window).rgb();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

class QuizHiDpi : public QuizFixture {
protected:
    QuizHiDpi()
    {
        const PlainQuestion music =
            PlainQuestion()
                .withClip("CLIP01.MP3")
                .asking("Which song did Delvo whistle all the way through the Quorvels' very first, very long "
                        "and very windy summer tour of 1987?")
                .withAnswers({"\"Tuesday Never Comes\"", "\"Pancake Thunder\" (the jiffy mix)", "\"Quorvel Street\"",
                              "\"Admiral Biscuit\""})
                .withRemark(1, "Right as rain: he whistled it flat!");
        writeBank({music, PlainQuestion()});
        writeProgress(1, 1, 0, 0);
    }

    // Checks the labels on show and notes every control on show, in creation order, for the parent.
    void checkAndNote(const char* screen)
    {
        const Form2View f = view();
        const double scale = f.window.devicePixelRatioF();
        for (platform::Label* label : f.window.findChildren<platform::Label*>()) {
            if (label->isHidden() || label->Caption().isEmpty())
                continue;
            const QRect ink = inkOf(*label);
            const QRect room(0, 0, int(std::ceil(label->width() * scale)), int(std::ceil(label->height() * scale)));
            const std::string name = label->Caption().left(20).toStdString();
            EXPECT_TRUE(room.contains(ink)) << screen << ": \"" << name << "\" at scale " << scale << " draws "
                                            << ink.width() << "x" << ink.height() << "+" << ink.x() << "+" << ink.y()
                                            << " in " << room.width() << "x" << room.height();
            EXPECT_TRUE(f.window.rect().contains(label->geometry())) << screen << ": \"" << name << "\" leaves the window";
        }
        for (platform::CommandButton* button : {f.Command1, f.Command2}) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            EXPECT_TRUE(contents.width() >= text.width() && contents.height() >= text.height())
                << screen << ": " << button->text().toStdString() << " caption is cut";
        }
        QList<const QWidget*> controls{&f.window};
        for (const QWidget* control : f.window.findChildren<QWidget*>())
            controls << (control->isHidden() ? nullptr : control);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            if (const QWidget* c = controls[i])
                layout << screen << ' ' << i << ' ' << c->x() << ' ' << c->y() << ' ' << c->width() << ' ' << c->height() << '\n';
        }
    }

    QString layoutText;
    QTextStream layout{&layoutText};
};

} // namespace

// The child: one scale, set by the parent through QT_SCALE_FACTOR. CTest does not list it.
using ChildProcess = QuizHiDpi;
TEST_F(ChildProcess, QuizLaysOutAtItsScale)
{
    if (qEnvironmentVariableIsEmpty(ChildOutput))
        GTEST_SKIP() << "runs inside QuizHiDpiScales.SameLayoutAtEveryScale";
    // The scale must not pass for a large-font display: the window's units stay at 96 per inch.
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_DOUBLE_EQ(std::nearbyint(1440.0 / screen->logicalDotsPerInchX()), 15);

    soundOn = 1;  // the Replay button shows with a music question
    const Form2View f = load({1024, 768, 15, 15});
    // The interlude before the question and the remark after the answer show while the game waits.
    QStringList seen;
    clock.onPause = [&] {
        for (const auto& [state, label] : {std::pair{"interlude", f.Label3}, std::pair{"remark", f.LBLEXTRA}}) {
            if (!label->isHidden() && !seen.contains(state)) {
                seen << state;
                checkAndNote(state);
            }
        }
    };
    f.window.Form_Activate();
    checkAndNote("question");
    answer(1);
    EXPECT_EQ(seen, (QStringList{"interlude", "remark"}));
    clock.onPause = nullptr;
    f.window.RequestClose();  // the close warning
    checkAndNote("warning");
    EXPECT_EQ(f.window.grab().size(), (QSizeF(f.window.size()) * f.window.devicePixelRatioF()).toSize());

    QFile out(qEnvironmentVariable(ChildOutput));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(layoutText.toUtf8());
}

TEST(QuizHiDpiScales, SameLayoutAtEveryScale)
{
    TestFolder folder;
    QStringList layouts;
    for (const char* scale : {"1", "1.5", "2"}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(scale));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QLatin1String(ChildOutput), folder.file(QLatin1String(scale)));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ChildProcess.QuizLaysOutAtItsScale")});
        ASSERT_TRUE(child.waitForFinished(60000)) << "scale " << scale;
        EXPECT_EQ(child.exitCode(), 0) << "scale " << scale << ":\n" << child.readAll().toStdString();
        layouts << QString::fromUtf8(folder.read(QLatin1String(scale)));
    }
    ASSERT_FALSE(layouts[0].isEmpty());
    const QStringList base = layouts[0].split(QLatin1Char('\n'));
    for (int scale = 1; scale <= 2; ++scale) {
        const QStringList other = layouts[scale].split(QLatin1Char('\n'));
        ASSERT_EQ(other.size(), base.size()) << layouts[scale].toStdString();
        for (qsizetype i = 0; i < base.size(); ++i) {
            const QStringList a = base[i].split(' '), b = other[i].split(' ');
            ASSERT_EQ(a.mid(0, 2), b.mid(0, 2));
            // The text of a label may need a pixel more at one scale than at another (the feet
            // of its glyphs), which moves the answers below it by as much.
            for (qsizetype k = 2; k < a.size(); ++k)
                EXPECT_NEAR(a[k].toInt(), b[k].toInt(), 2) << other[i].toStdString() << " against " << base[i].toStdString();
        }
    }
}
