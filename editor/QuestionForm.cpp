#include "editor/QuestionForm.h"

#include "core/QuestionKinds.h"
#include "platform/Mp3Player.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A text field that says what it is to a screen reader.
QLineEdit* textField(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

// Marks a field that has findings and tells them in its tooltip.
void mark(QWidget* field, const QStringList& messages)
{
    field->setToolTip(messages.join(QLatin1Char('\n')));
    field->setAccessibleDescription(messages.join(QLatin1Char('\n')));
    field->setStyleSheet(messages.isEmpty() ? QString() : QStringLiteral("background-color: #ffd8d8;"));
}

} // namespace

QuestionForm::QuestionForm(BankDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), player_(new platform::Mp3Player(this))
{
    auto* layout = new QFormLayout(this);
    music = new QCheckBox(tr("&Music question (its clip plays first)"), this);
    music->setAccessibleName(tr("Music question"));
    layout->addRow(music);

    auto* clipRow = new QHBoxLayout;
    clip = new QComboBox(this);
    clip->setAccessibleName(tr("Clip"));
    clip->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    play = new QPushButton(tr("&Play"), this);
    play->setAccessibleName(tr("Play the clip"));
    stop = new QPushButton(tr("St&op"), this);
    stop->setAccessibleName(tr("Stop the clip"));
    clipRow->addWidget(clip, 1);
    clipRow->addWidget(play);
    clipRow->addWidget(stop);
    layout->addRow(tr("C&lip:"), clipRow);
    static_cast<QLabel*>(layout->labelForField(clipRow))->setBuddy(clip);

    question = textField(this, tr("Question"));
    layout->addRow(tr("Question &text:"), question);
    for (int i = 0; i < 4; ++i) {
        answers[i] = textField(this, tr("Answer %1").arg(i + 1));
        layout->addRow(tr("Answer &%1:").arg(i + 1), answers[i]);
    }
    rightAnswer = new QComboBox(this);
    rightAnswer->setAccessibleName(tr("Right answer"));
    layout->addRow(tr("&Right answer:"), rightAnswer);
    extra = textField(this, tr("Remark"));
    layout->addRow(tr("Remar&k:"), extra);
    extraAnswer = new QComboBox(this);
    extraAnswer->setAccessibleName(tr("Remark shown for answer"));
    layout->addRow(tr("Remark &shown for:"), extraAnswer);
    problems = new QLabel(this);
    problems->setWordWrap(true);
    problems->setTextFormat(Qt::PlainText);
    problems->setAccessibleName(tr("Problems of this question"));
    problems->setStyleSheet(QStringLiteral("color: #a00000;"));
    layout->addRow(problems);

    connect(music, &QCheckBox::toggled, this, [this](bool on) {
        change(BankField::Kind, [on](BankQuestion& q) { q.kind = on ? MusicQuestion : OrdinaryQuestion; });
    });
    connect(clip, &QComboBox::activated, this, [this] {
        const QString name = clip->currentData().toString();
        change(BankField::Clip, [name](BankQuestion& q) { q.clip = name; });
    });
    connect(question, &QLineEdit::textEdited, this, [this](const QString& text) {
        change(BankField::Question, [text](BankQuestion& q) { q.question = text; });
    });
    for (int i = 0; i < 4; ++i) {
        connect(answers[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            change(static_cast<BankField>(static_cast<int>(BankField::Answer1) + i),
                   [text, i](BankQuestion& q) { q.answers[i] = text; });
        });
    }
    connect(rightAnswer, &QComboBox::activated, this, [this] {
        const int n = rightAnswer->currentData().toInt();
        change(BankField::RightAnswer, [n](BankQuestion& q) { q.rightAnswer = static_cast<int16_t>(n); });
    });
    connect(extra, &QLineEdit::textEdited, this, [this](const QString& text) {
        change(BankField::Extra, [text](BankQuestion& q) { q.extra = text; });
    });
    connect(extraAnswer, &QComboBox::activated, this, [this] {
        const int n = extraAnswer->currentData().toInt();
        change(BankField::ExtraAnswer, [n](BankQuestion& q) { q.extraAnswer = static_cast<int16_t>(n); });
    });
    connect(play, &QPushButton::clicked, this, &QuestionForm::playClip);
    connect(stop, &QPushButton::clicked, this, &QuestionForm::stopClip);
    connect(&document_, &BankDocument::questionChanged, this, [this](int changed) {
        if (changed == row_)
            refresh();
    });
    connect(&document_, &BankDocument::findingsChanged, this, [this] {
        if (row_ >= document_.count())
            row_ = -1;
        refresh();
    });
    showQuestion(-1);
}

