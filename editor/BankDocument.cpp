#include "editor/BankDocument.h"

#include "core/QuestionKinds.h"
#include "core/RunTimeError.h"

#include <QDataStream>
#include <QFileInfo>
#include <QIcon>
#include <QMimeData>
#include <QUndoCommand>

namespace {

constexpr const char* RowMimeType = "application/x-quorvel-question-row";

} // namespace

// One undoable change of the question list: its two directions.
class QuestionCommand : public QUndoCommand {
public:
    QuestionCommand(BankDocument& document, const QString& text, std::function<void(BankDocument&)> redo,
                    std::function<void(BankDocument&)> undo, int mergeId = -1)
        : QUndoCommand(text), document_(document), redo_(std::move(redo)), undo_(std::move(undo)), mergeId_(mergeId)
    {
    }

    void redo() override { redo_(document_); }
    void undo() override { undo_(document_); }
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override
    {
        // Typing in one field: the first edit's undo and the last edit's redo.
        redo_ = static_cast<const QuestionCommand*>(other)->redo_;
        return true;
    }

private:
    BankDocument& document_;
    std::function<void(BankDocument&)> redo_;
    std::function<void(BankDocument&)> undo_;
    int mergeId_;
};

BankDocument::BankDocument(QObject* parent) : QAbstractListModel(parent)
{
    addFindingSource([this](const BankQuestion& q, int number) { return checkQuestion(q, number, clipFolder()); });
}

void BankDocument::newBank()
{
    beginResetModel();
    bank_ = QuestionBank();
    path_.clear();
    format_ = BankFormat::Coded;
    fileFindings_.clear();
    findings_.assign(0, std::nullopt);
    undo_.clear();
    endResetModel();
    emit findingsChanged();
}

void BankDocument::open(const QString& path, const Progress& progress)
{
    BankFormat format{};
    BankFileReport report = openBank(path, format, progress);
    beginResetModel();
    bank_ = QuestionBank{report.header1, report.header2, std::move(report.questions)};
    path_ = QFileInfo(path).absoluteFilePath();
    format_ = format;
    // The file's own problems stay listed until a save writes the bank afresh; the questions'
    // problems are found again from what the editor holds.
    fileFindings_ = report.structure;
    findings_.assign(bank_.questions.size(), std::nullopt);
    undo_.clear();
    endResetModel();
    emit findingsChanged();
}

void BankDocument::save(const QString& path, const QString& plainPath, const Progress& progress)
{
    saveCodedBank(bank_, path, progress);
    if (!plainPath.isEmpty())
        savePlainBank(bank_, plainPath);
    const bool folderChanged = QFileInfo(path).absolutePath() != clipFolder();
    path_ = QFileInfo(path).absoluteFilePath();
    format_ = BankFormat::Coded;
    fileFindings_.clear();
    undo_.setClean();
    if (folderChanged)
        findings_.assign(bank_.questions.size(), std::nullopt);
    emit findingsChanged();
}

QString BankDocument::clipFolder() const
{
    return path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
}

void BankDocument::edit(int row, BankField field, const BankQuestion& changed)
{
    const BankQuestion before = question(row);
    if (before == changed)
        return;
    // Text typed into one field merges into one step; a choice is a step of its own.
    const bool typed = field == BankField::Question || field == BankField::Extra
        || (field >= BankField::Answer1 && field <= BankField::Answer4);
    const int mergeId = typed ? (row << 4 | static_cast<int>(field)) : -1;
    undo_.push(new QuestionCommand(*this, tr("Edit question %1").arg(row + 1),
                                   [=](BankDocument& d) { d.replaceQuestion(row, changed); },
                                   [=](BankDocument& d) { d.replaceQuestion(row, before); }, mergeId));
}

void BankDocument::insert(int row, const BankQuestion& question)
{
    undo_.push(new QuestionCommand(*this, tr("Add question %1").arg(row + 1),
                                   [=](BankDocument& d) { d.insertQuestion(row, question); },
                                   [=](BankDocument& d) { d.removeQuestion(row); }));
}

