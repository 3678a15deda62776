#pragma once
// The editor's main window: the question list with its buttons, the question's form, the
// findings panel and the preview; File and Edit menus with shortcuts, Find over all texts; the
// Bank menu plays the bank in the real game.
#include "editor/BankDocument.h"

#include <QMainWindow>

class BankPlay;
class FindingsPanel;
class PreviewPanel;
class QAction;
class QLineEdit;
class QListView;
class QPushButton;
class QTimer;
class QuestionForm;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    EditorWindow();
    ~EditorWindow() override;

    // Opens the bank at `path`; a path that does not exist starts a new bank to be saved there.
    bool openPath(const QString& path);
    // Saves to the bank's own path (asking for one when it has none); false when not saved.
    bool save();
    bool saveAs();

    BankDocument& document() { return document_; }
    int currentRow() const;
    void selectRow(int row);

    QListView* list;
    QuestionForm* form;
    FindingsPanel* findings;
    PreviewPanel* preview;
    QLineEdit* findText;
    QPushButton* addButton;
    QPushButton* duplicateButton;
    QPushButton* deleteButton;
    QPushButton* upButton;
    QPushButton* downButton;
    QAction* savePlainToo;
    QAction* playAction;  // plays the bank as it is now from the selected question (F5)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    QWidget* createListPane();
    bool saveTo(const QString& path);
    bool maybeSave();
    void newBank();
    void play(int first);
    void openFile();
    void addQuestion();
    void moveCurrent(int by);
    void findNext();
    void currentChanged();
    void updateTitle();
    void scheduleRefresh();
    void refreshLater();
    void runWithProgress(const QString& label, const std::function<void(const BankDocument::Progress&)>& work);

    BankDocument document_;
    QString newPath_;  // where a new bank will be saved when it was named on the command line
    QTimer* refresh_;
    BankPlay* play_;
};
