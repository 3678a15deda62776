#include "editor/EditorWindow.h"

#include "editor/BankPlay.h"
#include "editor/FindingsPanel.h"
#include "editor/PreviewPanel.h"
#include "editor/QuestionForm.h"
#include "core/RunTimeError.h"
#include "quiz/layout/TextFitCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPushButton* listButton(QWidget* parent, const QString& text, const QString& name)
{
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(name);
    return button;
}

// A new question: two answers, the first one right.
BankQuestion blankQuestion()
{
    BankQuestion q;
    q.rightAnswer = 1;
    return q;
}

} // namespace

EditorWindow::EditorWindow() : refresh_(new QTimer(this)), play_(new BankPlay(this))
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon-64.png")));
    // Texts that do not fit the quiz window on the common screens are findings as well.
    document_.addFindingSource([fit = std::make_shared<TextFitCheck>(*TextFitCheck::screens({}))](
                                   const BankQuestion& q, int number) { return fit->check(q, number); });
    form = new QuestionForm(document_, this);
    findings = new FindingsPanel(document_, this);
    preview = new PreviewPanel(this);

    auto* middle = new QWidget(this);
    auto* middleLayout = new QVBoxLayout(middle);
    middleLayout->addWidget(form);
    auto* findingsLabel = new QLabel(tr("Fin&dings:"), middle);
    findingsLabel->setBuddy(findings);
    middleLayout->addWidget(findingsLabel);
    middleLayout->addWidget(findings, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(createListPane());
    splitter->addWidget(middle);
    splitter->addWidget(preview);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setStretchFactor(2, 3);
    setCentralWidget(splitter);
    createMenus();

    // The findings list and the preview follow the author's typing once the author pauses.
    refresh_->setSingleShot(true);
    refresh_->setInterval(250);
    connect(refresh_, &QTimer::timeout, this, &EditorWindow::refreshLater);
    connect(&document_, &BankDocument::questionChanged, this, &EditorWindow::scheduleRefresh);
    connect(&document_, &BankDocument::findingsChanged, this, &EditorWindow::scheduleRefresh);
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this, &EditorWindow::updateTitle);
    connect(findings, &FindingsPanel::progress, this, [this](int done, int total) {
        if (done < total)
            statusBar()->showMessage(tr("Checking the questions: %1 of %2").arg(done).arg(total));
        else
            statusBar()->clearMessage();
    });
    connect(findings, &FindingsPanel::findingChosen, this, [this](int question, BankField field) {
        selectRow(question - 1);
        form->focusField(field);
    });
    connect(play_, &BankPlay::ended, this, [this](const QString& how) { statusBar()->showMessage(how); });
    document_.newBank();
    resize(1400, 800);
}

void EditorWindow::play(int first)
{
    try {
        play_->start(document_.bank(), document_.clipFolder(), first);
        statusBar()->showMessage(tr("The game plays the bank from question %1").arg(first));
    } catch (const RunTimeError& e) {
        statusBar()->showMessage(tr("Cannot play the bank: %1").arg(e.message()));
    }
}

EditorWindow::~EditorWindow() = default;

