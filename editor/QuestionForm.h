#pragma once
// The form of the selected question: music flag, clip with Play and Stop, the question, answers
// 1 to 4, the right answer among the filled ones, the remark and the answer that shows it.
// Each change becomes an undoable edit of the document; fields with findings are marked.
#include "editor/BankDocument.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace platform {
class Mp3Player;
}

class QuestionForm : public QWidget {
    Q_OBJECT
public:
    QuestionForm(BankDocument& document, QWidget* parent = nullptr);
    ~QuestionForm() override;

    void showQuestion(int row);  // -1 shows nothing
    int row() const { return row_; }
    // Puts the keyboard focus on the field of a finding.
    void focusField(BankField field);

    QCheckBox* music;
    QComboBox* clip;
    QPushButton* play;
    QPushButton* stop;
    QLineEdit* question;
    std::array<QLineEdit*, 4> answers{};
    QComboBox* rightAnswer;
    QLineEdit* extra;
    QComboBox* extraAnswer;
    QLabel* problems;

private:
    void refresh();
    void fillClips(const QString& current);
    void fillAnswerChoice(QComboBox* box, int current, bool withNone);
    void markFindings();
    void change(BankField field, const std::function<void(BankQuestion&)>& apply);
    QWidget* widgetFor(BankField field) const;
    void playClip();
    void stopClip();

    BankDocument& document_;
    int row_ = -1;
    bool filling_ = false;
    platform::Mp3Player* player_;
};
