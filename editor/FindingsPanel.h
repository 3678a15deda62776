#pragma once
// Every finding of the bank, the file's own first; choosing one selects its question and field.
// The list is filled a slice of questions at a time, so a large bank keeps the window answering
// while its questions are checked.
#include "editor/BankDocument.h"

#include <QListWidget>
#include <QTimer>

class FindingsPanel : public QListWidget {
    Q_OBJECT
public:
    FindingsPanel(BankDocument& document, QWidget* parent = nullptr);

    // Lists the findings again, starting over (the window calls it once the author pauses).
    void refresh();
    bool checking() const { return next_ < document_.count(); }

signals:
    void findingChosen(int question, BankField field);
    // Questions checked so far; `done` equals `total` when the list is complete.
    void progress(int done, int total);

private:
    void add(const BankFinding& finding);
    void checkSlice();

    BankDocument& document_;
    QTimer slices_;
    int next_ = 0;  // the next question to check
};
