#include "FindingsPanel.h"

namespace {

enum Role { QuestionRole = Qt::UserRole + 1, FieldRole };

QString describe(const BankFinding& f)
{
    if (f.line > 0)
        return QObject::tr("line %1: %2").arg(f.line).arg(f.message);
    return f.message;
}

} // namespace

FindingsPanel::FindingsPanel(BankDocument& document, QWidget* parent) : QListWidget(parent), document_(document)
{
    setAccessibleName(tr("Findings"));
    setUniformItemSizes(true);
    setWordWrap(false);
    const auto choose = [this](QListWidgetItem* item) {
        const int question = item->data(QuestionRole).toInt();
        if (question > 0)
            emit findingChosen(question, static_cast<BankField>(item->data(FieldRole).toInt()));
    };
    connect(this, &QListWidget::itemClicked, this, choose);
    connect(this, &QListWidget::itemActivated, this, choose);
}

void FindingsPanel::refresh()
{
    setUpdatesEnabled(false);
    clear();
    for (const BankFinding& f : document_.allFindings()) {
        auto* item = new QListWidgetItem(describe(f), this);
        item->setData(QuestionRole, f.question);
        item->setData(FieldRole, static_cast<int>(f.field));
    }
    setUpdatesEnabled(true);
}
