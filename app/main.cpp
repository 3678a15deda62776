// The Quorvel Challenge: loads the quiz window (which runs the intro), shows it, and runs
// until it has unloaded.
#include "quiz/Form2.h"
#include "app/CommandLine.h"
#include "app/QuorvelApplication.h"
#include "app/SessionSignals.h"
#include "startup/DataFolders.h"
#include "startup/Form1.h"
#include "platform/RootWindowGrab.h"

#include <exception>

int main(int argc, char** argv)
{
    CommandLine options;
    if (const std::optional<int> status = readCommandLine(argc, argv, options))
        return *status;
    setPlayedBankFolder(options.bankFolder);
    // The intro plays over the desktop as it is now; reading it takes a while, so it starts
    // at once, beside the start of Qt.
    platform::readDesktopAhead();
    QuorvelApplication app(argc, argv);
    // The intro window closes while the quiz window is still hidden; that must not end the run.
    app.setQuitOnLastWindowClosed(false);
    Form2 form(ShowForm1Modally, options.lockPath());
    // A logout, a closed terminal or Ctrl+C ends the game as a close of the session would.
    const SessionSignals sessionEnd([&form](int signal) {
        QuorvelApplication::endSession(signal, [&form] { form.keepProgress(); });
    });
    try {
        if (!form.Form_Load())
            return 0;  // another copy runs: the player has been told, nothing else happens
    } catch (const std::exception& error) {
        QuorvelApplication::endWithError(QString::fromUtf8(error.what()));
    }
    form.show();
    // The first activation shows the first question; ask for it also where no window manager
    // hands out the focus by itself.
    form.activateWindow();
    app.setQuitOnLastWindowClosed(true);
    QuorvelApplication::endExitsAtOnce();
    // The unload step has saved the progress.
    QuorvelApplication::endProgram(app.exec());
}
