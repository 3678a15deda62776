#pragma once
// Every finding of the bank, the file's own first; choosing one selects its question and field.
#include "BankDocument.h"

#include <QListWidget>

class FindingsPanel : public QListWidget {
    Q_OBJECT
public:
    FindingsPanel(BankDocument& document, QWidget* parent = nullptr);

    // Lists the findings again (the window calls it once the author pauses).
    void refresh();

signals:
    void findingChosen(int question, BankField field);

private:
    BankDocument& document_;
};
