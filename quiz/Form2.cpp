// The quiz window: its controls, first activation, keys, close request and unload.
#include "quiz/Form2.h"

#include "platform/CommandButton.h"
#include "startup/Form1.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "platform/Mp3Player.h"
#include "questions/ProgressFile.h"
#include "quiz/QuizAccessibility.h"
#include "quiz/QuizTexts.h"
#include "platform/SingleInstance.h"
#include "platform/Sound.h"

#include <utility>

using platform::CommandButton;
using platform::ImageBox;
using platform::Label;

namespace {

constexpr uint32_t Blue = 0x00FF0000;
constexpr uint32_t Red = 0x000000FF;
constexpr uint32_t White = 0x00FFFFFF;
constexpr uint32_t Purple = 0x00C000C0;
constexpr uint32_t WindowColor = 0x80000005;  // the system colour of window backgrounds
constexpr double DefaultFontSize = 9.75;

Label* makeLabel(QWidget* parent, const QString& caption, uint32_t foreColor, bool wordWrap)
{
    auto* label = new Label(parent);
    label->setFont(QuizWindowLayout::labelFont(DefaultFontSize));
    label->setForeColor(foreColor);
    label->setBackColor(WindowColor);
    label->setAutoSize(true);
    label->setWordWrap(wordWrap);
    label->setCaption(caption);
    label->hide();
    return label;
}

CommandButton* makeButton(QWidget* parent, const QString& caption)
{
    auto* button = new CommandButton(parent, caption);
    if (!caption.isEmpty())
        button->setFont(QuizWindowLayout::buttonFont(DefaultFontSize));
    button->hide();
    return button;
}

QPixmap storedPicture(const char* name)
{
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

} // namespace

Form2::Form2() : Form2(ShowForm1Modally, platform::SingleInstance::defaultLockPath()) {}

Form2::Form2(std::function<void()> intro, const QString& lockPath)
    : FormWindow(QStringLiteral("The Quorvel Challenge (version 1.0)")),
      intro_(std::move(intro)),
      instanceLock_(std::make_unique<platform::SingleInstance>(lockPath))
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon-32.png")));
    createControls();
}

Form2::~Form2() = default;

void Form2::createControls()
{
    // The question's labels grow downwards as their text wraps; the design width serves until
    // the first question sets the real one.
    Label2 = makeLabel(this, QStringLiteral("Label2"), Blue, true);
    Label2->setWidth(400);
    Label22 = makeLabel(this, QStringLiteral("1."), Blue, false);
    for (int i = 1; i <= 4; ++i) {
        cmdans[i] = makeButton(this, {});
        LBLANS[i] = makeLabel(this, QStringLiteral("Answer %1").arg(i), Red, false);
    }
    LBLANS[1]->show();
    Label4 = makeLabel(this, QStringLiteral("Label4"), Red, true);
    Label4->setWidth(400);
    Label3 = makeLabel(this, QStringLiteral("Listen"), Blue, false);
    QFont listenFont = QuizWindowLayout::labelFont(12);
    listenFont.setItalic(true);
    Label3->setFont(listenFont);
    LBLEXTRA = makeLabel(this, QStringLiteral("Label6"), White, false);
    LBLEXTRA->setFont(QuizWindowLayout::remarkFont(12));
    LBLEXTRA->setBackColor(Purple);
    Command1 = makeButton(this, QStringLiteral("Close"));
    Command2 = makeButton(this, QStringLiteral("Replay"));
    // A screen reader names each button; the answer buttons take their answer's text when a
    // question shows (NEXTQUESTION).
    Command1->setAccessibleName(QStringLiteral("Close"));
    setCloseButton(Command1);
    Command2->setAccessibleName(QStringLiteral("Replay"));

    Imgdelvo[DelvoShown] = new ImageBox(this);
    Imgdelvo[DelvoShown]->setStretch(true);
    const std::pair<DelvoPicture, const char*> faces[] = {
        {DelvoNeutral, "delvo-neutral.png"}, {DelvoDelighted, "delvo-delighted.png"}, {DelvoDismayed, "delvo-dismayed.png"}};
    for (const auto& [slot, picture] : faces) {
        Imgdelvo[slot] = new ImageBox(this);
        Imgdelvo[slot]->setPicture(storedPicture(picture));
        Imgdelvo[slot]->hide();
    }
    Image1 = new ImageBox(this);
    Image1->setPicture(storedPicture("music.png"));
    Image1->hide();

    Mp3Play1 = new platform::Mp3Player(this);
    connect(Mp3Play1, &platform::Mp3Player::ThreadEnded, this, &Form2::Mp3Play1_ThreadEnded);

    for (int i = 1; i <= 4; ++i)
        connect(cmdans[i], &QPushButton::clicked, this, [this, i] { cmdans_Click(static_cast<int16_t>(i)); });
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);

    // Tab order: the answer buttons, then Replay, then Close.
    for (int i = 1; i < 4; ++i)
        setTabOrder(cmdans[i], cmdans[i + 1]);
    setTabOrder(cmdans[4], Command2);
    setTabOrder(Command2, Command1);

    accessibility_ = std::make_unique<QuizAccessibility>(*this);
}

