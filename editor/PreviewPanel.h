#pragma once
// The selected question as the quiz window shows it, on a screen size of the author's choice,
// with the remark as the click on its answer shows it.
#include "editor/QuizPreview.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

class PreviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    void showQuestion(const BankQuestion* question, int number);  // null shows nothing
    QImage picture() const { return picture_; }

    QComboBox* screenSize;
    QCheckBox* remark;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    void present();

    QLabel* view_;
    QuizPreview preview_;
    std::optional<BankQuestion> question_;
    int number_ = 0;
    QImage picture_;
};
