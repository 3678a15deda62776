#pragma once
// The bank being edited: its questions as a list model (number, music note, question, a mark
// where it has findings), every change an undoable command, the findings of each question
// while the author types, and opening and saving through the game's own bank code.
#include "questions/BankCheck.h"
#include "questions/BankFile.h"

#include <QAbstractListModel>
#include <QUndoStack>
#include <functional>
#include <vector>

class BankDocument : public QAbstractListModel {
    Q_OBJECT
public:
    // Finds problems of one question (its number 1..); the document asks every source.
    using FindingSource = std::function<QList<BankFinding>(const BankQuestion& question, int number)>;
    using Progress = std::function<void(int done, int total)>;

    enum Role { FindingsRole = Qt::UserRole + 1, MusicRole };

    explicit BankDocument(QObject* parent = nullptr);

    // A new bank: the two header lines and no questions.
    void newBank();
    // Throws RunTimeError when the file cannot be opened; damage inside it becomes findings.
    void open(const QString& path, const Progress& progress = {});
    // Saves the coded bank at `path` (and the plain bank at `plainPath` when not empty); throws
    // RunTimeError naming the question and the reason when the game could not play the bank or
    // the new file does not read back, the old file then kept.
    void save(const QString& path, const QString& plainPath = {}, const Progress& progress = {});

    QString path() const { return path_; }
    BankFormat openedFormat() const { return format_; }
    // Where the bank's clips are: the bank's own folder.
    QString clipFolder() const;

    const QuestionBank& bank() const { return bank_; }
    int count() const { return static_cast<int>(bank_.questions.size()); }
    const BankQuestion& question(int row) const { return bank_.questions[row]; }

    QUndoStack* undoStack() { return &undo_; }
    bool isModified() const { return !undo_.isClean(); }

    // Undoable changes. An edit of a field merges with the edit just before it of the same field.
    void edit(int row, BankField field, const BankQuestion& changed);
    void insert(int row, const BankQuestion& question);
    void duplicate(int row) { insert(row + 1, question(row)); }
    void remove(int row);
    void move(int from, int to);

    // Findings of question `row` from every source, and of the whole bank: the file's own
    // (as opened, until the next save) first, then each question's in order.
    void addFindingSource(FindingSource source);
    const QList<BankFinding>& findings(int row) const;
    QList<BankFinding> allFindings() const;
    const QList<BankFinding>& fileFindings() const { return fileFindings_; }

    // The list model.
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

signals:
    // Question `row` changed its content (not its place); the findings changed with it.
    void questionChanged(int row);
    // Something that is not one question's content changed: the findings of many questions.
    void findingsChanged();

private:
    friend class QuestionCommand;
    // The raw changes the commands make.
    void replaceQuestion(int row, const BankQuestion& question);
    void insertQuestion(int row, const BankQuestion& question);
    void removeQuestion(int row);
    void moveQuestion(int from, int to);
    void renumbered();

    QList<BankFinding> check(int row) const;

    QuestionBank bank_;
    QString path_;
    BankFormat format_ = BankFormat::Coded;
    QUndoStack undo_;
    std::vector<FindingSource> sources_;
    QList<BankFinding> fileFindings_;
    // Per question its findings, computed when first asked for.
    mutable std::vector<std::optional<QList<BankFinding>>> findings_;
};
