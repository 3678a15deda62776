#include "editor/PreviewPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PreviewPanel::PreviewPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    screenSize = new QComboBox(this);
    screenSize->setAccessibleName(tr("Screen size of the preview"));
    for (const QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)})
        screenSize->addItem(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()), size);
    screenSize->setCurrentIndex(1);
    auto* sizeLabel = new QLabel(tr("Screen si&ze:"), this);
    sizeLabel->setBuddy(screenSize);
    remark = new QCheckBox(tr("Show the remark (its &answer picked)"), this);
    remark->setAccessibleName(tr("Show the remark"));
    controls->addWidget(sizeLabel);
    controls->addWidget(screenSize);
    controls->addWidget(remark);
    controls->addStretch();
    layout->addLayout(controls);
    view_ = new QLabel(this);
    view_->setAlignment(Qt::AlignCenter);
    view_->setMinimumSize(320, 200);
    view_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    view_->setAccessibleName(tr("Preview of the question in the quiz window"));
    view_->setWordWrap(true);
    layout->addWidget(view_, 1);

    connect(screenSize, &QComboBox::currentIndexChanged, this, &PreviewPanel::render);
    connect(remark, &QCheckBox::toggled, this, &PreviewPanel::render);
}

void PreviewPanel::showQuestion(const BankQuestion* question, int number)
{
    question_ = question ? std::optional<BankQuestion>(*question) : std::nullopt;
    number_ = number;
    render();
}

void PreviewPanel::render()
{
    picture_ = QImage();
    if (!question_) {
        view_->setText(QString());
        return;
    }
    QString error;
    picture_ = preview_.render(*question_, number_, screenSize->currentData().toSize(), remark->isChecked(), error);
    if (picture_.isNull())
        view_->setText(tr("The quiz cannot show this question:\n%1").arg(error));
    present();
}

void PreviewPanel::present()
{
    if (picture_.isNull())
        return;
    // Shown whole, scaled down to the panel when the window is smaller than the panel.
    QPixmap shown = QPixmap::fromImage(picture_);
    if (shown.width() > view_->width() || shown.height() > view_->height())
        shown = shown.scaled(view_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    view_->setPixmap(shown);
}

void PreviewPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    present();
}