void Form2::Form_Activate()
{
    if (activated_)
        return;
    activated_ = true;
    setUpdatesEnabled(true);
    // Progress saved against a larger bank points past the end of this one: a new game starts.
    rules_.startNewGameWhenOver();
    NEXTQUESTION();
}

void Form2::showEvent(QShowEvent* event)
{
    FormWindow::showEvent(event);
    // Nothing is painted before the first question, so the controls' design texts never show.
    if (!activated_)
        setUpdatesEnabled(false);
}

void Form2::Form_FirstSeen()
{
    // Not every desktop activates a new window (a compositor without a keyboard, focus-stealing
    // prevention): the first question also comes as soon as the window can be seen.
    Form_Activate();
}

void Form2::Form_KeyPress(int16_t& keyAscii)
{
    if (keyAscii == 27)
        RequestClose();
}

void Form2::Command1_Click() { RequestClose(); }

void Form2::Form_QueryUnload(bool& cancel)
{
    if (rules_.closeWarned())
        return;
    if (game().soundIsOn()) {
        Mp3Play1->StopClip();
        Mp3Play1->CloseClip();
    }
    if (rules_.isOver())
        return;

    rules_.warnOfClose();
    Beep();
    cancel = true;
    showInPlaceOfQuestion(CloseWarningText(rules_.closeWarningCounts()));
    Label4->setTop(0.5 * game().SpacingY);
    accessibility_->update();
}

void Form2::Form_Unload()
{
    // A finished game leaves the progress of a new one.
    rules_.startNewGameWhenOver();
    keepProgress();
}

void Form2::keepProgress()
{
    if (progressLoaded_)
        SaveProgress(rules_.progressToKeep());
}

void Form2::hideQuestion()
{
    for (int i = 1; i <= 4; ++i) {
        cmdans[i]->hide();
        LBLANS[i]->hide();
    }
    Label22->hide();
}

void Form2::showInPlaceOfQuestion(const QString& text)
{
    // No clip can be asked for any more once the question is gone.
    Command2->hide();
    Label2->setCaption(QString());
    hideQuestion();
    // The text reaches up to half a spacing before Delvo's picture.
    Label4->setWidth(Imgdelvo[DelvoShown]->Left() - Label4->Left() - 0.5 * game().SpacingX);
    Label4->setCaption(text);
    Label4->show();
}

void Form2::setAnswerButtonsEnabled(bool enabled)
{
    for (int i = 1; i <= 4; ++i)
        cmdans[i]->setEnabled(enabled);
}

double Form2::windowWidthPixels() const { return layout_->width(); }

double Form2::windowHeightPixels() const { return layout_->height(); }