QWidget* EditorWindow::createListPane()
{
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    list = new QListView(pane);
    list->setModel(&document_);
    list->setAccessibleName(tr("Questions"));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::MoveAction);
    list->setDragEnabled(true);
    list->setAcceptDrops(true);
    list->setDropIndicatorShown(true);
    auto* label = new QLabel(tr("&Questions:"), pane);
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, &EditorWindow::currentChanged);

    auto* buttons = new QHBoxLayout;
    addButton = listButton(pane, tr("Add"), tr("Add a question"));
    duplicateButton = listButton(pane, tr("Duplicate"), tr("Duplicate the question"));
    deleteButton = listButton(pane, tr("Delete"), tr("Delete the question"));
    upButton = listButton(pane, tr("Up"), tr("Move the question up"));
    downButton = listButton(pane, tr("Down"), tr("Move the question down"));
    for (QPushButton* button : {addButton, duplicateButton, deleteButton, upButton, downButton})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(addButton, &QPushButton::clicked, this, &EditorWindow::addQuestion);
    connect(duplicateButton, &QPushButton::clicked, this, [this] {
        if (currentRow() >= 0) {
            const int row = currentRow();
            document_.duplicate(row);
            selectRow(row + 1);
        }
    });
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        const int row = currentRow();
        if (row >= 0) {
            document_.remove(row);
            selectRow(std::min(row, document_.count() - 1));
        }
    });
    connect(upButton, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(downButton, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    // The Delete key in the list deletes the question.
    auto* deleteKey = new QShortcut(QKeySequence(Qt::Key_Delete), list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, deleteButton, &QPushButton::click);
    return pane;
}

void EditorWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &EditorWindow::newBank);
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &EditorWindow::openFile);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &EditorWindow::save);
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, &EditorWindow::saveAs);
    savePlainToo = file->addAction(tr("Also save the &plain bank (DATANON.ASC)"));
    savePlainToo->setCheckable(true);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = document_.undoStack()->createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = document_.undoStack()->createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(tr("&Add question"), QKeySequence(Qt::CTRL | Qt::Key_Return), addButton, &QPushButton::click);
    edit->addAction(tr("&Duplicate question"), QKeySequence(Qt::CTRL | Qt::Key_D), duplicateButton, &QPushButton::click);
    edit->addAction(tr("De&lete question"), QKeySequence(Qt::CTRL | Qt::Key_Delete), deleteButton, &QPushButton::click);
    edit->addAction(tr("Move question &up"), QKeySequence(Qt::CTRL | Qt::Key_Up), upButton, &QPushButton::click);
    edit->addAction(tr("Move question do&wn"), QKeySequence(Qt::CTRL | Qt::Key_Down), downButton, &QPushButton::click);
    edit->addSeparator();
    edit->addAction(tr("&Find..."), QKeySequence::Find, this, [this] {
        findText->setFocus();
        findText->selectAll();
    });
    edit->addAction(tr("Find &next"), QKeySequence::FindNext, this, &EditorWindow::findNext);

    QMenu* bankMenu = menuBar()->addMenu(tr("&Bank"));
    playAction = bankMenu->addAction(tr("&Play from this question"), QKeySequence(Qt::Key_F5), this,
                                     [this] { play(std::max(currentRow(), 0) + 1); });
    bankMenu->addAction(tr("Play from question &1"), QKeySequence(Qt::SHIFT | Qt::Key_F5), this, [this] { play(1); });

    QToolBar* bar = addToolBar(tr("Find"));
    bar->setObjectName(QStringLiteral("find"));
    findText = new QLineEdit(bar);
    findText->setPlaceholderText(tr("Find in all texts (Ctrl+F, Enter for the next)"));
    findText->setAccessibleName(tr("Find"));
    findText->setClearButtonEnabled(true);
    bar->addWidget(findText);
    connect(findText, &QLineEdit::returnPressed, this, &EditorWindow::findNext);
}

int EditorWindow::currentRow() const
{
    const QModelIndex current = list->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void EditorWindow::selectRow(int row)
{
    if (row < 0 || row >= document_.count()) {
        form->showQuestion(-1);
        scheduleRefresh();
        return;
    }
    const QModelIndex index = document_.index(row);
    list->setCurrentIndex(index);
    list->scrollTo(index);
    currentChanged();
}

void EditorWindow::currentChanged()
{
    form->showQuestion(currentRow());
    scheduleRefresh();
}

void EditorWindow::scheduleRefresh()
{
    refresh_->start();
}

void EditorWindow::refreshLater()
{
    findings->refresh();
    const int row = currentRow();
    preview->showQuestion(row >= 0 ? &document_.question(row) : nullptr, row + 1);
}

void EditorWindow::addQuestion()
{
    const int row = currentRow() + 1;
    document_.insert(row, blankQuestion());
    selectRow(row);
    form->focusField(BankField::Question);
}

void EditorWindow::moveCurrent(int by)
{
    const int row = currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= document_.count())
        return;
    document_.move(row, to);
    selectRow(to);
}

