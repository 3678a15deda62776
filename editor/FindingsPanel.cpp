#include "editor/FindingsPanel.h"

#include <QElapsedTimer>

namespace {

enum Role { QuestionRole = Qt::UserRole + 1, FieldRole };

QString describe(const BankFinding& f)
{
    if (f.line > 0)
        return QObject::tr("line %1: %2").arg(f.line).arg(f.message);
    return f.message;
}

// How long one slice of checking may hold the window, in milliseconds.
constexpr int SliceMilliseconds = 40;

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
    slices_.setSingleShot(true);
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &FindingsPanel::checkSlice);
}

void FindingsPanel::refresh()
{
    clear();
    for (const BankFinding& f : document_.fileFindings())
        add(f);
    next_ = 0;
    checkSlice();
}

void FindingsPanel::add(const BankFinding& f)
{
    auto* item = new QListWidgetItem(describe(f), this);
    item->setData(QuestionRole, f.question);
    item->setData(FieldRole, static_cast<int>(f.field));
}

void FindingsPanel::checkSlice()
{
    QElapsedTimer slice;
    slice.start();
    const int total = document_.count();
    while (next_ < total && slice.elapsed() < SliceMilliseconds) {
        for (const BankFinding& f : document_.findings(next_))
            add(f);
        ++next_;
    }
    emit progress(next_, total);
    if (next_ < total)
        slices_.start();
}