QuestionForm::~QuestionForm() = default;

void QuestionForm::showQuestion(int row)
{
    if (row != row_)
        stopClip();
    row_ = row;
    refresh();
}

void QuestionForm::refresh()
{
    const bool shown = row_ >= 0 && row_ < document_.count();
    setEnabled(shown);
    const BankQuestion q = shown ? document_.question(row_) : BankQuestion{};
    filling_ = true;
    music->setChecked(q.kind == MusicQuestion);
    fillClips(q.clip);
    // Only a changed text is set again, so the cursor stays where the author types.
    const auto setText = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    setText(question, q.question);
    for (int i = 0; i < 4; ++i)
        setText(answers[i], q.answers[i]);
    setText(extra, q.extra);
    fillAnswerChoice(rightAnswer, q.rightAnswer, false);
    fillAnswerChoice(extraAnswer, q.extraAnswer, true);
    filling_ = false;
    play->setEnabled(!q.clip.isEmpty());
    markFindings();
}

void QuestionForm::fillClips(const QString& current)
{
    clip->clear();
    clip->addItem(tr("(no clip)"), QString());
    const QString folder = document_.clipFolder();
    if (!folder.isEmpty()) {
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.mp3"), QStringLiteral("*.MP3")}, QDir::Files, QDir::Name);
        for (const QString& file : files)
            clip->addItem(file, file);
    }
    int at = clip->findData(current);
    if (at < 0) {
        clip->addItem(tr("%1 (not in the bank's folder)").arg(current), current);
        at = clip->count() - 1;
    }
    clip->setCurrentIndex(at);
}

void QuestionForm::fillAnswerChoice(QComboBox* box, int current, bool withNone)
{
    box->clear();
    if (withNone)
        box->addItem(tr("no answer (no remark)"), 0);
    const bool shown = row_ >= 0 && row_ < document_.count();
    if (shown) {
        const BankQuestion& q = document_.question(row_);
        for (int n = 1; n <= 4; ++n) {
            if (q.namesAnswer(n))
                box->addItem(QStringLiteral("%1: %2").arg(n).arg(q.answers[n - 1]), n);
        }
    }
    int at = box->findData(current);
    if (at < 0) {
        box->addItem(tr("%1 (not a filled answer)").arg(current), current);
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

QWidget* QuestionForm::widgetFor(BankField field) const
{
    switch (field) {
    case BankField::Kind: return music;
    case BankField::Clip: return clip;
    case BankField::Question: return question;
    case BankField::Answer1: return answers[0];
    case BankField::Answer2: return answers[1];
    case BankField::Answer3: return answers[2];
    case BankField::Answer4: return answers[3];
    case BankField::RightAnswer: return rightAnswer;
    case BankField::Extra: return extra;
    case BankField::ExtraAnswer: return extraAnswer;
    case BankField::None: return nullptr;
    }
    return nullptr;
}

void QuestionForm::markFindings()
{
    std::map<QWidget*, QStringList> byField;
    QStringList all;
    if (row_ >= 0 && row_ < document_.count()) {
        for (const BankFinding& f : document_.findings(row_)) {
            byField[widgetFor(f.field)] << f.message;
            all << f.message;
        }
    }
    for (QWidget* field : std::initializer_list<QWidget*>{music, clip, question, answers[0], answers[1], answers[2],
                                                          answers[3], rightAnswer, extra, extraAnswer})
        mark(field, byField[field]);
    problems->setText(all.join(QLatin1Char('\n')));
}

void QuestionForm::change(BankField field, const std::function<void(BankQuestion&)>& apply)
{
    if (filling_ || row_ < 0 || row_ >= document_.count())
        return;
    BankQuestion q = document_.question(row_);
    apply(q);
    document_.edit(row_, field, q);
}

void QuestionForm::focusField(BankField field)
{
    if (QWidget* widget = widgetFor(field))
        widget->setFocus(Qt::OtherFocusReason);
    else
        question->setFocus(Qt::OtherFocusReason);
}

void QuestionForm::playClip()
{
    if (row_ < 0 || row_ >= document_.count())
        return;
    stopClip();
    const QString path = QDir(document_.clipFolder()).filePath(document_.question(row_).clip);
    if (player_->OpenClip(path, QString()) == 0)
        player_->PlayClip();
}

void QuestionForm::stopClip()
{
    if (player_->ClipState() != 0)
        player_->StopClip();
    player_->CloseClip();
}