void EditorWindow::findNext()
{
    const QString wanted = findText->text();
    const int count = document_.count();
    if (wanted.isEmpty() || count == 0)
        return;
    const int start = currentRow();
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        const BankQuestion& q = document_.question(row);
        const QStringList texts{q.question, q.answers[0], q.answers[1], q.answers[2], q.answers[3], q.extra, q.clip};
        if (std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.contains(wanted, Qt::CaseInsensitive); })) {
            selectRow(row);
            statusBar()->showMessage(tr("Found in question %1").arg(row + 1), 3000);
            return;
        }
    }
    statusBar()->showMessage(tr("\"%1\" is in no question").arg(wanted), 3000);
}

void EditorWindow::updateTitle()
{
    const QString name = document_.path().isEmpty()
        ? (newPath_.isEmpty() ? tr("New bank") : QFileInfo(newPath_).fileName())
        : QFileInfo(document_.path()).fileName();
    setWindowTitle(tr("%1[*] - Quorvel question bank editor").arg(name));
    setWindowModified(document_.isModified());
}

void EditorWindow::runWithProgress(const QString& label, const std::function<void(const BankDocument::Progress&)>& work)
{
    // The dialog shows only when the work takes longer than half a second.
    QProgressDialog dialog(label, QString(), 0, 0, this);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(500);
    dialog.setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        work([&dialog](int done, int total) {
            dialog.setMaximum(total);
            dialog.setValue(done);
        });
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

bool EditorWindow::openPath(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        newBank();
        newPath_ = QFileInfo(path).absoluteFilePath();
        updateTitle();
        return true;
    }
    try {
        runWithProgress(tr("Opening %1...").arg(QFileInfo(path).fileName()),
                        [&](const BankDocument::Progress& progress) { document_.open(path, progress); });
    } catch (const RunTimeError& e) {
        QMessageBox::critical(this, tr("Cannot open the bank"), e.message());
        return false;
    }
    newPath_.clear();
    selectRow(document_.count() > 0 ? 0 : -1);
    list->setFocus();
    updateTitle();
    if (!document_.fileFindings().isEmpty())
        statusBar()->showMessage(tr("The file has problems: see the findings"), 5000);
    return true;
}

void EditorWindow::newBank()
{
    if (!maybeSave())
        return;
    document_.newBank();
    newPath_.clear();
    form->showQuestion(-1);
    updateTitle();
}

void EditorWindow::openFile()
{
    if (!maybeSave())
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open a question bank"), QString(),
                                                      tr("Question banks (*.ASC *.asc);;All files (*)"));
    if (!path.isEmpty())
        openPath(path);
}

bool EditorWindow::save()
{
    const QString path = !document_.path().isEmpty() && document_.openedFormat() == BankFormat::Coded ? document_.path() : newPath_;
    return path.isEmpty() ? saveAs() : saveTo(path);
}

bool EditorWindow::saveAs()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save the coded bank"), QStringLiteral("DATA.ASC"),
                                                      tr("Question banks (*.ASC *.asc)"));
    return !path.isEmpty() && saveTo(path);
}

bool EditorWindow::saveTo(const QString& path)
{
    const QString plain = savePlainToo->isChecked() ? QFileInfo(path).dir().filePath(QStringLiteral("DATANON.ASC")) : QString();
    try {
        runWithProgress(tr("Saving %1...").arg(QFileInfo(path).fileName()),
                        [&](const BankDocument::Progress& progress) { document_.save(path, plain, progress); });
    } catch (const RunTimeError& e) {
        QMessageBox::critical(this, tr("The bank was not saved"),
                              tr("%1\n\nThe file on disk is unchanged.").arg(e.message()));
        return false;
    }
    newPath_.clear();
    updateTitle();
    statusBar()->showMessage(tr("Saved %1 questions to %2").arg(document_.count()).arg(path), 5000);
    return true;
}

bool EditorWindow::maybeSave()
{
    if (!document_.isModified())
        return true;
    const auto answer = QMessageBox::warning(this, tr("Unsaved changes"),
                                             tr("The bank has changes that are not saved. Save them?"),
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}