void BankDocument::remove(int row)
{
    const BankQuestion removed = question(row);
    undo_.push(new QuestionCommand(*this, tr("Delete question %1").arg(row + 1),
                                   [=](BankDocument& d) { d.removeQuestion(row); },
                                   [=](BankDocument& d) { d.insertQuestion(row, removed); }));
}

void BankDocument::move(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= count() || to >= count())
        return;
    undo_.push(new QuestionCommand(*this, tr("Move question %1 to %2").arg(from + 1).arg(to + 1),
                                   [=](BankDocument& d) { d.moveQuestion(from, to); },
                                   [=](BankDocument& d) { d.moveQuestion(to, from); }));
}

void BankDocument::replaceQuestion(int row, const BankQuestion& question)
{
    bank_.questions[row] = question;
    findings_[row].reset();
    emit dataChanged(index(row), index(row));
    emit questionChanged(row);
}

void BankDocument::insertQuestion(int row, const BankQuestion& question)
{
    beginInsertRows({}, row, row);
    bank_.questions.insert(row, question);
    findings_.insert(findings_.begin() + row, std::nullopt);
    endInsertRows();
    renumbered();
}

void BankDocument::removeQuestion(int row)
{
    beginRemoveRows({}, row, row);
    bank_.questions.removeAt(row);
    findings_.erase(findings_.begin() + row);
    endRemoveRows();
    renumbered();
}

void BankDocument::moveQuestion(int from, int to)
{
    // Qt's destination is the row in front of which the question lands, counted before the move.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    bank_.questions.move(from, to);
    endMoveRows();
    renumbered();
}

void BankDocument::renumbered()
{
    // Every message names its question's number, and the list shows the numbers.
    findings_.assign(bank_.questions.size(), std::nullopt);
    if (!bank_.questions.isEmpty())
        emit dataChanged(index(0), index(count() - 1));
    emit findingsChanged();
}

void BankDocument::addFindingSource(FindingSource source)
{
    sources_.push_back(std::move(source));
    findings_.assign(bank_.questions.size(), std::nullopt);
    emit findingsChanged();
}

QList<BankFinding> BankDocument::check(int row) const
{
    QList<BankFinding> found;
    for (const FindingSource& source : sources_)
        found += source(bank_.questions[row], row + 1);
    return found;
}

const QList<BankFinding>& BankDocument::findings(int row) const
{
    std::optional<QList<BankFinding>>& cached = findings_[row];
    if (!cached)
        cached = check(row);
    return *cached;
}

QList<BankFinding> BankDocument::allFindings() const
{
    QList<BankFinding> all = fileFindings_;
    for (int row = 0; row < count(); ++row)
        all += findings(row);
    return all;
}

int BankDocument::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant BankDocument::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const int row = index.row();
    const BankQuestion& q = question(row);
    const bool music = q.kind == MusicQuestion;
    switch (role) {
    case Qt::DisplayRole: {
        const QString mark = findings(row).isEmpty() ? QString() : QStringLiteral("  \u26a0");
        return QStringLiteral("%1.  %2%3").arg(row + 1).arg(q.question, mark);
    }
    case Qt::DecorationRole:
        return music ? QIcon(QStringLiteral(":/pictures/music.png")) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        QStringList parts;
        if (music)
            parts << tr("Music question");
        for (const BankFinding& f : findings(row))
            parts << f.message;
        return parts.join(QLatin1Char('\n'));
    }
    case FindingsRole:
        return static_cast<int>(findings(row).size());
    case MusicRole:
        return music;
    default:
        return {};
    }
}

Qt::ItemFlags BankDocument::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

QStringList BankDocument::mimeTypes() const
{
    return {QLatin1String(RowMimeType)};
}

QMimeData* BankDocument::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(QLatin1String(RowMimeType), QByteArray::number(indexes.first().row()));
    return data;
}

bool BankDocument::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex& parent)
{
    if (action != Qt::MoveAction || !data->hasFormat(QLatin1String(RowMimeType)))
        return false;
    const int from = data->data(QLatin1String(RowMimeType)).toInt();
    int to = row >= 0 ? row : (parent.isValid() ? parent.row() : count());
    if (to > from)
        --to;  // the drop row counts the dragged question still in its old place
    move(from, std::min(to, count() - 1));
    // The move is done; the view must not remove the dragged row itself.
    return false;
}
